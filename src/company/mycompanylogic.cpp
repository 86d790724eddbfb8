#include "company/mycompanylogic.h"

#include "data/textroutines.h"

namespace tw::company {

namespace {

constexpr const char* kTarnwick = "Tarnwick";

}  // namespace

const std::array<CompanyFieldSpec, 7>& CompanyFields()
{
    static const std::array<CompanyFieldSpec, 7> fields{{
        {CompanyField::Name, "MYCOMPY", "company name", 100},
        {CompanyField::Address1, "MYADDR1", "address", 35},
        {CompanyField::Address2, "MYADDR2", "second address line", 35},
        {CompanyField::City, "MYCITY", "city", 35},
        {CompanyField::State, "MYSTATE", "state", 15},
        {CompanyField::PostalCode, "MYPOSTAL", "postal code", 12},
        {CompanyField::Phone, "MYPHONE", "phone", 25},
    }};
    return fields;
}

const CompanyFieldSpec& SpecOf(CompanyField field)
{
    for (const CompanyFieldSpec& spec : CompanyFields()) {
        if (spec.Field == field)
            return spec;
    }
    return CompanyFields().front();
}

MyCompanyLogic::MyCompanyLogic(MyCompanyView& view, db::Table& myCompany, const data::MainScreenState& state,
                               data::UserInterface& ui)
    : view_(view),
      table_(myCompany),
      state_(state),
      ui_(ui)
{}

bool MyCompanyLogic::Writable() const
{
    return state_.TablesOpen && !state_.ReadOnlyCopy && table_.active() && !table_.isEmpty();
}

std::string MyCompanyLogic::Stored(const CompanyFieldSpec& spec)
{
    if (!table_.active() || table_.isEmpty())
        return {};
    if (table_.eof() || table_.bof())
        table_.first();
    return data::TrimBlanks(table_.fieldByName(spec.Column).asString());
}

void MyCompanyLogic::PageShown()
{
    if (table_.active()) {
        // Another workstation may have changed the record since.
        table_.refresh();
        table_.first();
    }
    for (const CompanyFieldSpec& spec : CompanyFields())
        view_.ShowField(spec.Field, Stored(spec));
    view_.SetEditable(Writable());
}

bool MyCompanyLogic::FieldEdited(CompanyField field)
{
    const CompanyFieldSpec& spec = SpecOf(field);
    if (!Writable())
        return false;
    const std::string text = data::TrimBlanks(view_.FieldText(field));
    if (text == Stored(spec))
        return true;
    if (static_cast<int>(text.size()) > spec.Width) {
        ui_.ShowMessage("The " + std::string(spec.Name) + " can have at most " + std::to_string(spec.Width)
                            + " characters",
                        kTarnwick, data::MessageIcon::Stop);
        view_.ShowField(field, Stored(spec));
        return false;
    }
    table_.edit();
    try {
        table_.fieldByName(spec.Column).setAsString(text);
        table_.post();
    } catch (...) {
        table_.cancel();
        view_.ShowField(field, Stored(spec));
        throw;
    }
    view_.ShowField(field, text);
    return true;
}

void MyCompanyLogic::PageHidden()
{
    for (const CompanyFieldSpec& spec : CompanyFields())
        FieldEdited(spec.Field);
}

}  // namespace tw::company
