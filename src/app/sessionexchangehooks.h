#pragma once
// The accounting exchange's message boxes, hourglass and busy flag over the
// running program's session, shared by the exchange windows' hosts.

#include "exchange/exchangeservices.h"

namespace tw::app {

class AppSession;

class SessionExchangeHooks : public exchange::ExchangeMessages, public exchange::ExchangeBusyHooks {
public:
    explicit SessionExchangeHooks(AppSession& session) : session_(session) {}

    // ExchangeMessages
    void ShowStopMessage(const QString& text, const QString& caption) override;
    // ExchangeBusyHooks: the hourglass and the flag that keeps the update poll away.
    void SetHourglass(bool on) override;
    bool Busy() const override;
    void SetBusy(bool on) override;

private:
    AppSession& session_;
    bool hourglass_ = false;
};

}  // namespace tw::app
