#pragma once
// A working copy and the shared tables that the Visualize page reads, in a
// scratch folder, with every cursor of the page and the page's logic over a
// chart model. The tables are made empty; OpenCursors opens the cursors once
// the caller has filled them as it likes. The tests and the benchmark start
// from one. It stands in for the page's window, schedule and other pages
// itself: detached, except that every resource works by `calendar`.

#include <filesystem>
#include <string>

#include <unistd.h>

#include "data/layouts/layouts.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/tableops.h"
#include "schedule/visualize/visualizepagelogic.h"
#include "schedule/workingtime.h"
#include "support/recordinguserinterface.h"

namespace tw::visualize::testing {

class ScratchSchedule : public DetachedPage {
public:
    ScratchSchedule() : DetachedPage(loaded)
    {
        tw::locale::PinLocale("en_US");
        char tmpl[] = "/tmp/twvisXXXXXX";
        folder_ = ::mkdtemp(tmpl);
        Create(data::Database::Parameters, "Charts.DBF");
        for (const char* name : {"jobs.dbf", "customers.dbf", "crews.dbf", "ICrews.DBF"})
            Create(data::Database::Scheduler, name);
    }
    ~ScratchSchedule()
    {
        for (db::Table* t : {&c1, &c2, &c3, &c4, &c5, &c6, &c7, &c8, &c9, &jobs, &jobs2, &customers, &crews,
                             &icrews2, &icrews3})
            t->close();
        std::filesystem::remove_all(folder_);
    }
    ScratchSchedule(const ScratchSchedule&) = delete;
    ScratchSchedule& operator=(const ScratchSchedule&) = delete;

    // Every resource works by `calendar`, through the engine as the calendar
    // tables feed it.
    TDateTime ComputeTaskEnd(std::int32_t, TDateTime& startOut, TDateTime start, float hours) override
    {
        return schedule::ComputeTaskEnd(loaded, &calendar, holidays, startOut, start, hours);
    }
    float WorkingHoursBetween(std::int32_t, TDateTime start, TDateTime end) override
    {
        return schedule::WorkingHoursBetween(loaded, &calendar, holidays, start, end);
    }
    const schedule::WorkCalendar& LoadWorkCalendar(std::int32_t) override
    {
        loaded.Load(calendar);
        return loaded;
    }

    void OpenCursors()
    {
        for (db::Table* t : {&c1, &c2, &c3, &c4, &c5, &c6, &c7, &c8, &c9})
            Open(*t, "Charts.DBF");
        Open(jobs, "jobs.dbf");
        Open(jobs2, "jobs.dbf");
        Open(customers, "customers.dbf");
        Open(crews, "crews.dbf");
        Open(icrews2, "ICrews.DBF");
        Open(icrews3, "ICrews.DBF");
        state.TablesOpen = true;
    }
    void Open(db::Table& t, const std::string& name)
    {
        t.setFolder(folder_);
        t.setTableName(name);
        t.open();
    }

    std::string folder_;
    db::Table c1, c2, c3, c4, c5, c6, c7, c8, c9, jobs, jobs2, customers, crews, icrews2, icrews3;
    TChart RAC;
    data::MainScreenState state;
    data::ChartDisplay display;
    data::RecordingUserInterface ui;
    schedule::HolidayList holidays;
    data::JobStatusTexts statusTexts;
    schedule::WorkCalendar loaded;
    // The calendar every resource works by.
    schedule::CalendarRecord calendar;
    ChartTables tables{c1, c2, c3, c4, c5, c6, c7, c8, c9, jobs2, jobs, customers, crews, icrews2, icrews3};
    VisualizePageLogic page{RAC, tables, state, display, ui, statusTexts, loaded, Links()};
    PageControls& controls = page.Controls;
    ChartState& chart = page.Chart;
    ChartDates& dates = page.Dates;
    ChartBuilder& builder = page.Builder;
    TaskStatusBar& status = page.Status;
    DependencySetup& dependencies = page.Dependencies;
    ChartAdjuster& adjuster = page.Adjuster;
    ChartHandlers& handlers = page.Handlers;

private:
    void Create(data::Database database, const char* name)
    {
        const data::TableLayout* layout = data::FindLayout(database, name);
        db::CreateTable(folder_, layout->fileName, layout->fields, layout->indexes);
    }
};

}  // namespace tw::visualize::testing
