#pragma once
// A started installation in a scratch folder with the tab's logic over the
// data module, the schedule adder and synchronisation wired as the main
// window wires them, and a way to add resources, tasks and assignments.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "query/querypagelogic.h"
#include "data/services/recordservices.h"
#include "platform/datetime/localetexts.h"
#include "scratchinstallation.h"
#include "schedule/sync/addtask.h"
#include "schedule/sync/schedulesync.h"
#include "support/recordinguserinterface.h"
#include "support/december.h"

namespace tw::query::testing {

using fixtures::Day;

inline QueryTables QueryTablesOf(data::TEstimateData& d)
{
    return {d.CustomersTable, d.JobsTable,    d.JobsTable2,   d.JobsTable3,
            d.ChartsTable,    d.ChartsTable2, d.ChartsTable3, d.ChartsTable6,
            d.ChartsTable9,   d.CrewsTable,   d.CrewsTable4,  d.ICrewsTable,
            d.ICrewsTable2,   d.IChartsTable, d.AccessTable,  d};
}

// The tab's window and the rest of the program as the logic reaches them:
// the questions asked and their answer, the task editor's openings, the
// chart's display mode, the clock; the assignment rows go as the adder
// removes them. The other pages show nothing here.
class FakeQueryPage : public QueryView, public QueryHost {
public:
    explicit FakeQueryPage(schedule::ScheduleAdder& adder) : adder_(adder) {}

    bool answer = true;
    bool jobMode = false;
    TDateTime now = fixtures::Day(9, 14);
    std::vector<std::string> questions;
    std::vector<TaskEditorRequest> editorRequests;

    bool Confirm(const std::string& text, const std::string& caption) override
    {
        questions.push_back(caption + ": " + text);
        return answer;
    }
    void OpenTaskEditor(const TaskEditorRequest& request) override { editorRequests.push_back(request); }
    void ShowTaskStatusBar() override {}
    void LoadCustomFieldValues(int) override {}
    void SearchCustomFields() override {}
    void DeleteCrewIndexRows(std::int32_t chartsId) override { adder_.DeleteCrewIndexRows(chartsId); }
    void ShowWorkCalendar(std::int32_t) override {}
    void FillCalendarResourceList(bool) override {}
    std::pair<TDateTime, TDateTime> WorkingDay() override { return {0, 0}; }
    int ChartDisplayChoice() const override { return jobMode ? 0 : 1; }
    void SetChartSortBy(int) override {}
    bool SaveTasksGridWidths(const std::array<int, 4>&) override { return false; }
    TDateTime Now() const override { return now; }

private:
    schedule::ScheduleAdder& adder_;
};

class QueryFixture : public ::testing::Test {
protected:
    QueryFixture()
    {
        locale::PinLocale("en_US");
        inst.ops_->OpenAllTables(true);
        EXPECT_TRUE(state.TablesOpen);
        logic.ConnectDataModule();
    }

    std::int32_t AddResource(const std::string& name)
    {
        const std::int32_t key = data::UniqueKeyValue(state.Keys, d.CrewsTable4, "CREWID");
        d.CrewsTable4.append();
        d.CrewsTable4.fieldByName("CREWID").setAsInteger(key);
        d.CrewsTable4.fieldByName("DESC").setAsString(name);
        d.CrewsTable4.post();
        for (db::Table* t : {&d.CrewsTable, &d.CrewsTable2, &d.CrewsTable3})
            t->refresh();
        return key;
    }

    // A task of the resource, pushed to the shared schedule with its assignment row.
    std::int32_t AddTask(std::int32_t resource, const std::string& customer, const std::string& job,
                         const std::string& desc, TDateTime start, double hours, int status = 3)
    {
        schedule::NewScheduleItem item;
        item.Key = data::UniqueKeyValue(state.Keys, d.ChartsTable5, "CHARTSID");
        item.CustomerName = customer;
        item.JobName = job;
        item.Description = desc;
        item.Start = start;
        item.End = start + hours / 24.0;
        item.Hours = static_cast<float>(hours);
        item.JobStatus = status;
        item.LengthUnit = 1;
        state.CurrentResourceId = resource;
        EXPECT_TRUE(adder.AddTaskToSchedule(item)) << desc;
        return item.Key;
    }

    // Every key the view shows, in its order.
    static std::vector<std::int32_t> Keys(db::Table& view, const char* field = "CHARTSID")
    {
        std::vector<std::int32_t> keys;
        view.refresh();
        for (view.first(); !view.eof(); view.next())
            keys.push_back(view.fieldByName(field).asInteger());
        return keys;
    }
    static bool Holds(db::Table& table, const char* field, std::int32_t key)
    {
        schedule::CursorForWork open(table);
        table.refresh();
        return table.locate(field, db::Value(double(key)));
    }
    void Select(db::Table& view, const char* field, std::int32_t key)
    {
        view.refresh();
        ASSERT_TRUE(view.locate(field, db::Value(double(key)))) << key;
    }

    data::testing::ScratchInstallation inst;
    data::TEstimateData& d = *inst.data_;
    data::MainScreenState& state = inst.state_;
    data::RecordingUserInterface& ui = inst.ui_;
    schedule::ScheduleTables tables = schedule::ScheduleTablesOf(d);
    schedule::ScheduleSync sync{tables, state, ui};
    schedule::ScheduleAdder adder{tables, state, ui, sync};
    FakeQueryPage page{adder};
    QueryState queryState;
    QueryPageLogic logic{QueryTablesOf(d), d.Views(), page, page, queryState, state, ui};
};

}  // namespace tw::query::testing
