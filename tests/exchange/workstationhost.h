#pragma once
// The bid import's host over a real workstation: tasks go through the
// schedule's own adder onto a working copy and are pushed to the shared
// tables, ends come from a working calendar (8:00 to 17:00, Monday to Friday).

#include <memory>

#include "data/recordkeys.h"
#include "data/services/recordservices.h"
#include "exchange/quillmark/bidimport.h"
#include "schedule/sync/addtask.h"
#include "schedule/workcalendar.h"
#include "schedule/workingtime.h"
#include "workstation.h"

namespace tw::test {

class WorkstationHost : public exchange::quillmark::BidImportHost {
public:
    explicit WorkstationHost(schedule::test::Workstation& ws) : ws_(ws)
    {
        schedule::CalendarRecord r;
        r.START1 = EncodeTime(8, 0, 0, 0);
        r.END1 = EncodeTime(17, 0, 0, 0);
        calendar.Load(r);
        ws_.state.CurrentResourceId = 7;
    }

    exchange::quillmark::ScheduleCursors Cursors()
    {
        return {ws_.CustomersTable2, ws_.CustomersTable3, ws_.JobsTable2, ws_.JobsTable3};
    }

    std::string QMAliasInUse() const override { return "VAZOdiz"; }
    std::int32_t GetCurrentResource() override { return ws_.state.CurrentResourceId; }
    TDateTime WorkDayStart() const override { return EncodeTime(8, 0, 0, 0); }
    TDateTime ComputeTaskEnd(std::int32_t, TDateTime& start, TDateTime startValue, float hours) override
    {
        return schedule::ComputeTaskEnd(calendar, holidays, start, startValue, hours);
    }
    std::int32_t NewScheduleKey() override { return data::UniqueKeyValue(keys, ws_.ChartsTable7, "CHARTSID"); }
    bool AddTaskToSchedule(const schedule::NewScheduleItem& item) override { return adder.AddTaskToSchedule(item); }
    void PushChartUpdates() override { ws_.sync.PushChartUpdates(); }
    void RefreshCustomers() override { ws_.CustomersTable.refresh(); }
    void SetCustomersLabel(const QString&) override {}
    void EnableJobsNavigator() override {}
    void ShowCustomerAndJob(std::int32_t customerId, std::int32_t jobId) override
    {
        ws_.CustomersTable.refresh();
        ws_.CustomersTable.locate("CID", static_cast<double>(customerId));
        ws_.JobsTable.refresh();
        ws_.JobsTable.locate("JID", static_cast<double>(jobId));
    }
    void ShowMainStatus(const QString& text) override { mainStatus = text; }

    schedule::WorkCalendar calendar;
    schedule::HolidayList holidays;
    data::RecordKeys keys;
    QString mainStatus;

private:
    schedule::test::Workstation& ws_;

public:
    schedule::ScheduleAdder adder{ws_.tables, ws_.state, ws_.ui, ws_.sync};
};

}  // namespace tw::test
