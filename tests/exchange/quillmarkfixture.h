#pragma once
// A small Quillmark database and the schedule tables the bid import touches,
// made with the table engine from the compiled layouts and a compact row
// table: each row names a table and its fields as "FIELD=value" pairs.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "data/layouts/layouts.h"
#include "exchange/quillmark/bidimport.h"
#include "exchange/quillmark/quillmarktables.h"
#include "platform/datetime/datetime.h"
#include "platform/db/table.h"
#include "platform/db/tableops.h"

namespace tw::test {

struct FixtureRow {
    const char* table;
    std::vector<std::pair<const char*, std::string>> fields;
};

inline std::string MakeTempFolder(const char* stem)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(stem) + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        std::abort();
    return pattern;
}

inline void CreateFromLayouts(const std::string& folder, data::Database database,
                              const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        const data::TableLayout* layout = data::FindLayout(database, name);
        db::CreateTable(folder, layout->fileName, layout->fields, layout->indexes, true);
    }
}

inline void SetByText(db::Field field, const std::string& text)
{
    switch (field.type()) {
    case db::FieldType::Logical: field.setAsBoolean(text == "T"); break;
    case db::FieldType::Date: {
        // "YYYY-MM-DD"
        field.setAsDateTime(EncodeDate(std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)),
                                       std::stoi(text.substr(8, 2))));
        break;
    }
    case db::FieldType::Char:
    case db::FieldType::Memo: field.setAsString(text); break;
    default: field.setAsFloat(std::stod(text)); break;
    }
}

// Appends the rows in one batch per call.
inline void AppendRows(const std::string& folder, const std::vector<FixtureRow>& rows)
{
    db::WriteBatch batch;
    for (const FixtureRow& row : rows) {
        db::Table t;
        t.setFolder(folder);
        t.setTableName(row.table);
        t.open();
        t.append();
        for (const auto& [name, text] : row.fields)
            SetByText(t.fieldByName(name), text);
        t.post();
    }
    batch.commit();
}

inline const std::vector<std::string>& QuillmarkFiles()
{
    static const std::vector<std::string> files = {"bid.dbf",   "company.dbf",  "projects.DBF", "iproj.dbf",
                                                   "estimate.dbf", "labor.dbf", "rates.DBF",    "hourssum.DBF",
                                                   "matssum.DBF", "wo1",        "wo2"};
    return files;
}

inline const std::vector<std::string>& ScheduleFiles()
{
    static const std::vector<std::string> files = {"customers.dbf", "jobs.dbf"};
    return files;
}

// The fixture of the import's tests: companies active, inactive, one that
// differs from a customer only in case, one whose CID customers.dbf holds;
// bids approved or not, a long description, company 0, a missing company;
// estimate lines of each part type, labour at several rates in one section,
// a parts-only section, sections differing in case and blanks, a labour line
// without labour or rate row, work-order notes, earlier summary rows.
inline std::vector<FixtureRow> QuillmarkRows()
{
    auto part = [](const char* pid, const char* type, const char* qty, const char* extra1, const char* v1,
                   const char* extra2, const char* v2, const char* price, const char* section,
                   const char* location = "") {
        FixtureRow r{"estimate.dbf",
                     {{"PID", pid}, {"ISPART", "T"}, {"TYPE", type}, {"QTY", qty}, {"PRICE", price},
                      {"SECTION", section}, {"LOCATION", location}}};
        if (*extra1)
            r.fields.push_back({extra1, v1});
        if (*extra2)
            r.fields.push_back({extra2, v2});
        return r;
    };
    auto labour = [](const char* pid, const char* qty, const char* hours, const char* rate, const char* laborId,
                     const char* section) {
        return FixtureRow{"estimate.dbf",
                          {{"PID", pid}, {"ISPART", "F"}, {"QTY", qty}, {"HOURS", hours}, {"RATE", rate},
                           {"LABORID", laborId}, {"SECTION", section}}};
    };
    return {
        {"company.dbf", {{"CID", "1"}, {"NAME", "Alder Roofing"}, {"CITY", "Leeds"}}},
        {"company.dbf", {{"CID", "2"}, {"NAME", "Birch, Anna"}, {"S1", "T"}}},
        {"company.dbf", {{"CID", "3"}, {"NAME", "cedar works"}}},
        {"company.dbf", {{"CID", "4"}, {"NAME", "Dunmore, Pat"}, {"PHONE1", "555-0104"}}},
        {"bid.dbf", {{"BIDID", "500"}, {"CID", "1"}, {"DESC", "Roof renewal"}, {"DATE", "2026-03-05"},
                     {"S3", "T"}, {"BIDNO", "7"}}},
        {"bid.dbf", {{"BIDID", "501"}, {"CID", "2"}, {"DESC", "Kitchen extension with a rear garden room and"
                                                              " patio"}, {"DATE", "2026-03-06"}}},
        {"bid.dbf", {{"BIDID", "502"}, {"CID", "0"}, {"DESC", "No company"}, {"DATE", "2026-03-06"}}},
        {"bid.dbf", {{"BIDID", "503"}, {"CID", "9"}, {"DESC", "Lost company"}, {"DATE", "2026-03-06"}}},
        {"bid.dbf", {{"BIDID", "504"}, {"CID", "4"}, {"DESC", "Porch"}, {"DATE", "2026-03-09"}, {"S3", "T"}}},
        {"bid.dbf", {{"BIDID", "505"}, {"CID", "3"}, {"DESC", "Fence parts"}, {"DATE", "2026-03-10"}}},
        {"iproj.dbf", {{"IPID", "1"}, {"BIDID", "500"}, {"PID", "11"}}},
        {"iproj.dbf", {{"IPID", "2"}, {"BIDID", "500"}, {"PID", "12"}}},
        {"iproj.dbf", {{"IPID", "3"}, {"BIDID", "504"}, {"PID", "13"}}},
        {"iproj.dbf", {{"IPID", "4"}, {"BIDID", "505"}, {"PID", "14"}}},
        {"projects.DBF", {{"PID", "11"}, {"CID", "1"}}},
        {"projects.DBF", {{"PID", "12"}, {"CID", "1"}}},
        {"projects.DBF", {{"PID", "13"}, {"CID", "4"}}},
        {"projects.DBF", {{"PID", "14"}, {"CID", "3"}}},
        {"projects.DBF", {{"PID", "15"}, {"CID", "3"}}},
        // Project 11 in SECTION order: "  Gutters " (0), "ROOF" (1), "Roof" (2..5), "Trim" (6, 7).
        part("11", "2", "2", "FEET", "3", "INCHES", "6", "4", "Roof", "North"),
        part("11", "7", "3", "", "", "", "", "2.5", "Roof"),
        labour("11", "1", "2", "40", "1", "Roof"),
        labour("11", "1", "3", "55", "2", "Roof"),
        part("11", "3", "2", "FEET", "1", "WEIGHTPER", "1.5", "10", "ROOF"),
        labour("11", "1", "1.5", "47.3", "99", "  Gutters "),
        part("11", "5", "2", "METERS", "1.25", "", "", "8", "Trim"),
        part("11", "6", "1", "METERS", "2", "WEIGHTPER", "0.5", "3", "Trim"),
        // Project 12: "Gutters" (0) at 47.3 again, "Paint" (1) without hours, "Roof" (2) at 40 again.
        labour("12", "1", "0.5", "47.3", "99", "Gutters"),
        labour("12", "2", "1", "40", "1", "Roof"),
        labour("12", "1", "0", "40", "1", "Paint"),
        labour("13", "1", "4", "50", "1", "Steps"),
        part("14", "1", "10", "", "", "", "", "12", "Panels"),
        {"labor.dbf", {{"LABORID", "1"}, {"RATEID", "100"}}},
        {"labor.dbf", {{"LABORID", "2"}, {"RATEID", "200"}}},
        {"rates.DBF", {{"RATEID", "100"}, {"DESC", "Journeyman"}, {"RATE", "40"}}},
        {"rates.DBF", {{"RATEID", "200"}, {"DESC", "Foreman"}, {"RATE", "55"}}},
        {"hourssum.DBF", {{"HOURSSUM", "999"}, {"RATE", "40"}, {"HOURSID", "1"}, {"BIDID", "500"}}},
        {"hourssum.DBF", {{"HOURSSUM", "12"}, {"RATE", "30"}, {"HOURSID", "2"}, {"BIDID", "777"}}},
        {"matssum.DBF", {{"MATSSUM", "5"}, {"MATSDESC", "Old"}, {"MATSID", "500"}, {"BIDID", "500"},
                         {"HOURS", "9"}, {"LABORSUM", "90"}}},
        {"matssum.DBF", {{"MATSSUM", "6"}, {"MATSDESC", "Other"}, {"MATSID", "777"}, {"BIDID", "777"}}},
        {"wo1", {{"PID", "11"}, {"WID", "1"}, {"SECTION", "Roof"}, {"NOTES", "Strip old shingles"}}},
        {"wo1", {{"PID", "15"}, {"WID", "2"}, {"SECTION", "Roof"}, {"NOTES", "Not this bid"}}},
        {"wo2", {{"PID", "11"}, {"WID", "3"}, {"LOCATION", "North"}, {"NOTES", "Check flashing"}}},
    };
}

inline std::vector<FixtureRow> ScheduleRows()
{
    return {
        {"customers.dbf", {{"CID", "70"}, {"NAME", "Alder Roofing"}}},
        {"customers.dbf", {{"CID", "50"}, {"NAME", "Cedar Works"}}},
        {"customers.dbf", {{"CID", "4"}, {"NAME", "Holder of four"}}},
        {"jobs.dbf", {{"JID", "900"}, {"CID", "50"}, {"BIDID", "505"}, {"DESC", "Fence, first try"},
                      {"CUSTNAME", "Cedar Works"}}},
    };
}

// The fixture's two databases in temporary folders, the Quillmark cursors
// open and the schedule cursors the import looks up and appends through.
struct QuillmarkFolders {
    QuillmarkFolders()
        : qm(MakeTempFolder("qm")), sched(MakeTempFolder("sched"))
    {
        CreateFromLayouts(qm, data::Database::Estimator, QuillmarkFiles());
        CreateFromLayouts(sched, data::Database::Scheduler, ScheduleFiles());
        AppendRows(qm, QuillmarkRows());
        AppendRows(sched, ScheduleRows());
        tables.Open(qm);
        for (db::Table* t : {&customers2, &customers3, &jobs2, &jobs3}) {
            t->setFolder(sched);
            t->setTableName(t == &customers2 || t == &customers3 ? "customers.dbf" : "jobs.dbf");
            t->open();
        }
    }
    ~QuillmarkFolders()
    {
        tables.Close();
        for (db::Table* t : {&customers2, &customers3, &jobs2, &jobs3})
            t->close();
        std::filesystem::remove_all(qm);
        std::filesystem::remove_all(sched);
    }
    exchange::quillmark::ScheduleCursors Cursors() { return {customers2, customers3, jobs2, jobs3}; }

    std::string qm, sched;
    exchange::quillmark::QuillmarkTables tables;
    db::Table customers2, customers3, jobs2, jobs3;
};

// A host that adds nothing anywhere: it counts the tasks and keeps the last
// main status text.
class SilentImportHost : public exchange::quillmark::BidImportHost {
public:
    std::string alias = "VAZOdiz";
    std::string QMAliasInUse() const override { return alias; }
    std::int32_t GetCurrentResource() override { return 1; }
    TDateTime WorkDayStart() const override { return 1.0 / 3; }
    TDateTime ComputeTaskEnd(std::int32_t, TDateTime& start, TDateTime value, float hours) override
    {
        start = value;
        return value + hours / 24.0;
    }
    std::int32_t NewScheduleKey() override { return ++key; }
    bool AddTaskToSchedule(const schedule::NewScheduleItem&) override
    {
        ++added;
        return true;
    }
    void PushChartUpdates() override {}
    void RefreshCustomers() override {}
    void SetCustomersLabel(const QString&) override {}
    void EnableJobsNavigator() override {}
    void ShowCustomerAndJob(std::int32_t, std::int32_t) override {}
    void ShowMainStatus(const QString& text) override { mainStatus = text; }
    std::int32_t key = 0;
    int added = 0;
    QString mainStatus;
};

}  // namespace tw::test
