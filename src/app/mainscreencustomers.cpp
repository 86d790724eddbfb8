// The main window's side of the Customer details page and of the custom
// fields window that several tabs open.
#include "app/appservices.h"
#include "app/customerpage.h"
#include "app/mainscreen.h"
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
    customerPage_->RestrictCustomerChanged = [this](bool restrict) { RestrictCustomer = restrict; };
    // A task's custom values are read from and written to the shared schedule
    // one record at a time; the query tab's filters follow a search.
    customers::CustomFieldsHooks& fields = customerPage_->CustomFieldsLogic().Hooks;
    fields.PullChartRecord = [this](std::int32_t key) { sync_->PullChartRecord(key, true); };
    fields.PushChartRecord = [this](std::int32_t key) { sync_->PushChartRecord(key); };
    fields.ApplyQueryFilters = [this] { data::Call(data_->Hooks().ApplyQueryFilters); };
    // The Add / Edit / Query tab's buttons, where that tab has them.
    if (auto* tasks = findChild<QAbstractButton*>(QStringLiteral("TasksCustomFields")))
        connect(tasks, &QAbstractButton::clicked, this, &TMainScreen::TasksCustomFieldsClick);
    if (auto* crews = findChild<QAbstractButton*>(QStringLiteral("CrewsCustomFields")))
        connect(crews, &QAbstractButton::clicked, this, &TMainScreen::CrewsCustomFieldsClick);
}

void TMainScreen::CloseCustomerDialogs()
{
    if (customerPage_)
        customerPage_->CloseDialogs();
}

void TMainScreen::RestrictCustomerClick()
{
    customerPage_->RestrictCustomerClick(RestrictCustomer);
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
