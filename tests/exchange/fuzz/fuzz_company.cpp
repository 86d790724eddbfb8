// A company file as bytes: the reader refuses damage with a reason, never a
// crash or a loop; a file it accepts is written again and read back.
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

#include "exchange/qb/companyfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    auto company = tw::qb::CompanyFile::Parse(bytes, &error);
    if (!company) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    if (!tw::qb::CompanyFile::Parse(tw::qb::CompanyFile::Serialize(*company), &error))
        std::abort();
    return 0;
}
