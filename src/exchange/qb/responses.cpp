#include "exchange/qb/responses.h"

#include "exchange/qb/msgsetrequest.h"

namespace tw::qb {

QString ItemRetElement(ENItemKind kind)
{
    return QStringLiteral("Item") + EnumWord(kind) + QStringLiteral("Ret");
}

std::optional<ENItemKind> ItemKindFromElement(const QString& element)
{
    if (!element.startsWith(u"Item") || !element.endsWith(u"Ret") || element.size() < 8)
        return std::nullopt;
    return EnumFromWord<ENItemKind>(element.mid(4, element.size() - 7));
}

RetList EmptyRetList(const QString& requestName)
{
    if (requestName.startsWith(u"Employee"))
        return std::vector<EmployeeRet>{};
    if (requestName.startsWith(u"DataExtDef"))
        return std::vector<DataExtDefRet>{};
    if (requestName.startsWith(u"Item"))
        return std::vector<ItemRet>{};
    return std::vector<CustomerRet>{};
}

}  // namespace tw::qb

namespace tw::qb {

QString MsgSetRequest::VersionText() const
{
    return (country_ == u"CA" ? QStringLiteral("CA") : QString())
        + QStringLiteral("%1.%2").arg(major_).arg(minor_);
}

}  // namespace tw::qb
