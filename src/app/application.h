#pragma once
// The program's application object. Every event of every window is delivered
// through DeliverShowingErrors: an exception that an event handler lets out
// reaches the user as its own text in an "Error" box over the window in use,
// and the program goes on, instead of unwinding through the event loop.

#include <QApplication>

#include <functional>

namespace tw::app {

// Runs one delivery; a failure is shown and counts as not handled.
bool DeliverShowingErrors(const std::function<bool()>& deliver);

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace tw::app
