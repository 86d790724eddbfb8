#pragma once
// A stand-in for xdg-email in a folder of its own: it records its command
// line and the first bytes of the file after --attach, and ends with the
// status it is told to, saying why on its error output as xdg-email does.

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace tw::mail::test {

class StandInMailProgram {
public:
    StandInMailProgram()
    {
        QFile script(Program());
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\n"
                     "here=$(dirname \"$0\")\n"
                     "printf '%s\\0' \"$@\" > \"$here/args\"\n"
                     "previous=\n"
                     "for a; do [ \"$previous\" = --attach ] && head -c 5 \"$a\" > \"$here/head\" "
                     "2>/dev/null; previous=$a; done\n"
                     "status=$(cat \"$here/status\" 2>/dev/null || echo 0)\n"
                     "[ \"$status\" = 0 ] || echo 'xdg-email: no method available for opening mail' >&2\n"
                     "exit \"$status\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    bool IsValid() const { return dir_.isValid() && QFile::exists(Program()); }
    QString Folder() const { return dir_.path(); }
    QString Program() const { return dir_.filePath(QStringLiteral("xdg-email")); }
    void SetStatus(int status) const { Write(QStringLiteral("status"), QByteArray::number(status)); }

    // The arguments of the last run; empty when it did not run.
    QStringList Arguments() const
    {
        QStringList args;
        const QByteArray bytes = Read(QStringLiteral("args"));
        for (const QByteArray& a : bytes.split('\0'))
            args << QString::fromUtf8(a);
        args.removeLast();
        return args;
    }
    QByteArray AttachmentHead() const { return Read(QStringLiteral("head")); }

private:
    void Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(dir_.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QByteArray Read(const QString& name) const
    {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
};

}  // namespace tw::mail::test
