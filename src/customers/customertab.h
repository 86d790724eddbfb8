#pragma once
// The Customer details tab without its window: the current customer of
// CustomersTable with its two addresses, the navigator's moves, insert and
// delete, the name lookup, the active and inactive marks, the restriction to
// active customers and what the photo panel shows.
//
// The keyboard keys of the tab (Page Up/Down, arrows, Insert) act only while
// the tab is showing: elsewhere they belong to the control that has the focus.

#include <cstdint>
#include <functional>
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

struct CustomerTabHooks {
    std::function<void()> ApplyCustomerQuery;
    std::function<void(const std::string&)> SetWindowCaption;
    std::function<void(const std::string&)> SetTasksLabel;
    std::function<void(const std::string&)> SetJobsLabel;
    std::function<void(const std::string&)> SetCustomersLabel;
    std::function<void()> ShowCustomerPhoto;  // the window shows what CurrentPhoto gives
    std::function<void()> ShowCustomer;       // the window shows the current record again
};

// What the photo panel shows.
struct PhotoPanelContent {
    std::string Caption;              // the contact in use
    std::vector<std::uint8_t> Bytes;  // empty: no picture
    int Scale = 0;
};

class CustomerTab {
public:
    CustomerTab(data::TEstimateData& data, data::MainScreenState& state, data::UserInterface& ui);

    CustomerTabHooks Hooks;
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

    data::TEstimateData& data_;
    data::MainScreenState& state_;
    data::UserInterface& ui_;
};

}  // namespace tw::customers
