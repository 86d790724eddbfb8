#include "app/pathcase.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace tw::app {

namespace {

// The entry of folder whose name equals name but for letter case, or empty.
QString EntryIgnoringCase(const QString& folder, const QString& name)
{
    const QDir::Filters everything = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    const QStringList entries = QDir(folder).entryList(everything, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

}  // namespace

QString NormalizePathCase(const QString& path)
{
    const bool absolute = path.startsWith(QLatin1Char('/'));
    QStringList parts = path.split(QLatin1Char('/'));
    bool onDisk = true;
    for (qsizetype i = absolute ? 1 : 0; i < parts.size() && onDisk; ++i) {
        QString& part = parts[i];
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            continue;
        QString parent = parts.mid(0, i).join(QLatin1Char('/'));
        if (parent.isEmpty())
            parent = absolute ? QStringLiteral("/") : QStringLiteral(".");
        if (QFileInfo::exists(QDir(parent).filePath(part)))
            continue;
        const QString entry = EntryIgnoringCase(parent, part);
        onDisk = !entry.isEmpty();
        if (onDisk)
            part = entry;
    }
    return parts.join(QLatin1Char('/'));
}

}  // namespace tw::app
