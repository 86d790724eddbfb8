#pragma once
// The one guard for the TablesBusy flag and the one guard for the hourglass.
// Both put back what was there before, so that a step run inside another
// busy step leaves the outer one busy; an error that escapes the step puts
// both back too: a flag left set would keep the poll and the scroll handlers
// idle for the rest of the run.

#include <utility>

#include "data/services/mainstate.h"
#include "data/services/userinterface.h"

namespace tw::data {

class BusyCursor {
public:
    explicit BusyCursor(UserInterface& ui) : ui_(ui) { ui_.SetBusyCursor(true); }
    ~BusyCursor() { Release(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    // Gives the hourglass back early, before a message box; once.
    void Release()
    {
        if (std::exchange(held_, false))
            ui_.SetBusyCursor(false);
    }

private:
    UserInterface& ui_;
    bool held_ = true;
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

class TablesBusyScope {
public:
    explicit TablesBusyScope(MainScreenState& state) : state_(state), before_(state.TablesBusy)
    {
        state_.TablesBusy = true;
    }
    ~TablesBusyScope() { state_.TablesBusy = before_; }
    TablesBusyScope(const TablesBusyScope&) = delete;
    TablesBusyScope& operator=(const TablesBusyScope&) = delete;

private:
    MainScreenState& state_;
    bool before_;
};

}  // namespace tw::data
