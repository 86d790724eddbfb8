#include "sampleschedule.h"

#include "app/session/appsession.h"
#include "customers/customerphotos.h"
#include "customers/customfieldrules.h"
#include "customers/jpegpicture.h"
#include "data/services/recordservices.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace tw::examples {

namespace {

// Everything the Customer details page shows of a customer. The addresses
// are made up; the phone numbers are of the 555-01xx kind no line has, the
// e-mail domains the reserved example.com.
struct SampleCustomer {
    const char* Last;
    const char* First;
    const char* Contact;
    const char* Address1;
    const char* Address2;
    const char* City;
    const char* State;
    const char* Postal;
    const char* Phone;
    const char* Fax;
    const char* Email;
    const char* Notes;
    // The values of the customer custom fields below, in their order.
    const char* Fields[3];
    // An alternate address (accounts, a second home), or none.
    const char* AltContact = "";
    const char* AltAddress1 = "";
    const char* AltCity = "";
    const char* AltState = "";
    const char* AltPostal = "";
    const char* AltPhone = "";
    const char* AltEmail = "";
};

const char* const kCustomerFieldNames[] = {"Referred by", "Parking", "Access"};

// A house under a blue sky, drawn here so that the sample's photo is of our
// own making.
std::vector<std::uint8_t> HousePicture()
{
    customers::DecodedPicture p;
    p.Width = 160;
    p.Height = 120;
    p.Rgb.resize(static_cast<std::size_t>(p.Width * p.Height * 3));
    auto put = [&](int x, int y, int r, int g, int b) {
        std::uint8_t* px = &p.Rgb[static_cast<std::size_t>((y * p.Width + x) * 3)];
        px[0] = static_cast<std::uint8_t>(r);
        px[1] = static_cast<std::uint8_t>(g);
        px[2] = static_cast<std::uint8_t>(b);
    };
    auto box = [&](int left, int top, int right, int bottom, int r, int g, int b) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                put(x, y, r, g, b);
    };
    for (int y = 0; y < p.Height; ++y)
        for (int x = 0; x < p.Width; ++x)
            put(x, y, 120 + y, 170 + y / 2, 235);  // sky, lighter towards the ground
    for (int y = 12; y < 32; ++y)
        for (int x = 120; x < 150; ++x)
            if ((x - 135) * (x - 135) + (y - 22) * (y - 22) < 90)
                put(x, y, 255, 214, 64);         // sun
    box(0, 96, p.Width, p.Height, 86, 150, 70);  // lawn
    box(38, 58, 122, 98, 236, 224, 196);         // walls
    for (int y = 26; y < 58; ++y) {              // roof
        const int half = (y - 26) * 48 / 32;
        for (int x = 80 - half; x <= 80 + half; ++x)
            put(x, y, 150, 48, 40);
    }
    box(72, 74, 88, 98, 110, 70, 40);  // door
    box(46, 66, 64, 82, 90, 60, 40);   // window frames
    box(96, 66, 114, 82, 90, 60, 40);
    box(48, 68, 62, 80, 170, 210, 240);  // panes
    box(98, 68, 112, 80, 170, 210, 240);
    return customers::EncodeJpeg(p, 85);
}

customers::CustomFieldTables CustomFieldTablesOf(data::TEstimateData& d)
{
    return customers::CustomFieldTables{
        .CustomersTable = d.CustomersTable,
        .CustomersTable2 = d.CustomersTable2,
        .CrewsTable = d.CrewsTable,
        .CrewsTable2 = d.CrewsTable2,
        .ChartsTable = d.ChartsTable,
        .ChartsTable2 = d.ChartsTable2,
        .CustomFieldsTable = d.CustomFieldsTable,
        .CustomFieldsTable2 = d.CustomFieldsTable2,
        .CustomFieldsTable3 = d.CustomFieldsTable3,
    };
}

// The customer with its details; its name as the schedule writes it
// ("Last, First"), which the data module keeps from the two parts.
std::string AddSampleCustomer(app::AppSession& session, const SampleCustomer& c,
                              const std::vector<std::string>& fieldColumns, bool photo)
{
    data::TEstimateData& d = session.Data();
    db::Table& customers = d.CustomersTable3;
    const std::int32_t key = data::UniqueKeyValue(session.State.Keys, customers, "CID");
    const std::string name = data::CustomerNameText(c.Last, c.First);
    session.State.KeepNewCustomer = true;
    customers.append();
    auto text = [&](const char* field, const std::string& value) {
        customers.fieldByName(field).setAsString(value);
    };
    customers.fieldByName("CID").setAsInteger(key);
    text("NAME", name);
    text("LAST", c.Last);
    text("FIRST", c.First);
    text("CONTACT1", c.Contact);
    text("ADDR1", c.Address1);
    text("ADDR2", c.Address2);
    text("CITY", c.City);
    text("STATE", c.State);
    text("POSTAL", c.Postal);
    text("COUNTRY", "USA");
    text("PHONE1", c.Phone);
    text("FAX", c.Fax);
    text("EMAIL1", c.Email);
    text("CONTACT2", c.AltContact);
    text("ADDR3", c.AltAddress1);
    text("CITY2", c.AltCity);
    text("STATE2", c.AltState);
    text("POSTAL2", c.AltPostal);
    text("COUNTRY2", *c.AltCity ? "USA" : "");
    text("PHONE2", c.AltPhone);
    text("EMAIL2", c.AltEmail);
    text("NOTES", c.Notes);
    for (std::size_t i = 0; i < fieldColumns.size() && i < std::size(c.Fields); ++i)
        text(fieldColumns[i].c_str(), c.Fields[i]);
    for (const char* mark : {"S1", "S3", "USEALT", "PHOTO"})
        customers.fieldByName(mark).setAsBoolean(false);
    customers.post();
    for (db::Table* t : {&d.CustomersTable, &d.CustomersTable2})
        t->refresh();
    if (photo) {
        customers::CustomerPhotos photos({d.CustomersTable, d.CustomersTable2, d.PhotosTable});
        photos.Save(key, false, HousePicture(), 0);
    }
    return name;
}

}  // namespace

std::int32_t AddSampleResource(app::AppSession& session, const std::string& name)
{
    data::TEstimateData& d = session.Data();
    db::Table& crews = d.CrewsTable4;
    const std::int32_t key = data::UniqueKeyValue(session.State.Keys, crews, "CREWID");
    session.State.KeepNewResource = true;
    crews.append();
    crews.fieldByName("CREWID").setAsInteger(key);
    crews.fieldByName("DESC").setAsString(name);
    crews.post();
    for (db::Table* t : {&d.CrewsTable, &d.CrewsTable2, &d.CrewsTable3})
        t->refresh();
    return key;
}

std::int32_t AddSampleTask(app::AppSession& session, std::int32_t resource, const SampleTask& task,
                           TDateTime* end)
{
    schedule::NewScheduleItem item;
    item.Key = data::UniqueKeyValue(session.State.Keys, session.Data().ChartsTable5, "CHARTSID");
    item.CustomerName = task.Customer;
    item.JobName = task.Job;
    item.Description = task.Description;
    item.Hours = task.Hours;
    item.End = session.Calendars().ComputeTaskEnd(resource, item.Start, task.Start, task.Hours);
    if (end != nullptr)
        *end = item.End;
    item.HourlyRate = 45;
    item.TotalCost = 45.0 * task.Hours;
    item.JobStatus = 2;
    item.LengthUnit = 1;
    session.State.CurrentResourceId = resource;
    return session.Adder().AddTaskToSchedule(item) ? item.Key : 0;
}

void FillSampleSchedule(app::AppSession& session, TDateTime monday)
{
    const std::int32_t crews[] = {
        AddSampleResource(session, "Ann's crew"),   AddSampleResource(session, "Bob Carter"),
        AddSampleResource(session, "Electricians"), AddSampleResource(session, "Painters"),
        AddSampleResource(session, "Roofers"),
    };
    const SampleCustomer people[] = {
        {"Ames",
         "Helen",
         "Helen Ames",
         "14 Orchard Lane",
         "",
         "Millbrook",
         "NY",
         "12545",
         "(845) 555-0142",
         "",
         "helen.ames@example.com",
         "Side gate open on weekdays. Two dogs: keep the kitchen door shut.",
         {"Baker & Sons", "Driveway", "Side gate"}},
        {"Baker",
         "Tom",
         "Tom Baker, Baker & Sons",
         "Baker & Sons Bakery",
         "3 Market Street",
         "Millbrook",
         "NY",
         "12545",
         "(845) 555-0107",
         "(845) 555-0108",
         "tom@bakerandsons.example.com",
         "The shop opens at 6:00; the pavement in front of the door must be clear by then.",
         {"Yellow pages", "Market Street bays", "Back yard"},
         "Mary Baker (accounts)",
         "PO Box 88",
         "Millbrook",
         "NY",
         "12545",
         "(845) 555-0109",
         "accounts@bakerandsons.example.com"},
        {"Cole",
         "Priya",
         "Dr Priya Cole",
         "Cole Dental Practice",
         "210 Main Street, Suite 2",
         "Rhinebeck",
         "NY",
         "12572",
         "(845) 555-0163",
         "(845) 555-0164",
         "reception@coledental.example.com",
         "Closed on Wednesdays: noisy work in the waiting room then.",
         {"Helen Ames", "Rear car park", "Reception"}},
        {"Marsh",
         "Gwen",
         "Gwen Marsh, bursar, Dunmore School",
         "Dunmore School",
         "Hill Road",
         "Red Hook",
         "NY",
         "12571",
         "(845) 555-0120",
         "(845) 555-0121",
         "bursar@dunmore.example.org",
         "Roof work only in the school holidays or after 16:00. Sign in at the office.",
         {"Tender", "Staff car park", "Office"}},
        {"Ellis",
         "Robert",
         "Robert Ellis, Ellis Hotel",
         "Ellis Hotel",
         "1 Quay Street",
         "Kingston",
         "NY",
         "12401",
         "(845) 555-0185",
         "(845) 555-0186",
         "manager@ellishotel.example.com",
         "Rooms 1 to 4 are closed to guests for the job; use the service lift.",
         {"Cole Dental", "Loading bay", "Night porter"},
         "Susan Ellis",
         "22 River View",
         "Kingston",
         "NY",
         "12401",
         "(845) 555-0187",
         "susan.ellis@example.com"},
        {"Fenwick",
         "Sarah",
         "Sarah Fenwick",
         "Fenwick Farm",
         "County Road 9",
         "Stanfordville",
         "NY",
         "12581",
         "(845) 555-0131",
         "",
         "sarah@fenwickfarm.example.com",
         "Livestock in the yard: close every gate behind you.",
         {"Farm show", "Yard", "Farm gate"}},
        {"Grant",
         "Oliver",
         "Oliver Grant",
         "Grant House",
         "7 Elm Avenue",
         "Millbrook",
         "NY",
         "12545",
         "(845) 555-0176",
         "",
         "oliver.grant@example.com",
         "Wants the new porch stained to match the door.",
         {"Tom Baker", "Street", "Front door"}},
        {"Hale",
         "Diane",
         "Diane Hale, office manager",
         "Hale Offices",
         "40 Bridge Street, Floor 2",
         "Poughkeepsie",
         "NY",
         "12601",
         "(845) 555-0153",
         "(845) 555-0154",
         "diane.hale@haleoffices.example.com",
         "Staff work on floor 3 during the job; noisy work before 9:00 or after 17:00.",
         {"Website", "Garage, level B", "Security desk"}},
        {"Irwin",
         "Margaret",
         "Margaret Irwin",
         "Irwin Cottage",
         "Mill Lane",
         "Clinton Corners",
         "NY",
         "12514",
         "(845) 555-0198",
         "",
         "m.irwin@example.com",
         "Away until the 20th; her son Peter has the key.",
         {"Gwen Marsh", "Lane", "Key with Peter Irwin"},
         "Peter Irwin",
         "5 Station Road",
         "Millbrook",
         "NY",
         "12545",
         "(845) 555-0199",
         "peter.irwin@example.com"},
    };
    // Three custom fields of customers, on the columns their definitions get.
    customers::CustomFieldRules rules(CustomFieldTablesOf(session.Data()), session.State);
    std::vector<std::string> fieldColumns;
    for (const char* field : kCustomerFieldNames) {
        rules.DefineCustomField(customers::kCustomerFields, "", field);
        for (const customers::CustomFieldDefinition& d : rules.Definitions(customers::kCustomerFields))
            if (d.Name == customers::CustomFieldNameText(field))
                fieldColumns.push_back(d.Column);
    }
    std::vector<std::string> names;
    for (const SampleCustomer& person : people)
        names.push_back(AddSampleCustomer(session, person, fieldColumns, names.empty()));

    const struct {
        const char* job;
        const char* tasks[4];
    } jobs[] = {
        {"Kitchen refit", {"Strip out", "First fix wiring", "Fit units", "Paint walls"}},
        {"Shop front", {"Scaffold", "Replace fascia", "Sign wiring", "Repaint front"}},
        {"Waiting room", {"Move furniture", "Lighting", "Ceiling repair", "Paint"}},
        {"Gym roof", {"Survey", "Strip felt", "New membrane", "Gutters"}},
        {"Rooms 1-4", {"Protect floors", "Sockets", "Decorate", "Snagging"}},
        {"Barn", {"Clear barn", "Roof sheets", "Outdoor lights", "Doors"}},
        {"Porch", {"Demolish porch", "Footings", "Lantern", "Stain timber"}},
        {"Floor 2", {"Partitions", "Data points", "Ceiling tiles", "Paint"}},
        {"Re-roof", {"Scaffold", "Strip slates", "Battens", "Slating"}},
    };
    // Jobs begin on the working days of the first week and a half; a task
    // waits for the one before it in its job and for its resource.
    TDateTime crewFree[5] = {};
    int n = 0;
    for (int j = 0; j < static_cast<int>(std::size(jobs)); ++j) {
        const int day = j % 5 + (j >= 5 ? 7 : 0);
        TDateTime ready = monday + day + 8.0 / 24;
        for (int i = 0; i < 4; ++i, ++n) {
            const int crew = (n + i) % 5;
            const float hours = static_cast<float>(2 + (n * 7) % 9);
            TDateTime end = 0;
            AddSampleTask(session, crews[crew],
                          {names[static_cast<std::size_t>(j)], jobs[j].job, jobs[j].tasks[i],
                           std::max(ready, crewFree[crew]), hours},
                          &end);
            ready = crewFree[crew] = end;
        }
    }
}

}  // namespace tw::examples
