#include "settings/pathcase.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <vector>

#include <QStringList>

namespace tw::settings {

namespace {

// The entry of folder that equals name, exactly or else without regard to case.
std::string StoredName(const std::string& folder, const std::string& name)
{
    struct stat st {};
    if (::lstat((folder + name).c_str(), &st) == 0)
        return name;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return {};
    std::vector<std::string> matches;
    while (const dirent* d = ::readdir(dir.get()))
        if (::strcasecmp(d->d_name, name.c_str()) == 0)
            matches.emplace_back(d->d_name);
    return matches.empty() ? std::string() : *std::min_element(matches.begin(), matches.end());
}

}  // namespace

std::string FindPathIgnoringCase(const std::string& path)
{
    if (path.empty() || path.front() != '/')
        return {};
    std::string result = "/";
    std::size_t p = 1;
    while (p < path.size()) {
        const std::size_t slash = path.find('/', p);
        const std::size_t end = slash == std::string::npos ? path.size() : slash;
        const std::string component = path.substr(p, end - p);
        p = end + 1;
        if (component.empty() || component == ".")
            continue;
        if (component == "..")
            return {};
        const std::string stored = StoredName(result, component);
        struct stat st {};
        if (stored.empty() || ::stat((result + stored).c_str(), &st) != 0)
            return {};
        if (S_ISDIR(st.st_mode)) {
            result += stored + "/";
            continue;
        }
        // A file ends the path; anything after it, even a lone "/", does not exist.
        if (end != path.size())
            return {};
        return result + stored;
    }
    return result;
}

QString SpellPathAsOnDisk(const QString& path)
{
    const bool absolute = path.startsWith(QLatin1Char('/'));
    QStringList parts = path.split(QLatin1Char('/'));
    for (qsizetype i = absolute ? 1 : 0; i < parts.size(); ++i) {
        QString& part = parts[i];
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            continue;
        QString parent = parts.mid(0, i).join(QLatin1Char('/'));
        if (parent.isEmpty() && !absolute)
            parent = QStringLiteral(".");
        if (!parent.endsWith(QLatin1Char('/')))
            parent += QLatin1Char('/');
        const std::string stored = StoredName(parent.toStdString(), part.toStdString());
        if (stored.empty())
            break;
        part = QString::fromStdString(stored);
    }
    return parts.join(QLatin1Char('/'));
}

}  // namespace tw::settings
