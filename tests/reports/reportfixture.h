#pragma once
// The tables the reports read, in a scratch folder: the working copy, the
// assignment rows, the resources, the customers, the company record and the
// page-image table, made empty from the program's layouts and filled by each
// test. Every resource works 8:00 to 16:00 on weekdays unless a test gives it
// a calendar of its own.

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include <QGuiApplication>

#include "data/jobstatus.h"
#include "data/layouts/layouts.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/tableops.h"
#include "reports/bandedreport.h"
#include "reports/reportinputs.h"
#include "schedule/holidaylist.h"
#include "schedule/workcalendar.h"
#include "schedule/workingtime.h"

namespace tw::reports::testing {

// Fonts need an application; a window test has made its own already.
inline void ReportApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "reports_test";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // never destroyed: Qt's statics may be gone by then
}

struct TaskRow {
    std::int32_t Id = 0;
    std::string Customer = "Baker";
    std::string Job = "Kitchen";
    std::string Description = {};
    std::int32_t Crew = 0;
    TDateTime Start = 0, End = 0;
    float Hours = 0;
    int Pin = 1;
    bool Job_ = false;
    bool Shown = true;
    int Status = 3;
    int Group = 0;
    std::string Notes = {};
    TDateTime OriginalStart = 0, OriginalEnd = 0;  // 0: the current ones
};

class ReportFixture {
public:
    ReportFixture()
    {
        ReportApplication();
        tw::locale::PinLocale("en_US");
        char pattern[] = "/tmp/twreportXXXXXX";
        folder_ = ::mkdtemp(pattern);
        Create(data::Database::Parameters, "Charts.DBF");
        Create(data::Database::Parameters, "printer.dbf");
        for (const char* name : {"customers.dbf", "crews.dbf", "ICrews.DBF", "mycomp.dbf"})
            Create(data::Database::Scheduler, name);
        Open(charts, "Charts.DBF");
        Open(icrews2, "ICrews.DBF");
        Open(crews2, "crews.dbf", "DESC");
        Open(crews3, "crews.dbf", "DESC");
        Open(customers, "customers.dbf");
        Open(company, "mycomp.dbf");
        Open(printer, "printer.dbf");
        Open(printer2, "printer.dbf");
        standard.START1 = EncodeTime(8, 0, 0, 0);
        standard.END1 = EncodeTime(16, 0, 0, 0);
        services.WorkingHoursBetween = [this](std::int32_t crew, TDateTime from, TDateTime to) {
            return schedule::WorkingHoursBetween(loaded, &CalendarOf(crew), holidays, from, to);
        };
        services.LoadWorkCalendar = [this](std::int32_t crew) {
            loaded.Load(CalendarOf(crew));
            return loaded.Hours();
        };
        services.JobStatusName = [](int status) { return data::JobStatusTexts().JobStatusName(status); };
        services.UniqueKeyValue = [this](db::Table&, const char*) { return ++keys_; };
    }
    ~ReportFixture()
    {
        for (db::Table* t : {&charts, &icrews2, &crews2, &crews3, &customers, &company, &printer, &printer2})
            t->close();
        std::filesystem::remove_all(folder_);
    }
    ReportFixture(const ReportFixture&) = delete;
    ReportFixture& operator=(const ReportFixture&) = delete;

    const schedule::CalendarRecord& CalendarOf(std::int32_t crew) const
    {
        const auto found = calendars.find(crew);
        return found == calendars.end() ? standard : found->second;
    }

    void AddResource(std::int32_t id, const std::string& name, double rate, const std::string& notes = {})
    {
        crews2.append();
        crews2.fieldByName("CREWID").setAsFloat(id);
        crews2.fieldByName("DESC").setAsString(name);
        crews2.fieldByName("RATE").setAsFloat(rate);
        crews2.fieldByName("NOTES").setAsString(notes);
        crews2.post();
        crews3.refresh();
    }
    void Assign(std::int32_t task, std::int32_t crew)
    {
        icrews2.append();
        icrews2.fieldByName("ICREWID").setAsFloat(++assignments_);
        icrews2.fieldByName("CHARTSID").setAsFloat(task);
        icrews2.fieldByName("CREWID").setAsFloat(crew);
        icrews2.post();
    }
    // The task, and its primary resource's assignment row unless noRow.
    void AddTask(const TaskRow& t, bool assignPrimary = true)
    {
        charts.append();
        charts.fieldByName("CHARTSID").setAsFloat(t.Id);
        charts.fieldByName("CUSTNAME").setAsString(t.Customer);
        charts.fieldByName("JOBNAME").setAsString(t.Job);
        charts.fieldByName("DESC").setAsString(t.Description);
        charts.fieldByName("CREWID").setAsFloat(t.Crew);
        charts.fieldByName("SD").setAsFloat(t.Start);
        charts.fieldByName("ED").setAsFloat(t.End);
        charts.fieldByName("OSD").setAsFloat(t.OriginalStart ? t.OriginalStart : t.Start);
        charts.fieldByName("OED").setAsFloat(t.OriginalEnd ? t.OriginalEnd : t.End);
        charts.fieldByName("HOURS").setAsFloat(t.Hours);
        charts.fieldByName("PIN").setAsFloat(t.Pin);
        charts.fieldByName("JOB").setAsBoolean(t.Job_);
        charts.fieldByName("SHOWIT").setAsBoolean(t.Shown);
        charts.fieldByName("BIDID").setAsFloat(t.Status);
        charts.fieldByName("DGN").setAsFloat(t.Group);
        charts.fieldByName("NOTES").setAsString(t.Notes);
        charts.post();
        if (assignPrimary && !t.Job_)
            Assign(t.Id, t.Crew);
    }
    void SetCompany(const std::string& name, const std::string& addr1, const std::string& addr2,
                    const std::string& city, const std::string& state, const std::string& phone)
    {
        if (company.isEmpty())
            company.append();
        else {
            company.first();
            company.edit();
        }
        company.fieldByName("MYCOMPY").setAsString(name);
        company.fieldByName("MYADDR1").setAsString(addr1);
        company.fieldByName("MYADDR2").setAsString(addr2);
        company.fieldByName("MYCITY").setAsString(city);
        company.fieldByName("MYSTATE").setAsString(state);
        company.fieldByName("MYPHONE").setAsString(phone);
        company.post();
    }
    void AddCustomer(const std::map<std::string, std::string>& fields, bool useAlt = false)
    {
        customers.append();
        for (const auto& [name, value] : fields)
            customers.fieldByName(name).setAsString(value);
        customers.fieldByName("USEALT").setAsBoolean(useAlt);
        customers.post();
    }

    // A weekday at a time of day: Monday 7 December 2026 is day 0.
    static TDateTime At(int day, int hour, int minute = 0)
    {
        return EncodeDate(2026, 12, 7) + day + EncodeTime(hour, minute, 0, 0);
    }

    std::filesystem::path Folder() const { return folder_; }

    // The Gantt report's page records: the INDEX of each, in page order.
    std::vector<std::int32_t> ImageIndexes()
    {
        std::vector<std::int32_t> indexes;
        printer.refresh();
        for (printer.first(); !printer.eof(); printer.next())
            indexes.push_back(printer.fieldByName("INDEX").asInteger());
        return indexes;
    }

    db::Table charts, icrews2, crews2, crews3, customers, company, printer, printer2;
    ReportTables tables{charts, icrews2, crews2, crews3, customers, company, &printer, &printer2};
    ReportServices services;
    SelectionState selection;
    ReportOptions options;
    schedule::CalendarRecord standard;
    std::map<std::int32_t, schedule::CalendarRecord> calendars;
    schedule::HolidayList holidays;
    schedule::WorkCalendar loaded;

private:
    void Create(data::Database database, const char* name)
    {
        const data::TableLayout* layout = data::FindLayout(database, name);
        db::CreateTable(folder_, layout->fileName, layout->fields, layout->indexes);
    }
    void Open(db::Table& t, const std::string& name, const std::string& index = {})
    {
        t.setFolder(folder_);
        t.setTableName(name);
        if (!index.empty())
            t.setIndexName(index);
        t.open();
    }

    std::string folder_;
    int assignments_ = 0;
    std::int32_t keys_ = 0;
};

// Runs the report through both passes and keeps its pages, measured for an
// ideal device.
inline std::vector<ReportPage> Pages(BandedReport& report, bool* ready = nullptr)
{
    static const TextMeasure measure;
    CollectingSink sink;
    const bool ok = RunReport(report, measure, sink);
    if (ready)
        *ready = ok;
    return sink.Pages;
}

// Every text of the named control, page after page.
inline std::vector<QString> Texts(const std::vector<ReportPage>& pages, const QString& name)
{
    std::vector<QString> texts;
    for (const ReportPage& page : pages)
        for (const PageItem* item : page.FindAll(name))
            texts.push_back(item->Text);
    return texts;
}

}  // namespace tw::reports::testing
