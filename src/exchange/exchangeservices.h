#pragma once
// What the accounting exchange needs of the program around it, as small
// interfaces of its own: the application session, the setup dialog and the
// windows implement them in a few lines, and tests record through them.

#include <cstdint>

#include <QString>

namespace tw::data {
class UserInterface;
}

namespace tw::schedule {
struct NewScheduleItem;
}

namespace tw::exchange {

// Message boxes of the exchange: stop icon, OK button, system-modal.
class ExchangeMessages {
public:
    virtual ~ExchangeMessages() = default;
    virtual void ShowStopMessage(const QString& text, const QString& caption) = 0;
};

// Panel 0 of the operation's window's status bar, repainted at once (the
// user-interface thread is blocked while the exchange runs).
class ExchangeStatus {
public:
    virtual ~ExchangeStatus() = default;
    virtual void ShowStatus(const QString& text) = 0;
};

// What a step's data::BusyScope holds: the user interface that shows the
// hourglass, and the busy flag kept while the step moves tables under the
// grids (the main window's TablesBusy, or the setup dialog's own flag when
// the exchange runs from there).
class ExchangeBusyHooks {
public:
    virtual ~ExchangeBusyHooks() = default;
    virtual data::UserInterface& Interface() = 0;
    virtual bool& BusyFlag() = 0;
};

// New items for the schedule, as the imports add them. The hosts of both
// imports take it as a virtual base, so that one implementation over the
// session serves them both.
class ScheduleItemAdding {
public:
    virtual ~ScheduleItemAdding() = default;
    // A CHARTSID that the working schedule does not hold.
    virtual std::int32_t NewScheduleKey() = 0;
    virtual bool AddTaskToSchedule(const schedule::NewScheduleItem& item) = 0;
};

// The settings of the accounting link (main-window state and qbsetup.dbf).
class ExchangeSettings {
public:
    virtual ~ExchangeSettings() = default;
    // 0 Canada, 1 US, 2 Other.
    virtual int QBEdition() const = 0;
    virtual void SetQBEdition(int edition) = 0;
    // qbsetup.dbf USCAN: edit, set, post, refresh.
    virtual void WriteUSCAN(int edition) = 0;
    virtual QString QBCompanyFile() const = 0;
    // The edition check passed in this run; the setup dialog clears it.
    virtual bool QBAccessChecked() const = 0;
    virtual void SetQBAccessChecked(bool checked) = 0;
    // The setup dialog's gate, asked before every session.
    virtual bool QBAccessPermitted() = 0;
};

// The setup dialog's part in the edition check: its status bar and its
// edition choice (items "Canada", "US", "Other"), whose click handler must
// stay idle while the check sets it. Reached whether the dialog is shown or not.
class SetupEditionView {
public:
    virtual ~SetupEditionView() = default;
    virtual void ShowVersionsStatus(const QString& text) = 0;
    virtual void SetEditionClickEnabled(bool enabled) = 0;
    virtual void SetEditionChoice(int item) = 0;
};

struct ExchangeServices {
    ExchangeMessages& messages;
    ExchangeStatus& status;
    ExchangeBusyHooks& busy;
    ExchangeSettings& settings;
    SetupEditionView& setup;
};

}  // namespace tw::exchange
