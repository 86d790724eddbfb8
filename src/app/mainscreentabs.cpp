// The main window's side of its pages: the page control and the update poll,
// the dialogs closed at shutdown, and the calls the start-up, the entry point
// and the Add / Edit / Query wiring make on the pages, each
// handed to the page's feature unit (app/features/).
#include "app/features/customerfeature.h"
#include "app/features/emailfeature.h"
#include "app/features/exchangefeature.h"
#include "app/features/pagecontrol.h"
#include "app/features/printingfeature.h"
#include "app/features/queryfeature.h"
#include "app/features/taskeditorfeature.h"
#include "app/features/timeblocksfeature.h"
#include "app/features/visualizefeature.h"
#include "app/features/workcalendarfeature.h"
#include "app/mainscreen.h"
#include "app/visualizepage.h"
#include "ui_mainscreen.h"

#include <QAbstractButton>
#include <QList>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>

namespace tw::app {

void TMainScreen::ConnectUpdatePoll()
{
    poll_ = std::make_unique<app::UpdatePoll>(State, *userInterface_);
    PollHooks& h = poll_->Hooks;
    h.SetPollTimerEnabled = [this](bool enabled) {
        if (enabled)
            updatePoll_->start();
        else
            updatePoll_->stop();
    };
    h.SetRefreshChartEnabled = [this](bool enabled) { visualizePage_->RefreshChart()->setEnabled(enabled); };
    h.ActivePage = [this] { return ui->TabControl->currentIndex(); };
    h.ReopenMyCompanyTable = [this] {
        data::TableOperations::CloseTable(data_->MyCompanyTable, true);
        data_->MyCompanyTable.open();
    };
    h.ReadWorkCalendarMode = [this] { return session_.SettingsTables().ReadWorkCalendarMode(); };
    h.RecomputeAllTaskEnds = [this] { RecomputeAllTaskEnds(); };
    h.RemoveObsoleteTasks = [this] { return RemoveObsoleteTasks(); };
    h.PullChartUpdates = [this](bool force) { return PullChartUpdates(force); };
    h.SaveAndClearAllocations = [this](bool recompute) { SaveAndClearAllocations(recompute); };
    h.BuildChart = [this](bool writeBack) { BuildChart(writeBack); };
    h.RefreshChartsTable = [this] {
        if (data_->ChartsTable.active())
            data_->ChartsTable.refresh();
    };
}

void TMainScreen::TabControlChange()
{
    pages_->TabControlChange();
}

void TMainScreen::UpdatePollTimer()
{
    Guarded([this] { poll_->UpdatePollTimer(); });
}

void TMainScreen::PrintPreviewButtonClick()
{
    pages_->PrintPreviewButtonClick();
}

void TMainScreen::ChartSortByClick()
{
    pages_->ChartSortByClick();
}

// Every window the pages opened closes as its own close button leaves it,
// while the tables are still open: the task editor first, then the dialogs
// owned by this window (print preview, e-mail, blocks of time, import, ...).
void TMainScreen::CloseDialogs()
{
    Guarded([this] { editor_->CloseWindows(); });
    Guarded([this] { customers_->CloseDialogs(); });
    QList<QPointer<QWidget>> open;
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->isWindow() && child->isVisible())
            open.append(child);
    }
    for (const QPointer<QWidget>& window : open) {
        if (window)
            Guarded([&window] { window->close(); });
    }
}

void TMainScreen::ApplyCustomerQuery()
{
    query_->ApplyCustomerQuery();
}

void TMainScreen::BackupAtExit()
{
    if (utilities_)
        utilities_->BackupAtExit(Flags.NoAutoBackup);
}

exchange::TImportQM* TMainScreen::ImportQM() const
{
    return exchange_->ImportQM();
}

exchange::TExportJobToQB* TMainScreen::ExportJobToQB() const
{
    return exchange_->ExportJobToQB();
}

exchange::TImportQB* TMainScreen::ImportQB() const
{
    return exchange_->ImportQB();
}

void TMainScreen::LoadHolidays()
{
    calendar_->LoadHolidays();
}

void TMainScreen::FillCalendarResourceList(bool allResources)
{
    calendar_->FillCalendarResourceList(allResources);
}

void TMainScreen::SelectCalendarResource(double resourceId)
{
    calendar_->SelectCalendarResource(resourceId);
}

void TMainScreen::ShowWorkCalendar(double resourceId)
{
    calendar_->ShowWorkCalendar(resourceId);
}

void TMainScreen::BuildChart(bool writeBack)
{
    visualize_->BuildChart(writeBack);
}

void TMainScreen::SaveAndClearAllocations(bool recompute)
{
    visualize_->SaveAndClearAllocations(recompute);
}

void TMainScreen::KeepChartScale(double widthRatio)
{
    visualize_->KeepChartScale(widthRatio);
}

void TMainScreen::SetChartDateRange(bool update, TDateTime start, TDateTime end)
{
    visualize_->SetChartDateRange(update, start, end);
}

void TMainScreen::OpenPrintPreview(int helpLevel, double spanDays, double gridInterval, double gridCount,
                                   TDateTime chartStart, TDateTime chartEnd)
{
    printing_->Open({helpLevel, spanDays, gridInterval, gridCount, chartStart, chartEnd});
}

reports::TPrintPreview* TMainScreen::PrintPreview() const
{
    return printing_->Dialog();
}

email::TSendEmail* TMainScreen::SendEmail() const
{
    return email_->Window();
}

void TMainScreen::SendEmailToClientClick()
{
    email_->SendEmailToClientClick();
}

timeblocks::SlotOperations& TMainScreen::SlotOperations()
{
    return timeBlocks_->Operations();
}

tasks::TInsertSlot* TMainScreen::InsertSlot() const
{
    return timeBlocks_->InsertSlot();
}

tasks::TRemoveSlot* TMainScreen::RemoveSlot() const
{
    return timeBlocks_->RemoveSlot();
}

void TMainScreen::RemoveSpaceTimerTimer()
{
    timeBlocks_->RemoveSpaceTimerTimer();
}

void TMainScreen::RestrictCustomerClick()
{
    customers_->RestrictCustomerClick();
}

void TMainScreen::TasksCustomFieldsClick()
{
    customers_->TasksCustomFieldsClick();
}

void TMainScreen::CrewsCustomFieldsClick()
{
    customers_->CrewsCustomFieldsClick();
}

}  // namespace tw::app
