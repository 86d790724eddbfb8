#include "app/features/customerfeature.h"

#include <QLayout>

#include "app/appservices.h"
#include "app/customerpage.h"
#include "app/querypage.h"
#include "data/hookcall.h"
#include "query/querypagelogic.h"

namespace tw::app {

CustomerFeature::CustomerFeature(const FeatureContext& context, QWidget* area, QLayout* areaLayout)
    : context_(context)
{
    AppSession& s = context_.Session;
    page_ = new TCustomerPage(s.Data(), s.State, context_.UI, context_.Layout.CustomFieldsLeft,
                              context_.Layout.CustomFieldsTop, area);
    areaLayout->addWidget(page_);
    page_->OpenHelpPage = [&s](const QString& page) {
        return OpenHelpPage(QString::fromStdString(s.State.ProgramFolder), page);
    };
    page_->RestrictCustomerChanged = [&s](bool restrict) { s.Settings.RestrictCustomer = restrict; };
    // A task's custom values are read from and written to the shared schedule
    // one record at a time.
    customers::CustomFieldsHooks& fields = page_->CustomFieldsLogic().Hooks;
    fields.PullChartRecord = [&s](std::int32_t key) { s.Sync().PullChartRecord(key, true); };
    fields.PushChartRecord = [&s](std::int32_t key) { s.Sync().PushChartRecord(key); };
    // The Add / Edit / Query tab's two Custom fields buttons reach
    // TasksCustomFieldsClick and CrewsCustomFieldsClick through the query page.
}

// The page works on the session's tables; it goes before them.
CustomerFeature::~CustomerFeature()
{
    delete page_;
}

void CustomerFeature::ConnectToQuery(TQueryPage* query)
{
    AppSession& s = context_.Session;
    query::QueryPageLogic& q = query->Logic();
    customers::CustomFieldsHooks& fields = page_->CustomFieldsLogic().Hooks;
    q.Hooks.SearchCustomFields = [this, &s] { page_->OpenCustomFields(true, 0, s.State.HelpLevel); };
    q.Hooks.LoadCustomFieldValues = [&s](int kind) { data::Call(s.Data().Hooks().LoadCustomFieldValues, kind); };
    fields.RestrictToCustomer = [query, &q] {
        q.Controls.Boxes.RestrictToCustomer = true;
        q.RestrictToCustomerClick();
        query->ShowControls();
    };
    fields.RestrictTasksToCrew = [query, &q] {
        q.Controls.Boxes.RestrictTasksToCrew = true;
        q.RestrictTasksToCrewClick();
        query->ShowControls();
    };
    fields.UpdateSelectControls = [query] { query->UpdateSelectControls(); };
    fields.ApplyQueryFilters = [query] { query->ApplyQueryFilters(); };
    fields.SetCustomersLabel = [query, &q](const std::string& text) {
        q.Controls.CustomersLabel = text;
        query->ShowControls();
    };
}

void CustomerFeature::CloseDialogs()
{
    page_->CloseDialogs();
}

void CustomerFeature::RestrictCustomerClick()
{
    page_->RestrictCustomerClick(context_.Session.Settings.RestrictCustomer);
}

void CustomerFeature::TasksCustomFieldsClick()
{
    page_->OpenCustomFields(false, customers::kTaskFields, context_.Session.State.HelpLevel);
}

void CustomerFeature::CrewsCustomFieldsClick()
{
    page_->OpenCustomFields(false, customers::kResourceFields, context_.Session.State.HelpLevel);
}

}  // namespace tw::app
