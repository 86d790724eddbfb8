#pragma once
// "Import from QuickBooks" over a new installation and a local company: a
// host that adds tasks through the schedule's own adder, lays them on a
// working calendar (8:00 to 17:00, Monday to Friday), defines custom fields
// through the custom-field rules and makes calendars through the Work
// calendar page's logic; and a view that records what the window would show.

#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

#include "customers/customfieldrules.h"
#include "data/services/recordservices.h"
#include "exchange/importqb/importqblogic.h"
#include "exchange/qb/localsessionmanager.h"
#include "exchange/qbtestcompany.h"
#include "platform/datetime/localetexts.h"
#include "schedule/holidaylist.h"
#include "schedule/sync/addtask.h"
#include "schedule/sync/calendartables.h"
#include "schedule/sync/scheduletables.h"
#include "schedule/workcalendartab/workcalendartab.h"
#include "scratchinstallation.h"
#include "support/exchangerecorder.h"

namespace tw::exchange::test {

class RecordingImportView : public ImportQBView {
public:
    const ImportQBLogic* logic = nullptr;
    std::vector<bool> boxes = std::vector<bool>(7, true);
    QStringList captions = QStringList(7, QString());
    QString rate;
    bool employeesEnabled = true;
    std::optional<bool> hints;
    std::optional<int> selected;
    std::vector<int> shownOrder;  // empty: the rows in their own order
    int left = -1, shown = 0, restored = 0, reloads = 0;
    QStringList status;
    // Progress: the steps seen, and the step at which Stop is pressed (-1: never).
    std::vector<int> steps;
    int stopAt = -1;
    int progressTotal = -1;
    bool progressOpen = false;

    void ShowStatus(const QString& text) override { status << text; }
    void BeginProgress(int total) override
    {
        progressTotal = total;
        progressOpen = true;
    }
    bool StepProgress(int done) override
    {
        steps.push_back(done);
        return stopAt < 0 || done < stopAt;
    }
    void EndProgress() override { progressOpen = false; }
    bool ListOptionChecked(int item) const override { return boxes[static_cast<std::size_t>(item)]; }
    void SetListOptionCaption(int item, const QString& caption) override { captions[item] = caption; }
    QString HourlyRateText() const override { return rate; }
    void SetHourlyRateText(const QString& text) override { rate = text; }
    void SetEmployeesEnabled(bool enabled) override { employeesEnabled = enabled; }
    void SetHintsShown(bool on) override { hints = on; }
    void ReloadRows() override { ++reloads; }
    std::optional<int> SelectedIndex() const override { return selected; }
    std::vector<int> ShownIndexes() const override
    {
        if (!shownOrder.empty())
            return shownOrder;
        std::vector<int> all;
        for (const QBJobRow& row : logic->Rows())
            all.push_back(row.Index);
        return all;
    }
    int WindowWidth() const override { return 800; }
    void PlaceWindow(int l) override { left = l; }
    void LayOut() override {}
    void ShowWindow() override { ++shown; }
    void RestoreWindow() override { ++restored; }
};

class TestImportHost : public ImportExchangeHost,
                       public ImportSettings,
                       public ImportScheduleHost,
                       public ImportTaskPages,
                       public ImportRecordPages {
public:
    TestImportHost(data::TEstimateData& d, data::MainScreenState& state, data::UserInterface& ui)
        : d_(d),
          state_(state),
          tables_(schedule::ScheduleTablesOf(d)),
          sync_(tables_, state, ui),
          adder_(tables_, state, ui, sync_),
          calendars_(d.CalendarTable, holidays_, state),
          calendarTab_({d.CalendarTable, d.CalendarTable2, d.HolidaysTable, d.HolidaysTable2, d.CrewsTable2},
                       state, holidays_, ui, noRecompute_),
          rules_({d.CustomersTable, d.CustomersTable2, d.CrewsTable, d.CrewsTable2, d.ChartsTable,
                  d.ChartsTable2, d.CustomFieldsTable, d.CustomFieldsTable2, d.CustomFieldsTable3},
                 state)
    {}

    tw::test::ExchangeRecorder recorder;
    qb::LinkMode mode = qb::LinkMode::Typed;
    QString openCompany;
    qb::FaultScript faults;
    std::shared_ptr<QStringList> calls = std::make_shared<QStringList>();
    QStringList statusTexts = QStringList(6, QString());
    int taskEditorLeft = 300;
    bool editorOpen = false;
    // The task editor: what it was asked, and whether the user saves.
    std::vector<tasks::EditorArguments> editorCalls;
    // Whether the shared schedule tables were held open while the editor waited on the user.
    std::vector<bool> sharedOpenAtEditor;
    bool editorSaves = true;
    std::vector<std::int32_t> calendarsShown;
    QStringList mainStatus = QStringList(2, QString());
    QStringList loadedNames;
    // What the pages were told, notice by notice.
    std::vector<data::ScheduleChanges> notices;

    ImportQBHosts Hosts() { return {*this, *this, *this, *this, *this}; }

    ExchangeMessages& Messages() override { return recorder; }
    ExchangeBusyHooks& Busy() override { return recorder; }
    ExchangeSettings& Settings() override { return recorder; }
    SetupEditionView& Setup() override { return recorder; }
    std::unique_ptr<qb::SessionManager> CreateSessionManager() override
    {
        qb::LocalSessionManager::Options o;
        o.mode = mode;
        o.openCompany = openCompany;
        o.faults = faults;
        o.calls = calls;
        faults = {};  // each fault is used once, across sessions
        return std::make_unique<qb::LocalSessionManager>(std::move(o));
    }
    QStringList JobStatusTexts() const override { return statusTexts; }
    void SetJobStatusTexts(const QStringList& texts) override { statusTexts = texts; }
    Currency AverageRate() const override { return Currency::FromDouble(state_.AverageRate); }
    void SetAverageRate(Currency rate) override { state_.AverageRate = rate.ToDouble(); }
    int TaskEditorLeft() const override { return taskEditorLeft; }
    int WorkCalendarMode() const override { return state_.WorkCalendarMode; }
    std::int32_t GetCurrentResource() override
    {
        db::Table& crews = d_.CrewsTable;
        crews.refresh();
        crews.first();
        if (crews.eof()) {
            const std::int32_t id = data::UniqueKeyValue(state_.Keys, d_.CrewsTable4, "CREWID");
            crews.append();
            crews.fieldByName("CREWID").setAsInteger(id);
            crews.fieldByName("DESC").setAsString("New resource");
            crews.post();
        }
        state_.CurrentResourceId = crews.fieldByName("CREWID").asInteger();
        state_.AverageRate = crews.fieldByName("RATE").asFloat();
        return state_.CurrentResourceId;
    }
    float WorkingHoursBetween(std::int32_t crew, TDateTime s, TDateTime e) override
    {
        return calendars_.WorkingHoursBetween(crew, s, e);
    }
    TDateTime ComputeTaskEnd(std::int32_t crew, TDateTime& start, TDateTime value, float hours) override
    {
        return calendars_.ComputeTaskEnd(crew, start, value, hours);
    }
    TDateTime WorkDayStart() override
    {
        calendars_.LoadWorkCalendar(true, state_.CurrentResourceId);
        return calendars_.Loaded().WorkDayStart();
    }
    TDateTime WorkDayEnd() override
    {
        calendars_.LoadWorkCalendar(true, state_.CurrentResourceId);
        return calendars_.Loaded().WorkDayEnd();
    }
    std::int32_t NewScheduleKey() override
    {
        return data::UniqueKeyValue(state_.Keys, d_.ChartsTable7, "CHARTSID");
    }
    bool AddTaskToSchedule(const schedule::NewScheduleItem& item) override
    {
        return adder_.AddTaskToSchedule(item);
    }
    void AddThenPush(const std::function<std::set<std::int32_t>()>& adds) override
    {
        ++addThenPushCalls;
        sync_.AddThenPush(adds);
    }
    int addThenPushCalls = 0;
    bool TaskEditorOpen() const override { return editorOpen; }
    bool ShowTaskEditor(const tasks::EditorArguments& args) override
    {
        editorCalls.push_back(args);
        sharedOpenAtEditor.push_back(d_.IChartsTable.active() || d_.ITasksTable2.active());
        return editorSaves;
    }
    void ScheduleChanged(data::ScheduleChanges changes) override { notices.push_back(changes); }
    void ApplyCustomerQuery() override {}
    void ShowCustomerCount() override {}
    std::int32_t CurrentTaskKey() override { return 0; }
    void LocateCurrentTask(std::int32_t) override {}
    void ShowMainStatus(int panel, const QString& text) override { mainStatus[panel] = text; }
    bool DefineCustomField(int kind, const QString& name) override
    {
        return rules_.DefineCustomField(kind, "", name.toStdString());
    }
    void LoadCustomFieldNames(int kind) override { loadedNames << QString::number(kind); }
    void ShowWorkCalendar(std::int32_t resourceId) override
    {
        calendarsShown.push_back(resourceId);
        calendarTab_.ShowWorkCalendar(resourceId);
    }

    schedule::CalendarTables& Calendars() { return calendars_; }
    schedule::ScheduleSync& Sync() { return sync_; }

private:
    data::TEstimateData& d_;
    data::MainScreenState& state_;
    schedule::HolidayList holidays_;
    schedule::ScheduleTables tables_;
    schedule::ScheduleSync sync_;
    schedule::ScheduleAdder adder_;
    schedule::CalendarTables calendars_;
    struct : schedule::CalendarSchedule {
        void RecomputeAllTaskEnds() override {}
    } noRecompute_;
    schedule::WorkCalendarTab calendarTab_;
    customers::CustomFieldRules rules_;
};

// A new installation, the sample company, the host and the logic; the
// company's edition is the settings' edition.
class ImportQBFixture : public data::testing::ScratchInstallation {
public:
    explicit ImportQBFixture(const qb::CompanyData& company = qb::test::SampleCompany()) : folder_(company)
    {
        tw::locale::PinLocale("en_US");
        ops_->OpenAllTables(true);
        state_.FirstRun = false;
        host = std::make_unique<TestImportHost>(*data_, state_, ui_);
        host->openCompany = folder_.Path();
        host->ShowWorkCalendar(0);  // the common calendar of a new installation
        host->calendarsShown.clear();
        host->recorder.edition = company.edition == u"US" ? 1 : 0;
        logic = std::make_unique<ImportQBLogic>(*data_, state_.Keys, host->Hosts(), view);
        view.logic = logic.get();
    }

    data::TEstimateData& D() { return *data_; }
    const qb::test::CompanyFolder& Company() const { return folder_; }

    // The field's trimmed text on the record located by field = value (nothing when none).
    std::optional<std::string> Text(db::Table& t, const char* key, const db::Value& value, const char* field)
    {
        t.refresh();
        if (!t.locate(key, value))
            return std::nullopt;
        std::string s = t.fieldByName(field).asString();
        while (!s.empty() && s.back() == ' ')
            s.pop_back();
        return s;
    }
    std::int64_t Count(db::Table& t)
    {
        t.refresh();
        return t.recordCount();
    }

    qb::test::CompanyFolder folder_;
    std::unique_ptr<TestImportHost> host;
    std::unique_ptr<ImportQBLogic> logic;
    RecordingImportView view;
};

}  // namespace tw::exchange::test
