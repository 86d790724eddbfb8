// The main window's side of the Customer details page and of the custom
// fields window that several tabs open.
#include "app/appservices.h"
#include "app/customerpage.h"
#include "app/mainscreen.h"
#include "app/querypage.h"
#include "query/querypagelogic.h"
#include "data/hookcall.h"
#include "ui_mainscreen.h"

#include <QAbstractButton>

namespace tw::app {

void TMainScreen::CreateCustomerPage()
{
    customerPage_ = new TCustomerPage(*data_, State, *userInterface_, Layout.CustomFieldsLeft,
                                      Layout.CustomFieldsTop, ui->CustomerTabArea);
    ui->CustomerTabAreaLayout->addWidget(customerPage_, 0, 0);
    customerPage_->OpenHelpPage = [this](const QString& page) {
        return OpenHelpPage(QString::fromStdString(State.ProgramFolder), page);
    };
    customerPage_->RestrictCustomerChanged = [this](bool restrict) { Settings.RestrictCustomer = restrict; };
    // A task's custom values are read from and written to the shared schedule
    // one record at a time; the query tab's filters follow a search.
    customers::CustomFieldsHooks& fields = customerPage_->CustomFieldsLogic().Hooks;
    fields.PullChartRecord = [this](std::int32_t key) { sync_->PullChartRecord(key, true); };
    fields.PushChartRecord = [this](std::int32_t key) { sync_->PushChartRecord(key); };
    // The Add / Edit / Query tab's buttons, where that tab has them.
    if (auto* tasks = findChild<QAbstractButton*>(QStringLiteral("TasksCustomFields")))
        connect(tasks, &QAbstractButton::clicked, this, &TMainScreen::TasksCustomFieldsClick);
    if (auto* crews = findChild<QAbstractButton*>(QStringLiteral("CrewsCustomFields")))
        connect(crews, &QAbstractButton::clicked, this, &TMainScreen::CrewsCustomFieldsClick);
}

void TMainScreen::ConnectCustomFieldsToQuery()
{
    query::QueryPageLogic& q = queryPage_->Logic();
    customers::CustomFieldsHooks& fields = customerPage_->CustomFieldsLogic().Hooks;
    q.Hooks.SearchCustomFields = [this] { customerPage_->OpenCustomFields(true, 0, State.HelpLevel); };
    q.Hooks.LoadCustomFieldValues = [this](int kind) {
        data::Call(data_->Hooks().LoadCustomFieldValues, kind);
    };
    fields.RestrictToCustomer = [this, &q] {
        q.Controls.Boxes.RestrictToCustomer = true;
        q.RestrictToCustomerClick();
        queryPage_->ShowControls();
    };
    fields.RestrictTasksToCrew = [this, &q] {
        q.Controls.Boxes.RestrictTasksToCrew = true;
        q.RestrictTasksToCrewClick();
        queryPage_->ShowControls();
    };
    fields.UpdateSelectControls = [this] { queryPage_->UpdateSelectControls(); };
    fields.ApplyQueryFilters = [this] { queryPage_->ApplyQueryFilters(); };
    fields.SetCustomersLabel = [this, &q](const std::string& text) {
        q.Controls.CustomersLabel = text;
        queryPage_->ShowControls();
    };
}

void TMainScreen::CloseCustomerDialogs()
{
    if (customerPage_)
        customerPage_->CloseDialogs();
}

void TMainScreen::RestrictCustomerClick()
{
    customerPage_->RestrictCustomerClick(Settings.RestrictCustomer);
}

void TMainScreen::TasksCustomFieldsClick()
{
    customerPage_->OpenCustomFields(false, customers::kTaskFields, State.HelpLevel);
}

void TMainScreen::CrewsCustomFieldsClick()
{
    customerPage_->OpenCustomFields(false, customers::kResourceFields, State.HelpLevel);
}

}  // namespace tw::app
