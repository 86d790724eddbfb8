// A request set as the product's side receives it: the decoder, the format's
// checks and the typed reading either accept it or throw LibraryError; what
// they accept encodes again to a text that decodes to the same elements.
#include <QString>

#include <cstdint>
#include <cstdlib>

#include "exchange/qb/libraryerror.h"
#include "exchange/qb/xmlcodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        tw::qb::DecodedRequestSet d = tw::qb::DecodeRequestSet(text);
        tw::qb::CheckAgainstFormat(d.requestName, d.fields, d.major, true);
        tw::qb::MsgSetRequest set(d.country, d.major, d.minor);
        set.OnError = d.onError;
        set.Request() = tw::qb::FromFields(d.requestName, d.fields);
        tw::qb::DecodedRequestSet again = tw::qb::DecodeRequestSet(tw::qb::EncodeRequestSet(set));
        if (again.requestName != d.requestName)
            std::abort();
    } catch (const tw::qb::LibraryError&) {
    }
    return 0;
}
