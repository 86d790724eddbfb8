// The index definitions file (tags): any bytes are read or refused with a
// DbError; what is read gives index expressions that parse or are refused.
#include <cstdint>

#include "memfs.h"
#include "platform/db/shared_table.h"

using namespace tw::db;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tw::db::fuzz::MemFs fs;
    fs.put("t.twi", std::vector<std::uint8_t>(data, data + size));
    SetFileSystem(&fs);
    try {
        for (const auto& d : detail::ReadIndexDefs(tw::db::fuzz::MemFs::Path("t.twi"))) {
            std::string field;
            bool upper = false;
            (void)detail::ParseIndexExpression(d.expression, field, upper);
        }
    } catch (const DbError&) {
    }
    SetFileSystem(nullptr);
    return 0;
}
