#include "customers/customertab.h"

#include <QString>

#include "data/services/busyscopes.h"
#include "customers/fieldtext.h"
#include "data/services/recordservices.h"
#include "data/textroutines.h"

namespace tw::customers {

namespace {

bool HasRecord(db::Table& t)
{
    return t.active() && !(t.eof() && t.bof());
}

}  // namespace

const std::vector<CustomerEditField>& CustomerEditFields()
{
    static const std::vector<CustomerEditField> fields = {
        {"DBEdit1", "LAST", false},      {"DBEdit31", "FIRST", false}, {"DBEdit2", "CONTACT1", false},
        {"DBEdit4", "ADDR1", false},     {"DBEdit7", "ADDR2", false},  {"DBEdit8", "CITY", false},
        {"DBEdit9", "STATE", true},      {"DBEdit10", "POSTAL", true}, {"DBEdit29", "COUNTRY", false},
        {"DBEdit5", "PHONE1", false},    {"DBEdit12", "FAX", false},   {"DBEdit13", "EMAIL1", false},
        {"DBEdit3", "CONTACT2", false},  {"DBEdit23", "ADDR3", false}, {"DBEdit25", "ADDR4", false},
        {"DBEdit26", "CITY2", false},    {"DBEdit27", "STATE2", true}, {"DBEdit28", "POSTAL2", true},
        {"DBEdit30", "COUNTRY2", false}, {"DBEdit6", "PHONE2", false}, {"DBEdit24", "FAX2", false},
        {"DBEdit14", "EMAIL2", false},
    };
    return fields;
}

CustomerTab::CustomerTab(const CustomerTabTables& tables, CustomerTabView& view, data::MainScreenState& state,
                         data::UserInterface& ui)
    : Photos({tables.CustomersTable, tables.CustomersTable2, tables.PhotosTable}),
      t_(tables),
      view_(view),
      state_(state),
      ui_(ui)
{}

bool CustomerTab::HasCustomer()
{
    return HasRecord(t_.CustomersTable);
}

std::int32_t CustomerTab::CurrentCustomerId()
{
    return HasCustomer() ? t_.CustomersTable.fieldByName("CID").asInteger() : 0;
}

std::string CustomerTab::FieldText(const char* field)
{
    if (!HasCustomer())
        return {};
    return t_.CustomersTable.fieldByName(field).asString();
}

bool CustomerTab::WriteField(std::int32_t loadedCid, const char* field, const std::string& text)
{
    if (!HasCustomer() || CurrentCustomerId() != loadedCid)
        return false;
    if (state_.ReadOnlyCopy)
        return true;
    db::Table& t = t_.CustomersTable;
    db::Field f = t.fieldByName(field);
    if (f.type() == db::FieldType::Logical) {
        const bool value = text == "T";
        if (f.asBoolean() == value)
            return true;
        t.edit();
        f.setAsBoolean(value);
    } else {
        if (f.asString() == text)
            return true;
        t.edit();
        const auto width = static_cast<std::size_t>(f.def().width);
        f.setAsString(f.type() == db::FieldType::Memo ? text : CutToWidth(text, width));
    }
    t.post();
    return true;
}

void CustomerTab::FillNewCustomer(db::Table& t, std::int32_t cid)
{
    t.fieldByName("CID").setAsInteger(cid);
    t.fieldByName("FIRST").setAsString("New");
    t.fieldByName("LAST").setAsString("Customer");
    t.fieldByName("S1").setAsBoolean(false);
    t.fieldByName("S3").setAsBoolean(false);
    t.fieldByName("USEALT").setAsBoolean(false);
    t.fieldByName("LISTID").setAsString("");
    t.fieldByName("PHOTO").setAsBoolean(false);
}

void CustomerTab::AfterInsert()
{
    view_.ApplyCustomerQuery();
    view_.SetWindowCaption("Enter new customer info");
    view_.SetJobsLabel("No jobs");
    view_.SetTasksLabel("No tasks");
    view_.SetCustomersLabel("All customers");
    view_.ShowCustomerPhoto();
    view_.ShowCustomer();
}

bool CustomerTab::InsertCustomer()
{
    if (state_.ReadOnlyCopy || !state_.TablesOpen)
        return false;
    db::Table& t = t_.CustomersTable;
    t_.Scrolling.BeforeScroll(data::ScrolledView::Customers);
    {
        data::BusyScope busy(state_);
        try {
            const std::int32_t cid = data::UniqueKeyValue(state_.Keys, t_.CustomersTable3, "CID");
            t.append();
            FillNewCustomer(t, cid);
            t.post();
            t.locate("CID", db::Value(static_cast<double>(cid)));
        } catch (...) {
            if (t.state() != db::Table::State::Browse)
                t.cancel();
            throw;
        }
    }
    state_.KeepNewCustomer = true;
    t_.Scrolling.AfterScroll(data::ScrolledView::Customers);
    AfterInsert();
    return true;
}

bool CustomerTab::DeleteCustomer()
{
    if (state_.ReadOnlyCopy || !HasCustomer())
        return false;
    const double cid = t_.CustomersTable.fieldByName("CID").asFloat();
    db::Table& charts = t_.ChartsTable2;
    if (charts.active() && charts.locate("CID", db::Value(cid))) {
        ui_.ShowMessage("Cannot delete a customer with a scheduled task", "Tarnwick",
                        data::MessageIcon::Stop);
        return false;
    }
    db::Table& jobs = t_.JobsTable2;
    if (!jobs.active())
        jobs.open();
    while (jobs.locate("CID", db::Value(cid)))
        jobs.deleteRecord();
    if (t_.JobsTable.active())
        t_.JobsTable.refresh();
    t_.Scrolling.BeforeScroll(data::ScrolledView::Customers);
    t_.CustomersTable.deleteRecord();
    t_.CustomersTable.refresh();
    t_.Scrolling.AfterScroll(data::ScrolledView::Customers);
    view_.ShowCustomer();
    return true;
}

void CustomerTab::Move(NavigatorAction action)
{
    db::Table& t = t_.CustomersTable;
    if (!t.active())
        return;
    t_.Scrolling.BeforeScroll(data::ScrolledView::Customers);
    switch (action) {
    case NavigatorAction::First: t.first(); break;
    case NavigatorAction::Prior: t.prior(); break;
    case NavigatorAction::Next:
        t.next();
        if (t.eof())
            t.last();
        break;
    case NavigatorAction::Last: t.last(); break;
    default: break;
    }
    t_.Scrolling.AfterScroll(data::ScrolledView::Customers);
    view_.ShowCustomer();
}

void CustomerTab::NavigatorClick(NavigatorAction action)
{
    switch (action) {
    case NavigatorAction::Insert: InsertCustomer(); break;
    case NavigatorAction::Delete: DeleteCustomer(); break;
    default: Move(action); break;
    }
}

bool CustomerTab::HandleKey(TabKey key, bool customerTabShowing)
{
    if (!customerTabShowing)
        return false;
    switch (key) {
    case TabKey::PageDown: Move(NavigatorAction::Next); return true;
    case TabKey::PageUp: Move(NavigatorAction::Prior); return true;
    case TabKey::ArrowUp:
    case TabKey::ArrowDown: return true;
    case TabKey::Insert:
        // Taken even in a read-only copy, where it adds nothing.
        InsertCustomer();
        return true;
    default: return false;
    }
}

void CustomerTab::ReverseClick()
{
    if (state_.ReadOnlyCopy || !HasCustomer())
        return;
    db::Table& t = t_.CustomersTable;
    const std::string first = t.fieldByName("FIRST").asString();
    const std::string last = t.fieldByName("LAST").asString();
    t.edit();
    t.fieldByName("FIRST").setAsString(last);
    t.fieldByName("LAST").setAsString(first);
    t.post();
    t.refresh();
    view_.ShowCustomer();
}

void CustomerTab::CopyClick()
{
    if (state_.ReadOnlyCopy || !HasCustomer())
        return;
    static const char* const kPairs[][2] = {
        {"ADDR1", "ADDR3"},  {"ADDR2", "ADDR4"},    {"CITY", "CITY2"},
        {"STATE", "STATE2"}, {"POSTAL", "POSTAL2"}, {"PHONE1", "PHONE2"},
        {"FAX", "FAX2"},     {"EMAIL1", "EMAIL2"},  {"COUNTRY", "COUNTRY2"},
    };
    db::Table& t = t_.CustomersTable;
    t.edit();
    for (const auto& pair : kPairs)
        t.fieldByName(pair[1]).setAsString(data::TrimBlanks(t.fieldByName(pair[0]).asString()));
    t.post();
    t.refresh();
    view_.ShowCustomer();
}

void CustomerTab::UseAltClick(bool checked)
{
    if (state_.ReadOnlyCopy || !HasCustomer())
        return;
    db::Table& t = t_.CustomersTable;
    if (t.fieldByName("USEALT").asBoolean() != checked) {
        t.edit();
        t.fieldByName("USEALT").setAsBoolean(checked);
        t.post();
    }
    view_.ShowCustomerPhoto();
}

bool CustomerTab::LocateCustNameClick(const std::string& text)
{
    db::Table& t = t_.CustomersTable;
    const QString prefix = QString::fromStdString(text);
    if (t.active() && !prefix.isEmpty()) {
        const std::uint32_t was = t.recNo();
        // The name order is the view's index, so the first hit in it is the
        // first name in alphabetical order.
        for (t.first(); !t.eof(); t.next()) {
            if (QString::fromStdString(t.fieldByName("NAME").asString())
                    .startsWith(prefix, Qt::CaseInsensitive)) {
                const std::uint32_t found = t.recNo();
                if (was)
                    t.goTo(was);
                t_.Scrolling.BeforeScroll(data::ScrolledView::Customers);
                t.goTo(found);
                t_.Scrolling.AfterScroll(data::ScrolledView::Customers);
                view_.ShowCustomer();
                return true;
            }
        }
        if (was)
            t.goTo(was);
    }
    ui_.ShowMessage("Customer name not found- try shortening entered name", "Tarnwick",
                    data::MessageIcon::Warning);
    return false;
}

void CustomerTab::MarkAll(bool inactive)
{
    if (state_.ReadOnlyCopy)
        return;
    {
        data::BusyScope cursor(ui_);
        // The list would empty out under the user when every customer turned
        // inactive while only active ones are shown.
        if (RestrictCustomer)
            RestrictCustomerClick(false);
        data::BusyScope busy(state_);
        db::Table& t = t_.CustomersTable2;
        if (!t.active())
            t.open();
        for (t.first(); !t.eof(); t.next()) {
            if (t.fieldByName("S1").asBoolean() == inactive)
                continue;
            t.edit();
            t.fieldByName("S1").setAsBoolean(inactive);
            t.post();
        }
        t.refresh();
        t_.CustomersTable.refresh();
    }
    view_.ShowCustomer();
}

void CustomerTab::RestrictCustomerClick(bool restrict)
{
    RestrictCustomer = restrict;
    if (!state_.TablesOpen)
        return;
    {
        data::BusyScope busy(state_);
        db::Table& t = t_.CustomersTable;
        const std::int32_t cid = CurrentCustomerId();
        if (t.active())
            t.refresh();
        t.close();
        t.setFiltered(false);
        if (restrict) {
            view_.SetCustomersLabel("All active customers");
            t.setFilter("NOT S1");
            t.setFiltered(true);
        } else {
            view_.SetCustomersLabel("All customers");
        }
        t.open();
        if (cid)
            t.locate("CID", db::Value(static_cast<double>(cid)));
        view_.ApplyCustomerQuery();
    }
    view_.ShowCustomer();
    view_.ShowCustomerPhoto();
}

PhotoPanelContent CustomerTab::CurrentPhoto()
{
    PhotoPanelContent content;
    if (!HasCustomer())
        return content;
    db::Table& t = t_.CustomersTable;
    const bool alt = t.fieldByName("USEALT").asBoolean();
    const bool hasPhoto = t.fieldByName("PHOTO").asBoolean();
    const StoredPhotos photos = Photos.Load(t.fieldByName("CID").asInteger());
    if (!photos.HasRecord || !hasPhoto)
        return content;
    content.Caption = data::TrimBlanks(t.fieldByName(alt ? "CONTACT2" : "CONTACT1").asString());
    content.Bytes = photos.Image(alt);
    content.Scale = photos.Scale(alt);
    return content;
}

CustomerTab::PhotoChoice CustomerTab::PhotoDoubleClick()
{
    PhotoChoice choice;
    if (!HasCustomer())
        return choice;
    db::Table& t = t_.CustomersTable;
    choice.Cid = t.fieldByName("CID").asInteger();
    choice.Photo2 = t.fieldByName("USEALT").asBoolean();
    if (t.fieldByName("PHOTO").asBoolean())
        choice.Scale = Photos.Load(choice.Cid).Scale(choice.Photo2);
    return choice;
}

}  // namespace tw::customers
