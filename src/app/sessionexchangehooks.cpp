#include "app/sessionexchangehooks.h"

#include "app/session/appsession.h"

namespace tw::app {

void SessionExchangeHooks::ShowStopMessage(const QString& text, const QString& caption)
{
    session_.Interface().ShowMessage(text.toStdString(), caption.toStdString(), data::MessageIcon::Stop);
}

void SessionExchangeHooks::SetHourglass(bool on)
{
    // The interface counts its hourglasses; only a change is passed on.
    if (on == hourglass_)
        return;
    hourglass_ = on;
    session_.Interface().SetBusyCursor(on);
}

bool SessionExchangeHooks::Busy() const
{
    return session_.State.TablesBusy;
}

void SessionExchangeHooks::SetBusy(bool on)
{
    session_.State.TablesBusy = on;
}

}  // namespace tw::app
