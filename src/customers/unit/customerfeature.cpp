#include "customers/unit/customerfeature.h"

#include <QLayout>

#include "app/appservices.h"
#include "customers/customerpage.h"
#include "query/unit/queryunit.h"
#include "controls/buttons/fcbitbtn.h"
#include "query/querypagelogic.h"

namespace tw::app {

CustomerFeature::CustomerFeature(const FeatureContext& context, QueryFilters& query, QueryRequests& requests,
                                 QWidget* area, QLayout* areaLayout)
    : context_(context),
      query_(query)
{
    AppSession& s = context_.Session;
    customers::CustomFieldsHost& fieldsHost = *this;
    CustomerPageHost& host = *this;
    page_ = new TCustomerPage(s.Data(), s.State, context_.UI, host, fieldsHost, s.Query,
                              context_.Layout.CustomFieldsLeft, context_.Layout.CustomFieldsTop, area);
    areaLayout->addWidget(page_);
    requests.OnCustomFields([this](QueryRequests::Fields fields) {
        switch (fields) {
        case QueryRequests::Fields::Search: OpenCustomFieldSearch(); break;
        case QueryRequests::Fields::Tasks: OpenTaskFields(); break;
        case QueryRequests::Fields::Resources: OpenResourceFields(); break;
        }
    });
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
    query_.RestrictToCustomer();
}

void CustomerFeature::RestrictTasksToCrew()
{
    query_.RestrictTasksToCrew();
}

void CustomerFeature::UpdateSelectControls()
{
    query_.UpdateSelectControls();
}

void CustomerFeature::ApplyQueryFilters()
{
    query_.ApplyQueryFilters();
}

void CustomerFeature::SetCustomersLabel(const std::string& text)
{
    query_.SetCustomersLabel(text);
}

void CustomerFeature::CloseDialogs()
{
    page_->CloseDialogs();
}

void CustomerFeature::RestrictCustomerClick()
{
    page_->RestrictCustomerClick(context_.Session.Settings.RestrictCustomer);
}

void CustomerFeature::OpenTaskFields()
{
    page_->OpenCustomFields(false, customers::kTaskFields, context_.Session.State.HelpLevel);
}

void CustomerFeature::OpenResourceFields()
{
    page_->OpenCustomFields(false, customers::kResourceFields, context_.Session.State.HelpLevel);
}

bool CustomerFeature::DefineCustomField(int kind, const std::string& name)
{
    return page_->CustomFieldsLogic().DefineCustomField(kind, "", name);
}

void CustomerFeature::LoadCustomFieldNames(int kind)
{
    page_->CustomFieldsLogic().LoadCustomFieldNames(kind);
}

void CustomerFeature::OnSendEmail(std::function<void()> action)
{
    if (auto* button = page_->findChild<controls::TFcBitBtn*>(QStringLiteral("SendEmailToClient")))
        QObject::connect(button, &controls::TFcControl::clicked, page_, std::move(action));
}

}  // namespace tw::app
