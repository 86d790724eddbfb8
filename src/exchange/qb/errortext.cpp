#include "exchange/qb/errortext.h"

namespace tw::qb {

QString QuickBooksErrorText(std::uint32_t code)
{
    switch (code) {
    case 0x8004040A:
        return QStringLiteral(
            "The company file you specified to Tarnwick is not the one being used by QuickBooks");
    case 0x80040418:
        return QStringLiteral(
            "Your QuickBooks user must be an administrator to initially setup Tarnwick access");
    case 0x8004041D:
    case 0x80040430:
    case 0x80040416: return QStringLiteral("Your QuickBooks is not running or logged into");
    case 0x80040408:
        return QStringLiteral("Please specify your QuickBooks company file on the Setup / QuickBooks screen");
    case 0x80040420:
    case 0x8004041A: return QStringLiteral("QuickBooks access for Tarnwick has been denied");
    default: return QStringLiteral("QuickBooks error ") + QString::number(code, 16);
    }
}

}  // namespace tw::qb
