#pragma once
// Customer details as a feature unit: the page in its tab with the custom
// fields window and the photo dialog, over the session's tables; a task's
// custom values go to and come from the shared schedule one record at a time,
// and a custom-field search restricts what the Add / Edit / Query page shows.

#include "customers/customerpagehost.h"
#include "customers/unit/customerunit.h"
#include "app/features/featurecontext.h"
#include "customers/customfields.h"

class QLayout;

namespace tw::app {

class TCustomerPage;
class QueryFilters;
class QueryRequests;

class CustomerFeature final : public CustomerDialogs,
                              private customers::CustomFieldsHost,
                              private CustomerPageHost {
public:
    // The custom-field search opens from the Add / Edit / Query page and
    // restricts what it shows; the page's custom fields buttons open the
    // window on tasks and resources.
    CustomerFeature(const FeatureContext& context, QueryFilters& query, QueryRequests& requests, QWidget* area,
                    QLayout* areaLayout);
    ~CustomerFeature() override;

    TCustomerPage* Page() const { return page_; }
    void CloseDialogs() override;
    void RestrictCustomerClick() override;
    void OpenCustomFieldSearch() override;
    void OpenTaskFields() override;
    void OpenResourceFields() override;
    bool DefineCustomField(int kind, const std::string& name) override;
    void LoadCustomFieldNames(int kind) override;
    void OnSendEmail(std::function<void()> action) override;

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
    QueryFilters& query_;
    TCustomerPage* page_ = nullptr;
};

}  // namespace tw::app
