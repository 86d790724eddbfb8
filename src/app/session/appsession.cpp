#include "app/session/appsession.h"

#include <exception>

#include <QString>

#include <utility>

namespace tw::app {

AppSession::AppSession(const std::string& aliasFile)
    : data_(std::make_unique<data::TEstimateData>(aliasFile)),
      lock_(std::make_unique<data::NetworkLock>(data_->AccessTable, State, interface_)),
      tables_(std::make_unique<data::TableOperations>(*data_, State, interface_, *lock_))
{
    data::TEstimateData& d = *data_;
    scheduleTables_ = std::make_unique<schedule::ScheduleTables>(schedule::ScheduleTablesOf(d));
    sync_ = std::make_unique<schedule::ScheduleSync>(*scheduleTables_, State, interface_);
    calendars_ = std::make_unique<schedule::CalendarTables>(d.CalendarTable, Holidays, State);
    schedule::AddTaskHooks addHooks;
    // The item goes to the current resource, described as crews.dbf has it.
    addHooks.GetCurrentResource = [this](std::string& description) {
        db::Table& crews = data_->CrewsTable4;
        description.clear();
        if (crews.active() && crews.locate("CREWID", db::Value(double(State.CurrentResourceId))))
            description =
                QString::fromStdString(crews.fieldByName("DESC").asString()).trimmed().toStdString();
        return State.CurrentResourceId;
    };
    adder_ = std::make_unique<schedule::ScheduleAdder>(*scheduleTables_, State, interface_, *sync_,
                                                       std::move(addHooks));
    settingsTables_ = std::make_unique<StartupSettingsTables>(
        app::SettingsTables{d.ParamsTable, d.QBSetupTable, d.ETable, d.MyCompanyTable}, State, Settings,
        Chart, Flags);
}

// The services refer to the data module's tables; they go before it.
AppSession::~AppSession()
{
    settingsTables_.reset();
    adder_.reset();
    calendars_.reset();
    sync_.reset();
    scheduleTables_.reset();
    tables_.reset();
    lock_.reset();
    data_.reset();
}

void AppSession::RecomputeAllTaskEnds()
{
    try {
        calendars_->RecomputeAllTaskEnds(data_->ChartsTable5, data_->ChartsTable);
    } catch (const std::exception& e) {
        interface_.ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
    }
}

// Every shared-table operation gives the lock back when it is done, so this
// finds it held only after one of them was cut short.
void AppSession::ReleaseHeldLock()
{
    if (!State.LockHeld)
        return;
    db::Table& access = data_->AccessTable;
    try {
        const bool wasOpen = access.active();
        if (!wasOpen)
            access.open();
        lock_->UpdateAccessRecord(false);
        if (!wasOpen)
            access.close();
    } catch (const std::exception&) {
        // The record cannot be reached; the other copies break the lock after their waits.
    }
}

}  // namespace tw::app
