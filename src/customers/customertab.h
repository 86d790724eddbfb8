#pragma once
// The Customer details tab without its window: the current customer of
// CustomersTable with its two addresses, the navigator's moves, insert and
// delete, the name lookup, the active and inactive marks, the restriction to
// active customers and what the photo panel shows.
//
// The keyboard keys of the tab (Page Up/Down, arrows, Insert) act only while
// the tab is showing: elsewhere they belong to the control that has the focus.

#include <cstdint>
#include <string>
#include <vector>

#include "customers/customerphotos.h"
#include "data/services/estimatedata.h"
#include "data/services/mainstate.h"
#include "data/services/userinterface.h"

namespace tw::customers {

// The fields the tab's edits show, in tab order: main address, alternate
// address. Each pair of an edit and its field.
struct CustomerEditField {
    const char* Edit;   // the control's name
    const char* Field;  // the customers.dbf field
    bool UpperCase;
};
const std::vector<CustomerEditField>& CustomerEditFields();

enum class NavigatorAction { First, Prior, Next, Last, Insert, Delete };
enum class TabKey { PageUp, PageDown, ArrowUp, ArrowDown, Insert, Other };

// What the tab shows as its customers change: the page implements it over
// its controls, tests over plain values.
class CustomerTabView {
public:
    virtual ~CustomerTabView() = default;

    // The current record again, and the photo panel from CurrentPhoto.
    virtual void ShowCustomer() = 0;
    virtual void ShowCustomerPhoto() = 0;
    virtual void SetWindowCaption(const std::string& text) = 0;
    // The labels over the customer, job and task lists.
    virtual void SetCustomersLabel(const std::string& text) = 0;
    virtual void SetJobsLabel(const std::string& text) = 0;
    virtual void SetTasksLabel(const std::string& text) = 0;
    // The customer restriction applied to the other views.
    virtual void ApplyCustomerQuery() = 0;
};

// The data module's cursors in the tab's roles.
struct CustomerTabTables {
    db::Table& CustomersTable;   // the current customer
    db::Table& CustomersTable2;  // marks of every customer
    db::Table& CustomersTable3;  // new keys are checked against it
    db::Table& PhotosTable;
    db::Table& JobsTable;     // the current customer's jobs
    db::Table& JobsTable2;    // every job (deleted with their customer)
    db::Table& ChartsTable2;  // the working schedule (a customer named there stays)
    data::ViewScrolling& Scrolling;
};

// What the photo panel shows.
struct PhotoPanelContent {
    std::string Caption;              // the contact in use
    std::vector<std::uint8_t> Bytes;  // empty: no picture
    int Scale = 0;
};

class CustomerTab {
public:
    CustomerTab(const CustomerTabTables& tables, CustomerTabView& view, data::MainScreenState& state,
                data::UserInterface& ui);

    CustomerPhotos Photos;

    bool HasCustomer();
    std::int32_t CurrentCustomerId();
    std::string FieldText(const char* field);
    // Writes one field of the current customer (unless this copy is read-only).
    // loadedCid is the customer the text was loaded for: when the cursor has
    // moved on since, nothing is written and the result is false, so that a
    // form never posts one customer's values into another.
    bool WriteField(std::int32_t loadedCid, const char* field, const std::string& text);

    // The navigator: the data module's handlers run around each move.
    void NavigatorClick(NavigatorAction action);
    // Appends "New Customer"; nothing in a read-only copy.
    bool InsertCustomer();
    // Refused while a task or job row of the working schedule names the
    // customer; otherwise the customer goes with all its jobs.
    bool DeleteCustomer();
    // True when the key was the tab's.
    bool HandleKey(TabKey key, bool customerTabShowing);

    void ReverseClick();
    void CopyClick();
    void UseAltClick(bool checked);
    bool LocateCustNameClick(const std::string& text);
    void MarkAllActiveClick() { MarkAll(false); }
    void MarkAllInactiveClick() { MarkAll(true); }
    // restrict: only active customers.
    void RestrictCustomerClick(bool restrict);
    bool RestrictCustomer = false;

    PhotoPanelContent CurrentPhoto();
    // The photo the double click opens: the contact in use and its scale
    // (1:8 while the customer has no photo).
    struct PhotoChoice {
        std::int32_t Cid = 0;
        bool Photo2 = false;
        int Scale = 3;
    };
    PhotoChoice PhotoDoubleClick();

private:
    void MarkAll(bool inactive);
    void FillNewCustomer(db::Table& t, std::int32_t cid);
    void AfterInsert();
    void Move(NavigatorAction action);

    CustomerTabTables t_;
    CustomerTabView& view_;
    data::MainScreenState& state_;
    data::UserInterface& ui_;
};

}  // namespace tw::customers
