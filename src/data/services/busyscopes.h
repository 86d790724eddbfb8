#pragma once
// The one guard for a busy step: it sets a busy flag (the run's TablesBusy,
// or a dialog's own flag that keeps its handlers idle) and shows the
// hourglass for a scope, and puts back what it found. A step run inside
// another busy step leaves the outer one busy; an error that escapes the
// step puts both back too: a flag left set would keep the poll and the
// scroll handlers idle for the rest of the run.
//
//   data::BusyScope busy(state, ui);   // TablesBusy and the hourglass
//   data::BusyScope busy(state);       // TablesBusy only
//   data::BusyScope busy(ui);          // the hourglass only
//
// A step that spans two events keeps one in a std::optional and resets it on
// every path that ends the step.

#include <utility>

#include "data/services/mainstate.h"
#include "data/services/userinterface.h"

namespace tw::data {

class BusyScope {
public:
    BusyScope(bool& flag, UserInterface& ui) : BusyScope(&flag, &ui) {}
    BusyScope(MainScreenState& state, UserInterface& ui) : BusyScope(&state.TablesBusy, &ui) {}
    explicit BusyScope(bool& flag) : BusyScope(&flag, nullptr) {}
    explicit BusyScope(MainScreenState& state) : BusyScope(&state.TablesBusy, nullptr) {}
    explicit BusyScope(UserInterface& ui) : BusyScope(nullptr, &ui) {}
    ~BusyScope() { Release(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    // Gives the hourglass back early, before a message box; the flag stays.
    void ReleaseHourglass()
    {
        if (UserInterface* ui = std::exchange(ui_, nullptr))
            ui->SetBusyCursor(false);
    }
    // Puts the flag back early, before work that must not find it set; the
    // hourglass stays.
    void ReleaseFlag()
    {
        if (bool* flag = std::exchange(flag_, nullptr))
            *flag = flagBefore_;
    }
    // Both back early; once.
    void Release()
    {
        ReleaseFlag();
        ReleaseHourglass();
    }

private:
    BusyScope(bool* flag, UserInterface* ui) : flag_(flag), ui_(ui)
    {
        if (flag_) {
            flagBefore_ = *flag_;
            *flag_ = true;
        }
        if (ui_)
            ui_->SetBusyCursor(true);
    }

    bool* flag_;
    bool flagBefore_ = false;
    UserInterface* ui_;
};

// The normal cursor while a dialog asks the user in the middle of a busy step.
class NormalCursor {
public:
    explicit NormalCursor(UserInterface& ui) : ui_(ui) { ui_.SetBusyCursor(false); }
    ~NormalCursor() { ui_.SetBusyCursor(true); }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    UserInterface& ui_;
};

}  // namespace tw::data
