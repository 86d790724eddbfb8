#include "app/appservices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QMessageBox>
#include <QSaveFile>
#include <QUrl>

#include <utility>

namespace tw::app {

namespace {

MessageBoxHandler& CurrentMessageBoxHandler()
{
    static MessageBoxHandler handler;
    return handler;
}

TerminateHandler& CurrentTerminateHandler()
{
    static TerminateHandler handler;
    return handler;
}

void ShowRealMessageBox(const MessageBoxRequest& r)
{
    const QMessageBox::Icon icon = r.Icon == MessageIcon::Stop ? QMessageBox::Critical
        : r.Icon == MessageIcon::Warning                       ? QMessageBox::Warning
                                                               : QMessageBox::Information;
    QMessageBox box(icon, r.Caption, r.Text, QMessageBox::Ok, r.Parent);
    box.setWindowModality(r.Modality == MessageModality::Application || !r.Parent ? Qt::ApplicationModal
                                                                                  : Qt::WindowModal);
    // Boxes raised during the start-up come before the main window is up; on
    // top they cannot hide behind another program's window.
    if (r.Modality == MessageModality::Application)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

}  // namespace

void ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, MessageIcon icon,
                    MessageModality modality)
{
    const MessageBoxRequest request{parent, text, caption, icon, modality};
    if (const MessageBoxHandler& handler = CurrentMessageBoxHandler())
        handler(request);
    else
        ShowRealMessageBox(request);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(CurrentMessageBoxHandler(), std::move(handler));
}

void TerminateApplication()
{
    if (const TerminateHandler& handler = CurrentTerminateHandler())
        handler();
    else
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

TerminateHandler SetTerminateHandler(TerminateHandler handler)
{
    return std::exchange(CurrentTerminateHandler(), std::move(handler));
}

bool OpenHelpPage(const QString& programFolder, const QString& fileName)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(programFolder).filePath(fileName)));
}

QString HelpPageFailureText(const QString& programFolder, const QString& fileName)
{
    if (QFileInfo(QDir(programFolder).filePath(fileName)).isFile())
        return QStringLiteral("No web browser was found to show the help page ") + fileName;
    return QStringLiteral("The help page ") + fileName + QStringLiteral(" could not be opened");
}

QStringList InstallHelpPages(const QString& programFolder)
{
    QStringList failed;
    const QDir pages(QStringLiteral(":/help"));
    QDir().mkpath(programFolder);
    for (const QString& name : pages.entryList(QDir::Files, QDir::Name)) {
        QFile source(pages.filePath(name));
        if (!source.open(QIODevice::ReadOnly)) {
            failed << name;
            continue;
        }
        const QByteArray text = source.readAll();
        const QString targetName = QDir(programFolder).filePath(name);
        QFile current(targetName);
        if (current.open(QIODevice::ReadOnly) && current.readAll() == text)
            continue;
        current.close();
        QSaveFile target(targetName);
        if (!target.open(QIODevice::WriteOnly) || target.write(text) != text.size() || !target.commit())
            failed << name;
    }
    return failed;
}

}  // namespace tw::app
