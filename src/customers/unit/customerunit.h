#pragma once
// What the other units may ask of the customer unit (customerfeature.h).

#include <functional>
#include <string>

namespace tw::app {

class CustomerDialogs {
public:
    virtual ~CustomerDialogs() = default;
    // The custom fields window in search mode (the Add / Edit / Query page's Search).
    virtual void OpenCustomFieldSearch() = 0;
    // The Add / Edit / Query page's "Custom fields" buttons of tasks and resources.
    virtual void OpenTaskFields() = 0;
    virtual void OpenResourceFields() = 0;
    // A field an import brings; the names of a kind read again.
    virtual bool DefineCustomField(int kind, const std::string& name) = 0;
    virtual void LoadCustomFieldNames(int kind) = 0;
    // Saves what the page and the custom fields window show, and closes that
    // window and the photo dialog.
    virtual void CloseDialogs() = 0;
    // Active customers only, as the settings keep it.
    virtual void RestrictCustomerClick() = 0;
    // The page's "E-mail" button.
    virtual void OnSendEmail(std::function<void()> action) = 0;
};

}  // namespace tw::app
