#pragma once
// The Customer details tab's page: the current customer's two addresses,
// notes and marks on edits, the photo of the contact in use, the navigator,
// the name lookup and the buttons. The work is done by the window-free
// customers::CustomerTab; the page moves values between it and the controls.
//
// The page also owns the custom fields window and the photo dialog, which
// the main window's other "Custom fields" buttons open through it.
//
// The navigator is the shared record navigator; its buttons run NavigatorClick.
//
// While the page shows, an application event filter gives it Page Up/Down
// (next and prior customer), the up and down arrows (ignored) and Insert
// (a new customer); on every other tab those keys go where they were sent.

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

#include "customers/customertab.h"
#include "customers/customfields.h"
#include "data/services/estimatedata.h"
#include "data/services/mainstate.h"
#include "customers/customerpagehost.h"
#include "data/services/userinterface.h"

namespace Ui {
class TCustomerPage;
}

class QLabel;
class QLineEdit;

namespace tw::customers {
class TCustomFields;
class TGraphicImport;
}  // namespace tw::customers

namespace tw::app {

class TCustomerPage : public QWidget, private customers::CustomerTabView, private data::CustomerPageView {
    Q_OBJECT
public:
    // host: help pages and the kept restriction; fieldsHost: what the custom
    // fields reach outside their window; query: the run's custom-field search.
    // customFieldsLeft, customFieldsTop: the custom fields window's place,
    // kept by the main window between runs.
    TCustomerPage(data::TEstimateData& data, data::MainScreenState& state, data::UserInterface& ui,
                  CustomerPageHost& host, customers::CustomFieldsHost& fieldsHost, query::QueryState& query, int& customFieldsLeft,
                  int& customFieldsTop, QWidget* parent = nullptr);
    ~TCustomerPage() override;

    customers::CustomerTab& Logic() { return *tab_; }
    customers::CustomFields& CustomFieldsLogic() { return *fields_; }
    customers::TCustomFields* CustomFieldsWindow() const { return fieldsWindow_.get(); }
    customers::TGraphicImport* GraphicImport() const { return graphicImport_.get(); }

    // Opens the custom fields window (search, or the values of a kind).
    void OpenCustomFields(bool search, int kind, int helpLevel);

    void ShowCustomer() override;
    void ShowCustomerPhoto() override;
    void RestrictCustomerClick(bool restrict);
    void NavigatorClick(customers::NavigatorAction action);
    void CustomerCustomFieldsClick();
    void LocateCustNameClick();
    void PhotoDoubleClick();
    // Writes what the edits hold into the current customer.
    void FlushEdits();
    // At shutdown: the edits and the shown custom values are saved, the
    // custom fields window remembers its place, both dialogs close.
    void CloseDialogs();

    QLabel* Image1() const;
    QLineEdit* Edit(const char* name) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The tab's other calls out.
    void SetWindowCaption(const std::string& text) override;
    void SetCustomersLabel(const std::string& text) override;
    void SetJobsLabel(const std::string& text) override;
    void SetTasksLabel(const std::string& text) override;
    void ApplyCustomerQuery() override;
    // What a move of the data module's customers view shows.
    void ShowMovedCustomer() override;
    void SetUseAlt(bool checked) override;

    bool HandleTabKey(QObject* watched, QEvent* event);
    void SyncRestriction();
    // Writes into the customer the controls were filled for; false (and the
    // form shows the current customer) when that is no longer current.
    bool Write(const char* field, const std::string& text);
    template <typename Work>
    void Guarded(Work&& work);

    std::unique_ptr<Ui::TCustomerPage> ui;
    data::TEstimateData& data_;
    const data::MainScreenState& state_;
    data::UserInterface& ui_;
    CustomerPageHost& host_;
    std::unique_ptr<customers::CustomerTab> tab_;
    std::unique_ptr<customers::CustomFields> fields_;
    std::unique_ptr<customers::TCustomFields> fieldsWindow_;
    std::unique_ptr<customers::TGraphicImport> graphicImport_;
    bool showing_ = false;  // ShowCustomer is filling the controls
    std::int32_t loadedCid_ = -1;  // the customer ShowCustomer filled the controls with
};

}  // namespace tw::app
