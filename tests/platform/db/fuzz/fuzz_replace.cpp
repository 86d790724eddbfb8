// The replace journal (.twj): any text is applied when it names only files
// of its own table, or refused with a DbError; a file of another table is
// never renamed or removed.
#include "journal_setup.h"

using namespace tw::db;
using namespace tw::db::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return RunInMemory([&](MemFs& fs) {
        MakeTable("t");
        fs.put("other.dbf", {1, 2, 3});
        fs.put("t.dbf.1.1.twtmp", *fs.bytes("t.dbf"));
        fs.put("t.twj", std::vector<std::uint8_t>(data, data + size));
        try {
            RecoverTable(kFolder, "t");
        } catch (const DbError&) {
        }
        if (!fs.bytes("other.dbf"))
            __builtin_trap();  // a replace journal reached outside its table
        Exercise(fs, "t");
    });
}
