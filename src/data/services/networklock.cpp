#include "data/services/networklock.h"

namespace tw::data {

namespace {

constexpr int kRefusalsBeforeBreak = 10;
constexpr int kWaitMilliseconds = 2000;
const char* const kWaitText = "Waiting for network access";

}  // namespace

NetworkLock::NetworkLock(db::Table& access, MainScreenState& state, UserInterface& ui)
    : access_(access),
      state_(state),
      ui_(ui)
{}

bool NetworkLock::CreateRecord(bool take)
{
    access_.append();
    access_.fieldByName("ACCID").setAsInteger(state_.Keys.NewRecordId());
    access_.fieldByName("COUNT").setAsInteger(0);
    access_.fieldByName("USE").setAsBoolean(take);
    access_.fieldByName("UPDATE").setAsFloat(kInitialUpdateCounter);
    access_.post();
    const std::uint32_t mine = access_.recNo();
    access_.refresh();
    access_.first();
    if (access_.recNo() != mine) {
        // Another copy found the table empty at the same moment and its record
        // came first: that one is the lock. Withdraw ours and take the lock
        // like everybody else.
        access_.goTo(mine);
        access_.deleteRecord();
        access_.refresh();
        return false;
    }
    state_.LockRefusals = 0;
    state_.LockHeld = take;
    return true;
}

bool NetworkLock::UpdateAccessRecord(bool take)
{
    std::int64_t count = 0;
    try {
        access_.refresh();
        count = access_.recordCount();
    } catch (const std::exception&) {
        state_.SharedTablesUsable = false;
        state_.TablesOpen = false;
        return true;
    }

    if (count == 0 && CreateRecord(take))
        return true;

    access_.first();
    if (take) {
        bool taken = false;
        access_.testAndSet([&](db::Table& t) {
            if (t.fieldByName("USE").asBoolean())
                return false;
            t.fieldByName("USE").setAsBoolean(true);
            taken = true;
            return true;
        });
        access_.refresh();
        if (taken) {
            state_.LockRefusals = 0;
            state_.LockHeld = true;
            return true;
        }
        if (++state_.LockRefusals < kRefusalsBeforeBreak)
            return false;
        // The holder has not let go through nine waits: break the lock, but
        // do not take it, and leave the shared tables alone from now on.
        state_.LockRefusals = 0;
        access_.testAndSet([](db::Table& t) {
            t.fieldByName("COUNT").setAsInteger(0);
            t.fieldByName("USE").setAsBoolean(false);
            t.fieldByName("UPDATE").setAsFloat(kInitialUpdateCounter);
            return true;
        });
        access_.refresh();
        state_.LockHeld = false;
        state_.SharedTablesUsable = false;
        return true;
    }

    // Release: clear only a lock this copy holds; another copy's lock stays.
    if (state_.LockHeld) {
        access_.testAndSet([](db::Table& t) {
            t.fieldByName("USE").setAsBoolean(false);
            return true;
        });
        access_.refresh();
        state_.LockHeld = false;
    }
    state_.LockRefusals = 0;
    return true;
}

void NetworkLock::TakeWithWait()
{
    bool waited = false;
    while (!UpdateAccessRecord(true)) {
        ui_.SetStatusText(0, kWaitText);
        ui_.RepaintStatus();
        waited = true;
        ui_.Sleep(kWaitMilliseconds);
    }
    if (waited) {
        ui_.SetStatusText(0, "");
        ui_.RepaintStatus();
    }
}

bool NetworkLock::WithSharedTables(const std::function<void()>& work)
{
    TakeWithWait();
    if (!state_.SharedTablesUsable) {
        UpdateAccessRecord(false);
        return false;
    }
    try {
        work();
    } catch (...) {
        UpdateAccessRecord(false);
        throw;
    }
    UpdateAccessRecord(false);
    return true;
}

}  // namespace tw::data
