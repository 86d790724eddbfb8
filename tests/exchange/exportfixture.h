#pragma once
// The export's world in one test: a schedule folder (customers, jobs,
// resources and their assignments) and a program folder (the working
// schedule and the settings) made with the table engine, the data module's
// views over them, a recording dialog and main window, and a local company
// whose every request set is kept as the product's XML text.

#include <QTemporaryDir>

#include <filesystem>

#include "data/layouts/layouts.h"
#include "exchange/qb/libraryerror.h"
#include "exchange/qb/localsessionmanager.h"
#include "exchange/qb/xmlcodec.h"
#include "exchange/qbexport/exportjob.h"
#include "exchange/qbtestcompany.h"
#include "platform/db/tableops.h"
#include "quillmarkfixture.h"
#include "support/exchangerecorder.h"

namespace tw::exchange::qbexport::test {

// The dialog's controls as plain values, and what was shown in order.
class RecordingExportView : public ExportJobView {
public:
    bool hints = true;
    TaskTexts texts;
    int exportType = kSingleTask;
    bool typeEnabled = true;
    bool jobPanelEnabled = true;
    bool costChecked = false;
    bool labelEnabled = true;
    bool countEnabled = true;
    int count = 4;
    QString countText = QStringLiteral("4");
    QString itemName;
    QStringList statuses;
    int shown = 0;
    int restored = 0;

    void ShowStatus(const QString& text) override { statuses << text; }
    void SetHintsShown(bool on) override { hints = on; }
    void ShowTask(const TaskTexts& t) override { texts = t; }
    int ExportTypeIndex() const override { return exportType; }
    void SetExportTypeIndex(int index) override { exportType = index; }
    void SetExportTypeEnabled(bool on) override { typeEnabled = on; }
    void SetJobPanelEnabled(bool on) override { jobPanelEnabled = on; }
    bool ExportCostChecked() const override { return costChecked; }
    void SetExportCostChecked(bool on) override { costChecked = on; }
    void SetMatchLabelEnabled(bool on) override { labelEnabled = on; }
    void SetMatchCountEnabled(bool on) override { countEnabled = on; }
    void ShowMatchCount(int c) override
    {
        count = c;
        countText = QString::number(c);
    }
    QString MatchCountText() const override { return countText; }
    void SetItemName(const QString& text) override { itemName = text; }
    void ShowWindow() override { ++shown; }
    void RestoreWindow() override { ++restored; }
};

class RecordingExportHost : public ExportJobHost {
public:
    bool selectionInForce = false;
    bool searchActive = false;
    std::string searchFilter;
    bool restrictToCrew = false;
    std::int32_t currentCrew = 0;
    // Working hours: the span's length in hours, as if every hour were worked.
    QStringList calls;

    bool SelectionInForce() const override { return selectionInForce; }
    bool ResourceSearchActive() const override { return searchActive; }
    std::string ResourceSearchFilter() const override { return searchFilter; }
    bool RestrictTasksToCrew() const override { return restrictToCrew; }
    std::int32_t CurrentResourceId() const override { return currentCrew; }
    float WorkingHoursBetween(std::int32_t, TDateTime start, TDateTime end) override
    {
        return static_cast<float>((end - start) * 24.0);
    }
    void ShowQuickBooksSetup(bool restricted) override
    {
        calls << QStringLiteral("setup %1").arg(restricted ? "restricted" : "full");
    }
    void OpenHelpPage(const QString& page) override { calls << "help " + page; }
};

// The local company's session manager, keeping each request set's text.
class RecordingManager : public qb::SessionManager {
public:
    RecordingManager(std::unique_ptr<qb::SessionManager> inner, std::shared_ptr<QStringList> sets)
        : inner_(std::move(inner)),
          sets_(std::move(sets))
    {}
    std::uint32_t OpenConnection(const QString& id, const QString& name) override
    {
        return inner_->OpenConnection(id, name);
    }
    std::uint32_t BeginSession(const QString& file, int mode) override
    {
        return inner_->BeginSession(file, mode);
    }
    std::uint32_t QBXMLVersionsForSession(QStringList& v) override
    {
        return inner_->QBXMLVersionsForSession(v);
    }
    std::optional<qb::MsgSetRequest> CreateMsgSetRequest(const QString& c, int major, int minor) override
    {
        return inner_->CreateMsgSetRequest(c, major, minor);
    }
    std::optional<qb::ResponseSet> DoRequests(const qb::MsgSetRequest& set) override
    {
        if (set.Request()) {
            *sets_ << qb::EncodeRequestSet(set);
            // The library's error for one kind of request, where the fault script would hit the first set.
            if (!throwOn.isEmpty() && qb::RequestName(*set.Request()) == throwOn)
                throw qb::LibraryError(QStringLiteral("DoRequests"), 0x80040400, QStringLiteral("Timed out"));
        }
        return inner_->DoRequests(set);
    }
    QString throwOn;
    std::uint32_t EndSession() override { return inner_->EndSession(); }
    std::uint32_t CloseConnection() override { return inner_->CloseConnection(); }
    QString FailureText() const override { return inner_->FailureText(); }

private:
    std::unique_ptr<qb::SessionManager> inner_;
    std::shared_ptr<QStringList> sets_;
};

inline TDateTime At(int y, int m, int d, int h, int min = 0)
{
    return EncodeDate(y, m, d) + EncodeTime(h, min, 0, 0);
}

class ExportWorld {
public:
    explicit ExportWorld(const qb::CompanyData& company = qb::test::SampleCompany()) : company_(company)
    {
        using tw::test::CreateFromLayouts;
        CreateFromLayouts(schedule_, data::Database::Scheduler,
                          {"customers.dbf", "jobs.dbf", "crews.dbf", "ICrews.DBF"});
        CreateFromLayouts(program_, data::Database::Parameters, {"Charts.DBF", "params.dbf"});
        recorder.companyFile = company_.Path();
    }
    ~ExportWorld()
    {
        logic.reset();
        for (db::Table* t : {&CustomersTable, &ChartsTable, &ChartsTable3, &JobsTable2, &CrewsTable2,
                             &ICrewsTable2, &ParamsTable})
            t->close();
        std::filesystem::remove_all(schedule_);
        std::filesystem::remove_all(program_);
    }

    void AddRows(const std::vector<tw::test::FixtureRow>& rows)
    {
        std::vector<tw::test::FixtureRow> schedule, program;
        for (const auto& r : rows)
            (std::string(r.table) == "Charts.DBF" || std::string(r.table) == "params.dbf" ? program
                                                                                          : schedule)
                .push_back(r);
        tw::test::AppendRows(schedule_, schedule);
        tw::test::AppendRows(program_, program);
    }

    // Opens the views, stands the main window on that customer and item, and makes the dialog.
    void Start(std::int32_t customerId, std::int32_t chartsId)
    {
        const auto open = [](db::Table& t, const std::string& folder, const char* name,
                             const char* index = "") {
            t.setFolder(folder);
            t.setTableName(name);
            t.setIndexName(index);
            t.open();
        };
        open(CustomersTable, schedule_, "customers.dbf");
        open(JobsTable2, schedule_, "jobs.dbf");
        open(CrewsTable2, schedule_, "crews.dbf");
        open(ICrewsTable2, schedule_, "ICrews.DBF");
        open(ChartsTable, program_, "Charts.DBF");
        open(ChartsTable3, program_, "Charts.DBF");
        open(ParamsTable, program_, "params.dbf");
        CustomersTable.locate("CID", db::Value(double(customerId)));
        ChartsTable.locate("CHARTSID", db::Value(double(chartsId)));
        logic = std::make_unique<ExportJobToQB>(Tables(), Services(host), view);
    }

    // The views as the main window hands them over (after Start).
    ExportJobTables Tables()
    {
        return {CustomersTable, ChartsTable,  ChartsTable3, JobsTable2,
                CrewsTable2,    ICrewsTable2, ParamsTable};
    }
    // The recorder's services, the given main window and the local company.
    ExportJobServices Services(ExportJobHost& mainWindow)
    {
        return {recorder,
                recorder,
                recorder,
                recorder,
                mainWindow,
                [this]() -> std::unique_ptr<qb::SessionManager> {
                    qb::LocalSessionManager::Options o;
                    o.mode = mode;
                    o.openCompany = company_.Path();
                    o.faults = faults;
                    o.calls = calls;
                    auto m = std::make_unique<RecordingManager>(
                        std::make_unique<qb::LocalSessionManager>(std::move(o)), sets);
                    m->throwOn = throwOn;
                    return m;
                }};
    }

    // "Send to QuickBooks", with what the run sent and said kept apart from earlier runs.
    void Send(qb::FaultScript script = {})
    {
        faults = std::move(script);
        sets->clear();
        calls->clear();
        view.statuses.clear();
        recorder.boxes.clear();
        logic->ExportJobClick();
    }

    // A field of the record of that key, read afresh.
    std::string Field(const char* table, const char* key, std::int32_t id, const char* field) const
    {
        db::Table t;
        const std::string name = table;
        t.setFolder(name == "Charts.DBF" || name == "params.dbf" ? program_ : schedule_);
        t.setTableName(name);
        t.open();
        if (!t.locate(key, db::Value(double(id))))
            return "<none>";
        return t.fieldByName(field).asString();
    }
    void SetField(const char* table, const char* key, std::int32_t id, const char* field,
                  const std::string& v)
    {
        db::Table t;
        const std::string name = table;
        t.setFolder(name == "Charts.DBF" || name == "params.dbf" ? program_ : schedule_);
        t.setTableName(name);
        t.open();
        ASSERT_TRUE(t.locate(key, db::Value(double(id))));
        t.edit();
        tw::test::SetByText(t.fieldByName(field), v);
        t.post();
    }
    // params.dbf's one record.
    void SetParam(const char* field, const std::string& v)
    {
        db::Table t;
        t.setFolder(program_);
        t.setTableName("params.dbf");
        t.open();
        t.first();
        t.edit();
        tw::test::SetByText(t.fieldByName(field), v);
        t.post();
    }
    std::string Param(const char* field) const
    {
        db::Table t;
        t.setFolder(program_);
        t.setTableName("params.dbf");
        t.open();
        t.first();
        return t.fieldByName(field).asString();
    }
    void Delete(const char* table, const char* key, std::int32_t id)
    {
        db::Table t;
        const std::string name = table;
        t.setFolder(name == "Charts.DBF" ? program_ : schedule_);
        t.setTableName(name);
        t.open();
        ASSERT_TRUE(t.locate(key, db::Value(double(id))));
        t.deleteRecord();
    }

    // The company as the product keeps it now.
    qb::CompanyData Company() const
    {
        QString error;
        auto c = qb::LocalCompany::Open(company_.Path(), &error);
        EXPECT_TRUE(c) << error.toStdString();
        return c ? c->Data() : qb::CompanyData{};
    }
    const qb::CustomerRet* CompanyCustomer(const qb::CompanyData& d, const QString& name) const
    {
        for (const qb::CustomerRet& c : d.customers)
            if (c.Name == name)
                return &c;
        return nullptr;
    }
    const qb::ItemRet* CompanyItem(const qb::CompanyData& d, const QString& name) const
    {
        for (const qb::ItemRet& i : d.items)
            if (i.Name == name)
                return &i;
        return nullptr;
    }

    db::Table CustomersTable, ChartsTable, ChartsTable3, JobsTable2, CrewsTable2, ICrewsTable2, ParamsTable;
    tw::test::ExchangeRecorder recorder;
    RecordingExportView view;
    RecordingExportHost host;
    qb::LinkMode mode = qb::LinkMode::Typed;
    qb::FaultScript faults;
    QString throwOn;  // a request kind whose send raises the library's error
    std::shared_ptr<QStringList> sets = std::make_shared<QStringList>();
    std::shared_ptr<QStringList> calls = std::make_shared<QStringList>();
    std::unique_ptr<ExportJobToQB> logic;

private:
    qb::test::CompanyFolder company_;
    std::string schedule_ = tw::test::MakeTempFolder("twexps");
    std::string program_ = tw::test::MakeTempFolder("twexpp");
};

}  // namespace tw::exchange::qbexport::test
