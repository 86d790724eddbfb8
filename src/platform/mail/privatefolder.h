#pragma once
// A folder only this user can read, for files handed to other programs
// (the PDF that goes out by mail): the current folder may be unwritable or
// hold a file of the user's own with the same name. Removed with its
// contents when the object goes.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace tw::mail {

class PrivateFolder {
public:
    PrivateFolder();

    bool IsValid() const { return dir_.isValid(); }
    QString Path() const { return dir_.path(); }
    QString FilePath(const QString& name) const { return dir_.filePath(name); }
    // Writes the whole file or reports why not.
    bool Write(const QString& name, const QByteArray& bytes, QString* error) const;
    void Remove(const QString& name) const;

private:
    QTemporaryDir dir_;
};

}  // namespace tw::mail
