#include "app/application.h"

#include "app/appservices.h"

#include <exception>

namespace tw::app {

bool DeliverShowingErrors(const std::function<bool()>& deliver)
{
    QString text;
    try {
        return deliver();
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = QStringLiteral("An unexpected error stopped the last action");
    }
    ShowMessageBox(QApplication::activeWindow(), text, QStringLiteral("Error"), MessageIcon::Stop,
                   MessageModality::Window);
    return false;
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    return DeliverShowingErrors([&] { return QApplication::notify(receiver, event); });
}

}  // namespace tw::app
