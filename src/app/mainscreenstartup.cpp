// The main window's side of the start-up (the database work is
// app/session/startupsequence.cpp): what StartupSequence
// (app/session/startupsequence.h) shows on the window, the pages taking up the
// opened tables, the selection restored at the end and the settings the
// shutdown stores.

#include "app/appservices.h"
#include "app/features/queryfeature.h"
#include "app/features/taskeditorfeature.h"
#include "app/features/visualizefeature.h"
#include "app/features/workcalendarfeature.h"
#include "app/mainscreen.h"
#include "app/querypage.h"
#include "app/visualizepage.h"
#include "data/services/busyscopes.h"
#include "ui_mainscreen.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include <cstdint>

namespace tw::app {

void TMainScreen::CloseAllTables()
{
    tables_->CloseAllTables();
}

void TMainScreen::ApplyReadOnlyAccess(bool readOnly)
{
    // The controls that change data; those not on the window yet join as
    // their tabs are built.
    static const char* const kReadOnlyControls[] = {
        "Reverse",          "UseAlt",          "PhotoPanel",     "Copy",
        "ShowJobsOnly",     "ImportFromQB",    "ImportFromQM",   "ExportToQB",
        "ReIndexDb",        "EmptyDatabase",   "Restore",        "HoursPanel",
        "WorkingDaysPanel", "HolidaysPanel",   "MyCompanyPanel", "TaskControls",
        "MarkAllActive",    "MarkAllInactive", "ResourceList",   "CalendarOk",
        "Create247",        "InsertSpace",     "RemoveSpace",    "SetDependencies",
        "ChartManagement",
    };
    for (const char* name : kReadOnlyControls) {
        if (QWidget* control = findChild<QWidget*>(QLatin1String(name)))
            control->setEnabled(!readOnly);
    }
    visualizePage_->ApplyReadOnlyAccess(readOnly);
    queryPage_->ApplyReadOnlyAccess(readOnly);
}

void TMainScreen::OpenAllTables(bool rebuildAllowed)
{
    Guarded([&] { tables_->OpenAllTables(rebuildAllowed); });
    AttachPages();
}

void TMainScreen::AttachPages()
{
    calendar_->Attach();
    visualize_->Attach();
    query_->Attach(*poll_);
}

void TMainScreen::ShowScheduleDatabaseInUse(const std::string& text)
{
    ui->TWDatabaseInUse->setText(QString::fromStdString(text));
}

void TMainScreen::ShowEstimatingDatabaseInUse(const std::string& text)
{
    ui->QMDatabaseInUse->setText(QString::fromStdString(text));
}

void TMainScreen::LayOut()
{
    LayoutMainWindow(false);
    ApplyHelpLevel();
}

void TMainScreen::ShowChartPeriod(TDateTime start, TDateTime end)
{
    SetChartDateRange(true, start, end);
}

void TMainScreen::ShowJobStatusTexts(const data::JobStatusTexts& texts)
{
    visualize_->SetJobStatusTexts(texts);
    queryPage_->SetJobStatusTexts(texts);
    editor_->SetStatusTexts(texts);
}

void TMainScreen::ShowResourceCaptionMode(int mode)
{
    visualize_->ShowResourceCaptionMode(mode);
}

void TMainScreen::RecomputeAllTaskEnds()
{
    session_.RecomputeAllTaskEnds();
}

void TMainScreen::RefreshWorkCalendar()
{
    startup_.ReadWorkCalendarMode();
    calendar_->Refresh();
}

void TMainScreen::RestoreSelection()
{
    data::TEstimateData& d = *data_;
    bool emptyDatabase = false;
    Guarded([&] {
        session_.SettingsTables().ReadCompanyName();
        session_.SettingsTables().ReadSortChoice();
        visualizePage_->SetSortChoice(Chart.ChartSortBy);
        Chart.SortChoiceRestored = true;
        emptyDatabase = d.CustomersTable.isEmpty() && d.JobsTable.isEmpty() && d.ChartsTable.isEmpty();
        if (emptyDatabase)
            setWindowTitle(QStringLiteral("Tarnwick"));
    });

    const int page = Settings.SavedPage >= CustomerTabPage && Settings.SavedPage <= MyCompanyPage
        ? Settings.SavedPage
        : UtilitiesPage;
    if (page == SchedulePage)
        State.ChartRefreshNeeded = true;
    ui->TabControl->setCurrentIndex(page);

    Guarded([&] {
        if (!d.CustomersTable.locate("CID", db::Value(double(Settings.SavedCustomerId))))
            d.CustomersTable.first();
        data::TablesBusyScope busy(State);
        const bool found = d.CrewsTable.locate("CREWID", db::Value(double(State.CurrentResourceId)));
        if (!found)
            d.CrewsTable.first();
    });
    State.TablesBusy = false;
    ApplyCustomerQuery();
    Guarded([&] { d.ChartsTable.locate("CHARTSID", db::Value(double(Settings.SavedScheduleItemId))); });
    query_->ResourceDisplayClick();
    if (emptyDatabase)
        query_->ShowEmptyDatabase();
    // The chart of a start on the Visualize page is built once, by the page
    // change that ends the start-up (StartTimer), not here as well.
}

void TMainScreen::SaveRunSettings(int page)
{
    data::TEstimateData& d = *data_;
    visualize_->StoreChartPeriod();
    Guarded([&] {
        session_.SettingsTables().SaveRunSettings(page, CurrentKey(d.CustomersTable, "CID"),
                                         CurrentKey(d.ChartsTable, "CHARTSID"),
                                         CurrentKey(d.CrewsTable, "CREWID"));
    });
}

bool TMainScreen::PullChartUpdates(bool force)
{
    return session_.Sync().PullChartUpdates(force);
}

bool TMainScreen::RemoveObsoleteTasks()
{
    return session_.Sync().RemoveObsoleteTasks();
}

bool TMainScreen::UpdateAccessRecord(bool take)
{
    return session_.Lock().UpdateAccessRecord(take);
}

}  // namespace tw::app
