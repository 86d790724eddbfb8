#include "platform/mail/privatefolder.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace tw::mail {

PrivateFolder::PrivateFolder() : dir_(QDir::tempPath() + QStringLiteral("/tarnwick-mail-XXXXXX"))
{
    // QTemporaryDir already makes the folder 0700.
}

bool PrivateFolder::Write(const QString& name, const QByteArray& bytes, QString* error) const
{
    if (!dir_.isValid()) {
        if (error)
            *error = QStringLiteral("No temporary folder: ") + dir_.errorString();
        return false;
    }
    QSaveFile file(FilePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void PrivateFolder::Remove(const QString& name) const
{
    QFile::remove(FilePath(name));
}

}  // namespace tw::mail
