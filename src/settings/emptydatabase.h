#pragma once
// "Empty database": deletes every record of the schedule database and of
// this workstation's working copies but the company record, and leaves the
// program running on the empty data.
//
//   EmptyDatabase empty(host, ui);
//   empty.EmptyDatabaseClick();
//
// A table that cannot be emptied is named in a box; the tables emptied
// before it stay empty, as the user asked, the hourglass goes, Busy is
// cleared, the lock is let go and the screens are refreshed.

#include <string>
#include <vector>

#include "data/services/userinterface.h"
#include "platform/db/table.h"

namespace tw::settings {

class EmptyDatabaseHost {
public:
    virtual ~EmptyDatabaseHost() = default;

    // A question box without owner: Yes and No, No the default, question icon.
    virtual bool Question(const std::string& text, const std::string& caption) = 0;
    virtual bool SharedTablesUsable() const = 0;
    // The data module's table component of that name ("IChartsTable2", "MyCompanyTable", ...).
    virtual db::Table& Component(const std::string& name) = 0;
    virtual void SetCalendarPanelEnabled(bool enabled) = 0;
    virtual void SaveAndClearAllocations(bool clearChart) = 0;
    // Takes (true) or releases (false) the lock record; false while another workstation holds it.
    virtual bool UpdateAccessRecord(bool take) = 0;
    // Refreshes the data module's browsing tables after the emptying.
    virtual void RefreshTables() = 0;
    virtual void SetChangeCounter(float value) = 0;
    // Work calendar mode 0: the list with "Default for all resources", its entry 0 shown.
    virtual void ShowDefaultCalendar() = 0;
    virtual void ReindexDatabase() = 0;
    // Caption "Tarnwick", "No customers", "No jobs", "No tasks", the task navigator disabled.
    virtual void ShowEmptyScreens() = 0;
    // The run's TablesBusy flag, which the step holds while it works on the tables.
    virtual bool& TablesBusy() = 0;
};

struct EmptiedTable {
    const char* component;
    const char* file;
    bool shared;  // emptied only under the lock and while the shared tables are usable
};

// The tables emptied, in the order they are.
const std::vector<EmptiedTable>& EmptiedTableList();

enum class EmptyOutcome { Declined, Failed, Completed };

class EmptyDatabase {
public:
    EmptyDatabase(EmptyDatabaseHost& host, data::UserInterface& ui);
    EmptyOutcome EmptyDatabaseClick();

private:
    void Empty(const EmptiedTable& table, bool closeAfter);

    EmptyDatabaseHost& host_;
    data::UserInterface& ui_;
};

}  // namespace tw::settings
