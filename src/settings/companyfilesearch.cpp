#include "settings/companyfilesearch.h"

#include "settings/setupnames.h"

#include <QDir>
#include <QFileInfo>

#include <deque>

#include <sys/stat.h>

namespace tw::settings {

namespace {

const QString kAnyFile = QStringLiteral("/*.*");

bool DeviceOf(const QString& path, dev_t& device)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    device = info.st_dev;
    return true;
}

}  // namespace

QStringList FindCompanyFiles(const QString& volumeRoot, CompanyFileSearchProgress* progress)
{
    QStringList found;
    dev_t rootDevice = 0;
    if (!DeviceOf(volumeRoot, rootDevice))
        return found;
    QString root = volumeRoot;
    while (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root.chop(1);
    std::deque<QString> patterns{root == QLatin1String("/") ? kAnyFile : root + kAnyFile};
    while (!patterns.empty()) {
        if (progress && progress->stop.load())
            break;
        const QString folder = SearchPatternFolder(patterns.front());
        patterns.pop_front();
        const QDir dir(folder.isEmpty() ? QStringLiteral("/") : folder);
        const QFileInfoList entries =
            dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& entry : entries) {
            if (entry.isSymLink())
                continue;
            const QString path = folder + QLatin1Char('/') + entry.fileName();
            if (entry.isDir()) {
                dev_t device = 0;
                if (DeviceOf(path, device) && device == rootDevice)
                    patterns.push_back(path + kAnyFile);
            } else if (FileExtensionUpper(entry.fileName()) == QLatin1String("QBW")) {
                found.push_back(path);
                if (progress)
                    progress->filesFound.store(static_cast<int>(found.size()));
            }
        }
        if (progress)
            ++progress->foldersSearched;
    }
    found.sort();
    return found;
}

}  // namespace tw::settings
