#pragma once
// Customer details as a feature unit: the page in its tab with the custom
// fields window and the photo dialog, over the session's tables; a task's
// custom values go to and come from the shared schedule one record at a time,
// and a custom-field search restricts what the Add / Edit / Query page shows.

#include "customers/customerpagehost.h"
#include "app/features/featurecontext.h"
#include "customers/customfields.h"

class QLayout;

namespace tw::app {

class TCustomerPage;
class TQueryPage;

class CustomerFeature : private customers::CustomFieldsHost, private CustomerPageHost {
public:
    CustomerFeature(const FeatureContext& context, QWidget* area, QLayout* areaLayout);
    ~CustomerFeature();

    TCustomerPage* Page() const { return page_; }
    // The custom-field search opens from the Add / Edit / Query page and
    // restricts what it shows.
    void ConnectToQuery(TQueryPage* query);
    // Saves what the page and the custom fields window show, and closes that
    // window and the photo dialog.
    void CloseDialogs();
    // Active customers only, as the settings keep it.
    void RestrictCustomerClick();
    // The custom fields window in search mode (the Add / Edit / Query page's Search).
    void OpenCustomFieldSearch();
    // The Add / Edit / Query page's "Custom fields" buttons of tasks and resources.
    void TasksCustomFieldsClick();
    void CrewsCustomFieldsClick();

private:
    // The custom fields' calls out: the session's shared schedule, and the
    // Add / Edit / Query page once it is connected.
    // The page's help pages and the restriction kept for the next run.
    bool OpenHelpPage(const QString& page) override;
    void RestrictCustomerChanged(bool restrict) override;
    void PullChartRecord(std::int32_t key) override;
    void PushChartRecord(std::int32_t key) override;
    void RestrictToCustomer() override;
    void RestrictTasksToCrew() override;
    void UpdateSelectControls() override;
    void ApplyQueryFilters() override;
    void SetCustomersLabel(const std::string& text) override;

    FeatureContext context_;
    TCustomerPage* page_ = nullptr;
    TQueryPage* query_ = nullptr;
};

}  // namespace tw::app
