#include "customers/unit/customerfeature.h"

#include <QLayout>

#include "app/appservices.h"
#include "customers/customerpage.h"
#include "query/querypage.h"
#include "query/querypagelogic.h"

namespace tw::app {

CustomerFeature::CustomerFeature(const FeatureContext& context, QWidget* area, QLayout* areaLayout)
    : context_(context)
{
    AppSession& s = context_.Session;
    customers::CustomFieldsHost& fieldsHost = *this;
    CustomerPageHost& host = *this;
    page_ = new TCustomerPage(s.Data(), s.State, context_.UI, host, fieldsHost, s.Query,
                              context_.Layout.CustomFieldsLeft, context_.Layout.CustomFieldsTop, area);
    areaLayout->addWidget(page_);
    // The Add / Edit / Query tab's two Custom fields buttons reach
    // TasksCustomFieldsClick and CrewsCustomFieldsClick through the query page.
}

bool CustomerFeature::OpenHelpPage(const QString& page)
{
    return app::OpenHelpPage(QString::fromStdString(context_.Session.State.ProgramFolder), page);
}

void CustomerFeature::RestrictCustomerChanged(bool restrict)
{
    context_.Session.Settings.RestrictCustomer = restrict;
}

// The page works on the session's tables; it goes before them.
CustomerFeature::~CustomerFeature()
{
    delete page_;
}

void CustomerFeature::ConnectToQuery(TQueryPage* query)
{
    query_ = query;
}

void CustomerFeature::OpenCustomFieldSearch()
{
    page_->OpenCustomFields(true, 0, context_.Session.State.HelpLevel);
}

// A task's custom values are read from and written to the shared schedule
// one record at a time.
void CustomerFeature::PullChartRecord(std::int32_t key)
{
    context_.Session.Sync().PullChartRecord(key, true);
}

void CustomerFeature::PushChartRecord(std::int32_t key)
{
    context_.Session.Sync().PushChartRecord(key);
}

void CustomerFeature::RestrictToCustomer()
{
    if (!query_)
        return;
    query_->Logic().ClickBox(&query::RestrictionBoxes::RestrictToCustomer, true);
    query_->ShowControls();
}

void CustomerFeature::RestrictTasksToCrew()
{
    if (!query_)
        return;
    query_->Logic().ClickBox(&query::RestrictionBoxes::RestrictTasksToCrew, true);
    query_->ShowControls();
}

void CustomerFeature::UpdateSelectControls()
{
    if (query_)
        query_->UpdateSelectControls();
}

void CustomerFeature::ApplyQueryFilters()
{
    if (query_)
        query_->ApplyQueryFilters();
}

void CustomerFeature::SetCustomersLabel(const std::string& text)
{
    if (!query_)
        return;
    query_->Logic().SetCustomersLabel(text);
    query_->ShowControls();
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
