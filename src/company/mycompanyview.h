#pragma once
// What the My company logic needs of its page: one text field per part of
// the company record, and whether the fields take typing.

#include <string>

namespace tw::company {

enum class CompanyField { Name, Address1, Address2, City, State, PostalCode, Phone };

class MyCompanyView {
public:
    virtual ~MyCompanyView() = default;

    virtual void ShowField(CompanyField field, const std::string& text) = 0;
    virtual std::string FieldText(CompanyField field) const = 0;
    // False in a copy that may only view the schedule.
    virtual void SetEditable(bool editable) = 0;
};

}  // namespace tw::company
