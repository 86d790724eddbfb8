#pragma once
// The network lock: the one record of Access.dbf in the shared schedule
// database. A copy of the program sets its USE flag before it writes to or
// reads from the shared schedule tables and clears it when done; a copy that
// finds the lock held through ten tries in a row breaks it and from then on
// leaves the shared tables alone until it is restarted.
//
// The flag is taken with the engine's test-and-set (record lock, re-read from
// disk, set, durable write, unlock), so two copies can never both hold it, and
// a copy only ever clears a lock that it holds itself or that it breaks.

#include <functional>

#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "platform/db/table.h"

namespace tw::data {

class NetworkLock {
public:
    // access: the cursor on Access.dbf (AccessTable), open.
    NetworkLock(db::Table& access, MainScreenState& state, UserInterface& ui);

    // Takes (true) or releases (false) the lock. True when the request is done:
    // taken, released, created, broken, or the lock record unreadable (then
    // SharedTablesUsable and TablesOpen are cleared); false only when a take is
    // refused because another copy holds the lock.
    bool UpdateAccessRecord(bool take);

    // Takes the lock, showing "Waiting for network access" in status panel 0
    // and sleeping 2 seconds between refused tries.
    void TakeWithWait();

    // The pattern of every shared-table operation: take with wait; when the
    // shared tables are usable run work; release on every path, also when work
    // throws (the exception goes on to the caller). False when the work was
    // skipped because the shared tables are not usable.
    bool WithSharedTables(const std::function<void()>& work);

private:
    bool CreateRecord(bool take);

    db::Table& access_;
    MainScreenState& state_;
    UserInterface& ui_;
};

// The single-precision 1.1 that a new or broken lock record carries in UPDATE.
inline constexpr float kInitialUpdateCounter = 1.1f;

}  // namespace tw::data
