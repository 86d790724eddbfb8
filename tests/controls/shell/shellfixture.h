#pragma once
// A namespace over a temporary tree: a home folder with a desktop directory,
// and a drive table holding "/" alone, so nothing depends on the machine's
// mounts, user or settings.

#include "controls/shell/fcdrivetable.h"
#include "controls/shell/fcidlist.h"
#include "controls/shell/fcshellnamespace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tw::controls::shell::testing {

class NoRemovables final : public DriveProbe {
public:
    QString Label(const QString&) const override { return {}; }
    QString Uuid(const QString&) const override { return {}; }
    bool IsRemovable(const QString&) const override { return false; }
};

inline QCoreApplication& CoreApplication()
{
    static int argc = 1;
    static char name[] = "tw_fcshell_test";
    static char* argv[] = {name, nullptr};
    static auto* app =
        QCoreApplication::instance() ? QCoreApplication::instance() : new QCoreApplication(argc, argv);
    return *app;
}

class ShellTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoreApplication();
        ASSERT_TRUE(dir_.isValid());
        root_ = QDir::cleanPath(dir_.path());
        home_ = root_ + QStringLiteral("/home");
        QDir().mkpath(home_ + QStringLiteral("/Desktop"));
        QDir().mkpath(home_ + QStringLiteral("/.config"));
        QDir().mkpath(home_ + QStringLiteral("/.local/share"));
        NamespaceEnvironment env;
        env.home = home_;
        env.configHome = home_ + QStringLiteral("/.config");
        env.dataHome = home_ + QStringLiteral("/.local/share");
        SetNamespaceEnvironment(env);
        SetDriveTableSource(
            [] { return DriveTable::Parse(QStringLiteral("/dev/sda1 / ext4 rw 0 0\n"), NoRemovables()); });
    }
    void TearDown() override
    {
        SetDriveTableSource({});
        SetNamespaceEnvironment(SystemNamespaceEnvironment());
    }

    QString MakeDir(const QString& rel)
    {
        const QString path = root_ + QLatin1Char('/') + rel;
        QDir().mkpath(path);
        return path;
    }
    QString MakeFile(const QString& rel, const QByteArray& content = QByteArray("x"))
    {
        const QString path = root_ + QLatin1Char('/') + rel;
        QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return path;
    }

    QTemporaryDir dir_;
    QString root_;
    QString home_;
};

}  // namespace tw::controls::shell::testing
