#include "app/appservices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QMessageBox>
#include <QSaveFile>
#include <QUrl>

#include <memory>
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

bool StaysOnTop(const QWidget* window)
{
    return window && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void ShowRealMessageBox(const MessageBoxRequest& r)
{
    std::unique_ptr<QMessageBox> box = MakeMessageBox(r);
    box->exec();
}

}  // namespace

QWidget* MessageBoxOwner(QWidget* parent)
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    // With no window of the program active, a stay-on-top window would still
    // cover a box of the window beneath it.
    for (QWidget* top : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = top->windowType();
        if (top->isVisible() && StaysOnTop(top) && (type == Qt::Window || type == Qt::Dialog))
            return top;
    }
    return parent;
}

std::unique_ptr<QMessageBox> MakeMessageBox(const MessageBoxRequest& r)
{
    const QMessageBox::Icon icon = r.Icon == MessageIcon::Stop ? QMessageBox::Critical
        : r.Icon == MessageIcon::Warning                       ? QMessageBox::Warning
                                                               : QMessageBox::Information;
    auto box = std::make_unique<QMessageBox>(icon, r.Caption, r.Text, QMessageBox::Ok, r.Parent);
    box->setWindowModality(r.Modality == MessageModality::Application || !r.Parent ? Qt::ApplicationModal
                                                                                   : Qt::WindowModal);
    // Boxes raised during the start-up come before the main window is up; on
    // top they cannot hide behind another program's window. A box of a
    // stay-on-top window stays above it.
    if (r.Modality == MessageModality::Application || (r.Parent && StaysOnTop(r.Parent->window())))
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
    return box;
}

void ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, MessageIcon icon,
                    MessageModality modality)
{
    // The window the user works in shows the box, on top of it.
    const MessageBoxRequest request{MessageBoxOwner(parent), text, caption, icon, modality};
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

void ShowHelpPage(QWidget* parent, const QString& programFolder, const QString& fileName)
{
    if (!OpenHelpPage(programFolder, fileName))
        ShowMessageBox(parent, HelpPageFailureText(programFolder, fileName), QStringLiteral("Error"),
                       MessageIcon::Stop, MessageModality::Window);
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
