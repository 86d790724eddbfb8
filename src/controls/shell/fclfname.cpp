#include "controls/shell/fclfname.h"

#include <QDir>
#include <QFile>

#include <stdexcept>
#include <sys/stat.h>

namespace tw::controls::shell {

QString LongFNameFromShort(const QString& name)
{
    struct stat st {};
    if (name.isEmpty() || ::lstat(QFile::encodeName(name).constData(), &st) != 0)
        return name;
    const QString clean = QDir::cleanPath(name);
    if (clean == QLatin1String("/"))
        return clean;
    return clean.section(QLatin1Char('/'), -1);
}

QString ShortFNameFromLong(const QString& name)
{
    // The short name of any name, a short one included, is the name itself.
    return LongFNameFromShort(name);
}

QString LongPathFromShort(const QString& path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

QString ShortPathFromLong(const QString& path)
{
    return path;
}

bool LongPathExists(const QString& path)
{
    struct stat st {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceLongPath(const QString& path)
{
    if (path.isEmpty())
        throw std::runtime_error("Unable to create directory");
    return QDir().mkpath(path);
}

}  // namespace tw::controls::shell
