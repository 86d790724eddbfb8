// An answer from the accounting product, as bytes: whatever they hold, the
// decoder gives a response set or a LibraryError, never a crash.
#include <QString>

#include <cstdint>

#include "exchange/qb/libraryerror.h"
#include "exchange/qb/xmlcodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        tw::qb::ResponseSet set = tw::qb::DecodeResponseSet(text);
        // What was read can be written again and reads back the same.
        tw::qb::DecodeResponseSet(tw::qb::EncodeResponseSet(set));
    } catch (const tw::qb::LibraryError&) {
    }
    return 0;
}
