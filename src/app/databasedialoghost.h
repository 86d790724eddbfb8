#pragma once
// What the two database-name dialogs (databaseselection.h) ask of the running
// program beyond the session: the start-up's side of the main window answers.

#include <QColor>

namespace tw::app {

class DatabaseDialogHost {
public:
    virtual ~DatabaseDialogHost() = default;
    // The colour the dialogs' entry fields take.
    virtual QColor DialogFieldColour() const = 0;
    // Every table opened (rebuildAllowed: a damaged index is rebuilt) and the pages attached.
    virtual void OpenAllTables(bool rebuildAllowed) = 0;
    // The Work calendar page on the schedule database switched to: its
    // holidays, and the calendar of the mode in force.
    virtual void ShowSwitchedCalendars() = 0;
};

}  // namespace tw::app
