#pragma once
// What the window tests share: one QApplication for the test program, a
// recorder that stands in for message boxes and for the end of the program,
// and a user whose config and data folders are fresh temporary ones.

#include "app/appservices.h"

#include <QApplication>
#include <QDir>
#include <QList>
#include <QObject>
#include <QUrl>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>
#include <vector>

namespace tw::app::testing {

inline QApplication& TestApplication()
{
    static int argc = 1;
    static char name[] = "app_windows_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics may be gone by the time it would be.
    static auto* application = new QApplication(argc, argv);
    return *application;
}

// The first member of a fixture that holds widgets.
struct ApplicationInUse {
    ApplicationInUse() { TestApplication(); }
};

// Message boxes are recorded instead of shown, and a request to end the
// program is counted instead of leaving the event loop, while one lives.
class Recorder {
public:
    Recorder()
    {
        previousBox_ = SetMessageBoxHandler([this](const MessageBoxRequest& r) { Boxes.push_back(r); });
        previousTerminate_ = SetTerminateHandler([this] { ++TerminateRequests; });
    }
    ~Recorder()
    {
        SetMessageBoxHandler(previousBox_);
        SetTerminateHandler(previousTerminate_);
    }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    std::vector<MessageBoxRequest> Boxes;
    int TerminateRequests = 0;

private:
    MessageBoxHandler previousBox_;
    TerminateHandler previousTerminate_;
};

// A user of their own: the settings file and the program folder start empty.
// Given a folder, the user's folders lie there (emptied first), so that a
// picture shows the same paths on every machine.
class FreshUser {
public:
    explicit FreshUser(const QString& folder = QString())
        : root_(folder.isEmpty() ? dir_.path() : folder)
    {
        if (!folder.isEmpty()) {
            QDir(folder).removeRecursively();
            QDir().mkpath(folder);
        }
        Save("XDG_CONFIG_HOME", savedConfig_);
        Save("XDG_DATA_HOME", savedData_);
        ::setenv("XDG_CONFIG_HOME", ConfigFolder().toLocal8Bit().constData(), 1);
        ::setenv("XDG_DATA_HOME", DataFolder().toLocal8Bit().constData(), 1);
    }
    ~FreshUser()
    {
        ::setenv("XDG_CONFIG_HOME", savedConfig_.c_str(), 1);
        ::setenv("XDG_DATA_HOME", savedData_.c_str(), 1);
        if (root_ != dir_.path())
            QDir(root_).removeRecursively();
    }
    FreshUser(const FreshUser&) = delete;
    FreshUser& operator=(const FreshUser&) = delete;

    QString ConfigFolder() const { return root_ + QStringLiteral("/config"); }
    QString DataFolder() const { return root_ + QStringLiteral("/data"); }
    QString ProgramFolder() const { return DataFolder() + QStringLiteral("/tarnwick"); }
    std::string RegistryFile() const
    {
        return (ConfigFolder() + QStringLiteral("/tarnwick/registry.ini")).toStdString();
    }

private:
    static void Save(const char* name, std::string& into)
    {
        const char* value = std::getenv(name);
        into = value ? value : "";
    }

    QTemporaryDir dir_;
    QString root_;
    std::string savedConfig_;
    std::string savedData_;
};

// Catches the pages a help button opens instead of starting a browser
// (QDesktopServices::setUrlHandler("file", &catcher, "Open")).
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void Open(const QUrl& url) { Opened << url; }
};

}  // namespace tw::app::testing
