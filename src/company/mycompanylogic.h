#pragma once
// The My company tab without its window: the company record of mycomp.dbf
// that every report prints in its letterhead (name, two address lines, city,
// state, postal code, phone), shown on the page and written back field by
// field as the user leaves each one. The record is shared by every
// workstation; it is read afresh whenever the page is shown.
//
//   MyCompanyLogic logic(view, data.MyCompanyTable, state, ui);
//   logic.PageShown();                           // the fields show the record
//   logic.FieldEdited(CompanyField::Name);       // the typed name is written

#include <array>

#include "company/mycompanyview.h"
#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "platform/db/table.h"

namespace tw::company {

struct CompanyFieldSpec {
    CompanyField Field;
    const char* Column;  // in mycomp.dbf
    const char* Name;    // as messages name it
    int Width;           // characters the column holds
};

// The fields of the page, in the page's order.
const std::array<CompanyFieldSpec, 7>& CompanyFields();
const CompanyFieldSpec& SpecOf(CompanyField field);

class MyCompanyLogic {
public:
    MyCompanyLogic(MyCompanyView& view, db::Table& myCompany, const data::MainScreenState& state,
                   data::UserInterface& ui);

    // The record read afresh into the fields.
    void PageShown();
    // The field's text, trimmed, into the record. A text longer than the
    // column holds is refused with a message and the stored text comes back;
    // false then, and in a copy that may only view the schedule.
    bool FieldEdited(CompanyField field);
    // Every field whose text differs from the record is written.
    void PageHidden();

private:
    bool Writable() const;
    std::string Stored(const CompanyFieldSpec& spec);

    MyCompanyView& view_;
    db::Table& table_;
    const data::MainScreenState& state_;
    data::UserInterface& ui_;
};

}  // namespace tw::company
