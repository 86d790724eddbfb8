#pragma once
// The accounting exchange's message boxes, hourglass and busy flag over the
// running program's session, shared by the exchange windows' hosts; and the
// new schedule items of the two imports (Quillmark, QuickBooks).

#include "exchange/exchangeservices.h"

namespace tw::app {

class AppSession;

class SessionExchangeHooks : public exchange::ExchangeMessages, public exchange::ExchangeBusyHooks {
public:
    explicit SessionExchangeHooks(AppSession& session) : session_(session) {}

    // ExchangeMessages
    void ShowStopMessage(const QString& text, const QString& caption) override;
    // ExchangeBusyHooks: the session's interface for the hourglass and the
    // flag that keeps the update poll away.
    data::UserInterface& Interface() override;
    bool& BusyFlag() override;

private:
    AppSession& session_;
};

// Its overrides stand in for those of the imports' hosts, which take the
// interface as a virtual base: a host lists it beside its own interface.
class SessionScheduleAdding : public virtual exchange::ScheduleItemAdding {
public:
    explicit SessionScheduleAdding(AppSession& session) : session_(session) {}

    std::int32_t NewScheduleKey() override;
    bool AddTaskToSchedule(const schedule::NewScheduleItem& item) override;

private:
    AppSession& session_;
};

}  // namespace tw::app
