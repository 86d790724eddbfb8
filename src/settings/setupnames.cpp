#include "settings/setupnames.h"

#include "exchange/qbsessionframe.h"

namespace tw::settings {

QString FileExtensionUpper(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return (dot < 0 ? name : name.mid(dot + 1)).toUpper();
}

QString SearchPatternFolder(const QString& pattern)
{
    static const QString kAnyFile = QStringLiteral("/*.*");
    if (pattern.endsWith(kAnyFile))
        return pattern.chopped(kAnyFile.size());
    const qsizetype slash = pattern.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : pattern.left(slash);
}

std::optional<int> QBXMLMajorVersion(int edition)
{
    if (edition == 0 || edition == 1)
        return exchange::kQBXMLMajorVersion;
    return std::nullopt;
}

}  // namespace tw::settings
