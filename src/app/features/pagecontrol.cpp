#include "app/features/pagecontrol.h"

#include "app/mainpagecontrol.h"

#include "app/features/printingfeature.h"
#include "app/features/timeblocksfeature.h"
#include "app/features/visualizefeature.h"
#include "app/features/workcalendarfeature.h"
#include "data/hookcall.h"
#include "app/session/startupsequence.h"

namespace tw::app {

namespace {

TabTables TabTablesOf(data::TEstimateData& d)
{
    return {d.CustomersTable, d.CustomersTable2, d.ChartsTable, d.ChartsTable2};
}

}  // namespace

PageControl::PageControl(const FeatureContext& context, const MainFeatures& features, TMainPageControl* tabs,
                         StartupWindow& pages)
    : context_(context),
      features_(features),
      tabs_(tabs),
      pages_(pages),
      handlers_(TabTablesOf(context.Session.Data()), context.Session.State, context.Session.Chart, context.UI,
                *this)
{}

void PageControl::TabControlChange()
{
    ShowingErrors(context_.UI, [this] { handlers_.TabControlChange(tabs_->currentIndex()); });
}

void PageControl::RefreshChartClick()
{
    ShowingErrors(context_.UI, [this] { handlers_.RefreshChartClick(); });
}

void PageControl::PrintPreviewButtonClick()
{
    ShowingErrors(context_.UI, [this] { handlers_.PrintPreviewButtonClick(); });
}

void PageControl::ChartSortByClick()
{
    if (!features_.Visualize->Attached())
        return;
    ShowingErrors(context_.UI, [this] { handlers_.ChartSortByClick(); });
}

int PageControl::ActivePage() const
{
    return tabs_->currentIndex();
}

void PageControl::ReopenAllTables()
{
    data::TableOperations& tables = context_.Session.Tables();
    tables.CloseAllTables();
    ShowingErrors(context_.UI, [&] { tables.OpenAllTables(false); });
    pages_.AttachPages();
}

void PageControl::PushChartUpdates()
{
    context_.Session.Sync().PushChartUpdates();
}

void PageControl::SaveAndClearAllocations(bool recompute)
{
    features_.Visualize->SaveAndClearAllocations(recompute);
}

void PageControl::BuildChart(bool writeBack)
{
    features_.Visualize->BuildChart(writeBack);
}

void PageControl::KeepChartPeriod()
{
    features_.Visualize->KeepChartPeriod();
}

void PageControl::ShowTaskStatusBar()
{
    features_.Visualize->ShowTaskStatusBar();
}

void PageControl::SetResetDependenciesEnabled(bool enabled)
{
    features_.Visualize->SetResetDependenciesEnabled(enabled);
}

int PageControl::ChartSortBy() const
{
    return context_.Session.Chart.ChartSortBy;
}

bool PageControl::SortChoiceRestored() const
{
    return context_.Session.Chart.SortChoiceRestored;
}

void PageControl::ShowCalendarOf(bool allResources, std::int32_t resourceId)
{
    features_.Calendar->ShowCalendarOf(allResources, resourceId);
}

void PageControl::LoadHolidays()
{
    features_.Calendar->LoadHolidays();
}

void PageControl::ApplyCustomerQuery()
{
    data::Call(context_.Session.Data().Hooks().ApplyCustomerQuery);
}

void PageControl::EndPendingInsert()
{
    features_.TimeBlocks->EndPendingInsert();
}

void PageControl::OpenPrintPreview(const PrintRequest& request)
{
    features_.Printing->Open(request);
}

}  // namespace tw::app
