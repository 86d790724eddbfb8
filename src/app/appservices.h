#pragma once
// The few services every window of the program reaches for: message boxes,
// ending the program and opening help pages.
//
// Message boxes and the end of the program go through replaceable handlers, so
// that a test can record what a window would have said, or that it asked the
// program to end, instead of blocking on a modal box or leaving the event loop:
//
//   std::vector<MessageBoxRequest> shown;
//   auto previous = SetMessageBoxHandler([&](const MessageBoxRequest& r) { shown.push_back(r); });
//   ...
//   SetMessageBoxHandler(previous);

#include <QString>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace tw::app {

enum class MessageIcon { Stop, Warning, Information };

// Application: the box blocks every window of the program (the start-up's
// fatal errors). Window: it blocks only its parent's window.
enum class MessageModality { Application, Window };

struct MessageBoxRequest {
    QWidget* Parent = nullptr;
    QString Text;
    QString Caption;
    MessageIcon Icon = MessageIcon::Stop;
    MessageModality Modality = MessageModality::Application;
};

using MessageBoxHandler = std::function<void(const MessageBoxRequest&)>;

// Shows an OK box and returns when the user closed it. The box belongs to the
// window the user works in (MessageBoxOwner), so that it opens on top of it.
void ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, MessageIcon icon,
                    MessageModality modality);
// The window a box asked for by parent opens over: the modal dialog or the
// active window of the program, else a stay-on-top window that shows, else parent.
QWidget* MessageBoxOwner(QWidget* parent);
// The box ShowMessageBox shows, not yet shown.
std::unique_ptr<QMessageBox> MakeMessageBox(const MessageBoxRequest& request);
// Replaces the handler; an empty handler restores the real box. Returns the
// handler in use before.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Asks the application to end once control is back in its event loop.
void TerminateApplication();
using TerminateHandler = std::function<void()>;
TerminateHandler SetTerminateHandler(TerminateHandler handler);

// Opens the help page fileName of the program folder in the desktop's browser.
// False when the desktop could not open it.
bool OpenHelpPage(const QString& programFolder, const QString& fileName);
// What to tell the user when OpenHelpPage failed: that no browser was found
// when the page is there, otherwise that the page could not be opened.
QString HelpPageFailureText(const QString& programFolder, const QString& fileName);
// Opens the help page and, when that fails, says why in an "Error" box owned by parent.
void ShowHelpPage(QWidget* parent, const QString& programFolder, const QString& fileName);

// Writes the program's help pages into the program folder, replacing those
// whose text differs (a newer program brings newer pages). Returns the names
// of the pages that could not be written.
QStringList InstallHelpPages(const QString& programFolder);

}  // namespace tw::app
