// Customers, employees and custom fields from QuickBooks: matching, the
// fields written, the edition's differences, one write batch that Stop or a
// failure leaves unwritten, and every failure the link can show.
#include <gtest/gtest.h>

#include <QFile>

#include "importqbfixture.h"
#include "support/qbfaults.h"

namespace tw::exchange {
namespace {

using qb::test::Customer;
using qb::test::Id;

qb::DataExtRet Value(const char* name, const char* value)
{
    return qb::DataExtRet{QStringLiteral("0"), QString::fromUtf8(name), QStringLiteral("STR255TYPE"),
                          QString::fromUtf8(value)};
}

qb::DataExtDefRet Definition(const char* name, const char* assigned)
{
    return qb::DataExtDefRet{QStringLiteral("0"),
                             QString::fromUtf8(name),
                             QStringLiteral("STR255TYPE"),
                             {QString::fromUtf8(assigned)}};
}

qb::CompanyData RecordsCompany(const QString& edition = QStringLiteral("US"))
{
    qb::CompanyData d = qb::test::SampleCompany(edition);
    qb::CustomerRet zed = Customer(50, "Zephyr, Ann");
    zed.Contact = QStringLiteral("Ann Zephyr");
    zed.AltContact = QStringLiteral("Bob");
    zed.Fax = QStringLiteral("555-0199");
    zed.Email = QStringLiteral("ann@zephyr.test");
    zed.AltPhone = QStringLiteral("555-0198");
    zed.BillAddress = qb::Address{};
    zed.BillAddress->Addr1 = QStringLiteral("Zephyr, Ann");
    zed.BillAddress->Addr2 = QStringLiteral("1 Mill Road");
    zed.BillAddress->Addr3 = QStringLiteral("Unit 4");
    zed.BillAddress->City = QStringLiteral("Easton");
    zed.BillAddress->State = QStringLiteral("NY");
    zed.BillAddress->Province = QStringLiteral("ON");
    zed.BillAddress->PostalCode = QStringLiteral("10001");
    zed.BillAddress->Country = QStringLiteral("USA");
    zed.ShipAddress = zed.BillAddress;
    zed.ShipAddress->Addr2 = QStringLiteral("9 Yard Lane");
    zed.ShipAddress->State = QStringLiteral("NJ");
    zed.ShipAddress->Province = QStringLiteral("QC");
    for (int i = 1; i <= 9; ++i)
        zed.DataExtRet.push_back(Value(QStringLiteral("Field %1").arg(i).toUtf8().constData(),
                                       QStringLiteral("value %1").arg(i).toUtf8().constData()));
    zed.DataExtRet.push_back(Value("region", "South"));  // a name differing only in case
    d.customers.push_back(zed);
    for (int i = 1; i <= 9; ++i)
        d.customFields.push_back(
            Definition(QStringLiteral("Field %1").arg(i).toUtf8().constData(), "Customer"));
    d.customFields.push_back(Definition("REGION", "Customer"));  // the same as "Region" but for case
    d.customFields.push_back(Definition("Region", "Employee"));

    qb::EmployeeRet noRate;
    noRate.ListID = Id(22);
    noRate.EditSequence = QStringLiteral("1100000001");
    noRate.Name = QStringLiteral("Finn Marsh");
    noRate.Notes = QStringLiteral("Ladders");
    d.employees.push_back(noRate);
    return d;
}

class ImportQBRecordsTest : public ::testing::Test, public test::ImportQBFixture {
protected:
    explicit ImportQBRecordsTest(const qb::CompanyData& company = RecordsCompany()) : ImportQBFixture(company)
    {}

    std::optional<std::string> Customer(const QString& listId, const char* field)
    {
        return Text(D().CustomersTable2, "LISTID", db::Value(listId.toStdString()), field);
    }
    std::optional<std::string> Resource(const QString& listId, const char* field)
    {
        return Text(D().CrewsTable2, "LISTID", db::Value(listId.toStdString()), field);
    }
    void AddLocalCustomer(std::int32_t cid, const char* name, const char* listId)
    {
        db::Table& t = D().CustomersTable2;
        t.append();
        t.fieldByName("CID").setAsInteger(cid);
        t.fieldByName("NAME").setAsString(name);
        t.fieldByName("LAST").setAsString(name);
        t.fieldByName("LISTID").setAsString(listId);
        t.fieldByName("S1").setAsBoolean(true);
        t.fieldByName("USEALT").setAsBoolean(true);
        t.fieldByName("FAX").setAsString("old fax");
        t.fieldByName("EMAIL2").setAsString("old@mail.test");
        t.fieldByName("NOTES").setAsString("kept");
        t.post();
    }
    void AddLocalResource(std::int32_t id, const char* desc, const QString& listId, double rate,
                          const char* notes)
    {
        db::Table& t = D().CrewsTable2;
        t.append();
        t.fieldByName("CREWID").setAsInteger(id);
        t.fieldByName("DESC").setAsString(desc);
        t.fieldByName("LISTID").setAsString(listId.toStdString());
        t.fieldByName("RATE").setAsFloat(rate);
        t.fieldByName("NOTES").setAsString(notes);
        t.post();
    }
    QByteArray FileBytes(const char* name)
    {
        QFile f(QString::fromStdString(schedule_ + "/" + name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
};

class ImportQBCanadaTest : public ImportQBRecordsTest {
protected:
    ImportQBCanadaTest() : ImportQBRecordsTest(RecordsCompany(QStringLiteral("CA"))) {}
};

TEST_F(ImportQBRecordsTest, CustomersMatchByListIdThenByNameOrAreAppended)
{
    AddLocalCustomer(500, "Old name", Id(1).toLower().toUtf8().constData());  // the ListID in another case
    AddLocalCustomer(501, "BROOK LANE", "stale-id");                          // the name in another case
    logic->ImportCustomersClick();
    EXPECT_EQ(view.status.last(), "Imported 1 customers");  // only Zephyr is new
    EXPECT_EQ(host->notices, std::vector<data::ScheduleChanges>{data::ScheduleChange::Customers});
    EXPECT_EQ(Count(D().CustomersTable2), 3);
    EXPECT_EQ(Text(D().CustomersTable2, "CID", db::Value(500.0), "NAME"), "Ashdown Farms");
    EXPECT_EQ(Text(D().CustomersTable2, "CID", db::Value(500.0), "LAST"), "Ashdown Farms");
    EXPECT_EQ(Text(D().CustomersTable2, "CID", db::Value(500.0), "PHONE1"), "555-0101");
    EXPECT_EQ(Text(D().CustomersTable2, "CID", db::Value(500.0), "CITY"), "Northby");
    // Every import makes it active, drops the alternate address and the fields QuickBooks left out.
    for (const char* field : {"S1", "USEALT"})
        EXPECT_EQ(Text(D().CustomersTable2, "CID", db::Value(500.0), field), "False") << field;
    EXPECT_EQ(Text(D().CustomersTable2, "CID", db::Value(500.0), "S3"), "True");
    EXPECT_EQ(Text(D().CustomersTable2, "CID", db::Value(500.0), "FAX"), "");
    EXPECT_EQ(Text(D().CustomersTable2, "CID", db::Value(500.0), "EMAIL2"), "");
    EXPECT_EQ(Text(D().CustomersTable2, "CID", db::Value(500.0), "NOTES"), "kept");
    EXPECT_EQ(Text(D().CustomersTable2, "CID", db::Value(501.0), "LISTID"), Id(5).toStdString());
    EXPECT_EQ(Text(D().CustomersTable2, "CID", db::Value(501.0), "NAME"), "brook lane");
    // Jobs and sub-jobs are never taken as customers.
    EXPECT_FALSE(Customer(Id(2), "NAME"));
    EXPECT_FALSE(Customer(Id(3), "NAME"));

    struct Field {
        const char* name;
        const char* value;
    };
    const Field fields[] = {
        {"NAME", "Zephyr, Ann"},
        {"LAST", "Zephyr"},
        {"FIRST", "Ann"},
        {"CONTACT1", "Ann Zephyr"},
        {"CONTACT2", "Bob"},
        {"FAX", "555-0199"},
        {"PHONE2", "555-0198"},
        {"EMAIL1", "ann@zephyr.test"},
        {"ADDR1", "1 Mill Road"},
        {"ADDR2", "Unit 4"},
        {"CITY", "Easton"},
        {"STATE", "NY"},
        {"POSTAL", "10001"},
        {"COUNTRY", "USA"},
        {"ADDR3", "9 Yard Lane"},
        {"ADDR4", "Unit 4"},
        {"CITY2", "Easton"},
        {"STATE2", "NJ"},
        {"POSTAL2", "10001"},
        {"COUNTRY2", "USA"},
        {"FULLNAME", "Zephyr, Ann"},
        {"PHOTO", "False"},
    };
    for (const Field& f : fields)
        EXPECT_EQ(Customer(Id(50), f.name), f.value) << f.name;

    logic->ImportCustomersClick();  // everything exists now: updated, not counted
    EXPECT_EQ(view.status.last(), "Imported 0 customers");
    EXPECT_EQ(Count(D().CustomersTable2), 3);
}

TEST_F(ImportQBCanadaTest, TheCanadianEditionGivesProvincesAndLeavesNotesAlone)
{
    logic->ImportCustomersClick();
    EXPECT_EQ(Customer(Id(50), "STATE"), "ON");
    EXPECT_EQ(Customer(Id(50), "STATE2"), "QC");

    // The notes are never read: an update must not wipe the resource's own.
    AddLocalResource(600, "Finn", Id(22), 40, "Knows the north side");
    logic->ImportEmployeesClick();
    EXPECT_EQ(Resource(Id(22), "NOTES"), "Knows the north side");
    EXPECT_EQ(Resource(Id(20), "NOTES"), "");
}

TEST_F(ImportQBRecordsTest, TheRestrictedRefreshWritesOnlyThatCustomer)
{
    EXPECT_EQ(logic->OpenQBSessionForCustomers(Id(2)),
              1);  // a job's ListID: written under its customer's name
    EXPECT_EQ(Count(D().CustomersTable2), 1);
    EXPECT_EQ(Customer(Id(2), "NAME"), "Ashdown Farms");
    EXPECT_EQ(Customer(Id(2), "FULLNAME"), "Ashdown Farms:Barn roof");
    EXPECT_EQ(logic->OpenQBSessionForCustomers(Id(6)), 0);  // inactive: not returned
    EXPECT_EQ(Count(D().CustomersTable2), 1);
    EXPECT_TRUE(host->notices.empty());  // the job import it serves tells the pages at its end
    EXPECT_FALSE(view.progressOpen);
    EXPECT_EQ(view.progressTotal, -1);  // one customer shows no progress
}

TEST_F(ImportQBRecordsTest, StopOrAFailurePartWayLeavesTheCustomersAsTheyWere)
{
    AddLocalCustomer(500, "Ashdown Farms", "");
    const QByteArray before = FileBytes("customers.dbf");
    view.stopAt = 2;
    logic->ImportCustomersClick();
    EXPECT_EQ(view.status.last(), "Imported 0 customers");
    EXPECT_EQ(FileBytes("customers.dbf"), before);
    EXPECT_FALSE(view.progressOpen);
    EXPECT_EQ(Count(D().CustomersTable2), 1);
    EXPECT_EQ(Text(D().CustomersTable2, "CID", db::Value(500.0), "LISTID"), "");

    // A definition naming a column the table lacks fails on the last customer.
    view.stopAt = -1;
    db::Table& custom = D().CustomFieldsTable2;
    custom.append();
    custom.fieldByName("NAME").setAsString("FIELD 9");
    custom.fieldByName("FNAME").setAsString("CFV9");
    custom.fieldByName("TYPE").setAsInteger(1);
    custom.fieldByName("ACTIVE").setAsBoolean(true);
    custom.post();
    const QByteArray withDefinition = FileBytes("customers.dbf");
    logic->ImportCustomersClick();
    ASSERT_EQ(host->recorder.boxes.size(), 1u);
    EXPECT_TRUE(host->recorder.boxes.front().startsWith("Tarnwick: "))
        << host->recorder.boxes.front().toStdString();
    EXPECT_EQ(FileBytes("customers.dbf"), withDefinition);
    EXPECT_EQ(Count(D().CustomersTable2), 1);
    EXPECT_EQ(D().CustomersTable2.state(), db::Table::State::Browse);
    EXPECT_EQ(host->calls->last(), "Release");  // the session was closed all the same
}

TEST_F(ImportQBRecordsTest, EachFailureOfTheLinkGivesItsBoxAndWritesNothing)
{
    struct Case {
        const char* name;
        qb::FaultScript faults;
        const char* box;  // empty: none
    };
    const Case cases[] = {
        {"no connection", tw::test::QbFaults().Code("OpenConnection", 0x80040420).Build(),
         "Unable to connect to QuickBooks: QuickBooks access for Tarnwick has been denied"},
        {"no session", tw::test::QbFaults().Code("BeginSession", 0x80040408).Build(),
         "Unable to establish QuickBooks session: Please specify your QuickBooks company file on the Setup / "
         "QuickBooks screen"},
        {"unsupported", tw::test::QbFaults().Versions({"2.0"}).Build(),
         "Tarnwick setup error: An edition of QuickBooks is installed that is not supported by Tarnwick"},
        {"nothing found", tw::test::QbFaults().Status("CustomerQueryRq", 1, "").Build(),
         "QuickBooks advisory: No QuickBooks customers found"},
        {"error status", tw::test::QbFaults().Status("CustomerQueryRq", 3120, "Object not found").Build(),
         "QuickBooks error: Object not found"},
        {"thrown", tw::test::QbFaults().Throw(0x80040400, "Out of memory").Build(),
         "QuickBooks error: The QuickBooks call DoRequests failed: Out of memory"},
        {"no request set", tw::test::QbFaults().NoSet().Build(), ""},
        {"no query", tw::test::QbFaults().NoAppend().Build(), ""},
        {"no response", tw::test::QbFaults().NoResponse().Build(), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host->recorder.boxes.clear();
        host->recorder.accessChecked = false;
        host->faults = c.faults;
        logic->ImportCustomersClick();
        EXPECT_EQ(host->recorder.boxes, *c.box ? QStringList{c.box} : QStringList{});
        EXPECT_EQ(view.status.last(), "Imported 0 customers");
        EXPECT_EQ(Count(D().CustomersTable2), 0);
        EXPECT_FALSE(host->recorder.hourglass);
    }
    host->recorder.edition = 2;  // "Other": refused after the check
    host->recorder.boxes.clear();
    logic->ImportCustomersClick();
    EXPECT_EQ(host->recorder.boxes,
              QStringList{"QuickBooks advisory: Only US and Canadian QuickBooks are supported by Tarnwick"});
    EXPECT_EQ(Count(D().CustomersTable2), 0);
}

// The field imports hold the hourglass over the definitions' session, which
// shows none of its own; the values' session that follows holds its own. A
// box of the first is read under the click's hourglass, one of the second
// under the normal cursor, and nothing is left held or set.
TEST_F(ImportQBRecordsTest, TheFieldImportsGiveBackTheirHourglassAndFlagOnEveryPath)
{
    using Click = void (ImportQBLogic::*)();
    struct Case {
        const char* name;
        Click click;
        qb::FaultScript faults;  // the first session's
        int edition;
        QStringList boxes;
        std::vector<int> hourglassesAtBoxes;
    };
    const QString refused = "QuickBooks advisory: Only US and Canadian QuickBooks are supported by Tarnwick";
    const QString denied = "Unable to connect to QuickBooks: QuickBooks access for Tarnwick has been denied";
    const QString thrown = "QuickBooks error: The QuickBooks call DoRequests failed: Out of memory";
    const Case cases[] = {
        {"customer fields", &ImportQBLogic::ImportCustomerFieldsClick, {}, 1, {}, {}},
        {"employee fields", &ImportQBLogic::ImportEmployeeFieldsClick, {}, 1, {}, {}},
        {"customer fields, no connection", &ImportQBLogic::ImportCustomerFieldsClick,
         tw::test::QbFaults().Code("OpenConnection", 0x80040420).Build(), 1, {denied}, {1}},
        {"employee fields, definitions thrown", &ImportQBLogic::ImportEmployeeFieldsClick,
         tw::test::QbFaults().Throw(0x80040400, "Out of memory").Build(), 1, {thrown}, {1}},
        {"customer fields, both refused", &ImportQBLogic::ImportCustomerFieldsClick, {}, 2,
         {refused, refused}, {1, 0}},
        {"employee fields, both refused", &ImportQBLogic::ImportEmployeeFieldsClick, {}, 2,
         {refused, refused}, {1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host->recorder.boxes.clear();
        host->recorder.hourglassesAtBoxes.clear();
        host->recorder.edition = c.edition;
        host->faults = c.faults;
        (logic.get()->*c.click)();
        EXPECT_EQ(host->recorder.boxes, c.boxes);
        EXPECT_EQ(host->recorder.hourglassesAtBoxes, c.hourglassesAtBoxes);
        EXPECT_EQ(host->recorder.hourglasses, 0);
        EXPECT_FALSE(host->recorder.busy);
    }
}

TEST_F(ImportQBRecordsTest, EmployeesBecomeResourcesWithTheLastRateAndACalendar)
{
    AddLocalResource(600, "Finn", Id(22).toLower(), 40, "old notes");
    state_.WorkCalendarMode = 1;
    logic->ImportEmployeesClick();
    // Added and updated in one run: the updated text has the last word.
    EXPECT_EQ(view.status.last(), "1 employees in Tarnwick resource list were updated from QuickBooks");
    EXPECT_TRUE(view.status.contains("Importing Dana Reed"));
    EXPECT_EQ(Resource(Id(20), "DESC"), "Dana Reed");
    EXPECT_DOUBLE_EQ(std::stod(*Resource(Id(20), "RATE")), 31.25);  // the last earnings line with a rate
    EXPECT_EQ(Text(D().CrewsTable2, "CREWID", db::Value(600.0), "DESC"), "Finn Marsh");
    EXPECT_DOUBLE_EQ(std::stod(*Text(D().CrewsTable2, "CREWID", db::Value(600.0), "RATE")),
                     40.0);  // no rate: kept
    EXPECT_EQ(Text(D().CrewsTable2, "CREWID", db::Value(600.0), "NOTES"), "Ladders");
    EXPECT_FALSE(Resource(Id(21), "DESC"));  // inactive employees are not asked for
    ASSERT_EQ(host->calendarsShown.size(), 1u);
    const std::int32_t dana = std::stoi(*Resource(Id(20), "CREWID"));
    EXPECT_EQ(host->calendarsShown.front(), dana);
    D().CalendarTable.refresh();
    EXPECT_TRUE(D().CalendarTable.locate("CREWID", db::Value(double(dana))));

    logic->ImportEmployeesClick();
    EXPECT_EQ(view.status.last(), "2 employees in Tarnwick resource list were updated from QuickBooks");
    EXPECT_EQ(Count(D().CrewsTable2), 2);
}

TEST_F(ImportQBRecordsTest, EmployeeTextsAfterNoneFoundAndFailures)
{
    state_.WorkCalendarMode = 0;
    logic->ImportEmployeesClick();
    EXPECT_EQ(view.status.last(), "2 employees from QuickBooks added to Tarnwick resource list");
    EXPECT_EQ(host->calendarsShown, (std::vector<std::int32_t>{0, 0}));
    EXPECT_EQ(host->notices, std::vector<data::ScheduleChanges>{data::ScheduleChange::Resources});
    host->notices.clear();

    host->faults = tw::test::QbFaults().Status("EmployeeQueryRq", 1, "").Build();
    logic->ImportEmployeesClick();
    EXPECT_EQ(host->recorder.boxes.last(), "QuickBooks advisory: No QuickBooks employees found");
    EXPECT_EQ(view.status.last(), "No employees found in QuickBooks");

    // QuickBooks was never asked: its box says why, the status claims nothing.
    for (const char* call : {"OpenConnection", "BeginSession"}) {
        SCOPED_TRACE(call);
        view.status.clear();
        host->faults = tw::test::QbFaults().Code(call, 0x8004041D).Build();
        logic->ImportEmployeesClick();
        EXPECT_EQ(view.status, QStringList({"Accessing QuickBooks", ""}));
    }

    view.status.clear();
    host->recorder.edition = 2;
    logic->ImportEmployeesClick();
    EXPECT_EQ(view.status, QStringList{"Accessing QuickBooks"});  // a refused edition has its box only

    // Stop leaves the resources as they were.
    host->recorder.edition = 1;
    const QByteArray before = FileBytes("crews.dbf");
    D().CrewsTable2.first();
    view.stopAt = 1;
    logic->ImportEmployeesClick();
    EXPECT_EQ(FileBytes("crews.dbf"), before);
    EXPECT_EQ(view.status.last(), "No employees found in QuickBooks");
    EXPECT_TRUE(host->notices.empty());  // none of these changed a resource
}

// Imports that find nothing changed write nothing: the files keep their
// bytes. One value changed in QuickBooks rewrites only what it changes.
TEST_F(ImportQBRecordsTest, AnImportThatChangesNoValueLeavesTheFilesAsTheyWere)
{
    logic->ImportCustomerFieldsClick();
    logic->ImportEmployeeFieldsClick();
    const QByteArray customers = FileBytes("customers.dbf");
    const QByteArray crews = FileBytes("crews.dbf");
    ASSERT_FALSE(customers.isEmpty());
    logic->ImportCustomersClick();
    logic->ImportEmployeesClick();
    EXPECT_EQ(FileBytes("customers.dbf"), customers);
    EXPECT_EQ(FileBytes("crews.dbf"), crews);
    EXPECT_EQ(view.status.last(), "2 employees in Tarnwick resource list were updated from QuickBooks");

    qb::CompanyData changed = RecordsCompany();
    for (qb::CustomerRet& c : changed.customers)
        if (c.ListID == Id(50))
            c.Phone = QStringLiteral("555-0000");
    QString error;
    ASSERT_TRUE(qb::CompanyFile::Save(Company().Path(), changed, &error)) << error.toStdString();
    logic->ImportCustomersClick();
    EXPECT_EQ(Customer(Id(50), "PHONE1"), "555-0000");
    const QByteArray after = FileBytes("customers.dbf");
    ASSERT_EQ(after.size(), customers.size());
    // The record of Ashdown Farms, which nothing changed, has its old bytes.
    const QByteArray ashdown = QByteArray("Ashdown Farms");
    const qsizetype at = customers.indexOf(ashdown);
    ASSERT_GE(at, 0);
    EXPECT_EQ(after.mid(at, 200), customers.mid(at, 200));
}

// A text longer than QuickBooks holds marks the company file damaged: the
// import is refused naming the file, and the tables are as they were.
TEST_F(ImportQBRecordsTest, AValueLongerThanQuickBooksHoldsIsADamagedFile)
{
    logic->ImportCustomersClick();
    const QByteArray customers = FileBytes("customers.dbf");
    for (const char* element : {"Name", "Notes"}) {
        SCOPED_TRACE(element);
        qb::CompanyData d = RecordsCompany();
        (std::string(element) == "Name" ? d.customers.back().Name : d.customers.back().Notes) =
            QString(10 * 1024 * 1024, u'z');
        QString error;
        ASSERT_TRUE(qb::CompanyFile::Save(Company().Path(), d, &error)) << error.toStdString();
        host->recorder.boxes.clear();
        logic->ImportCustomersClick();
        ASSERT_EQ(host->recorder.boxes.size(), 1u);
        const QString box = host->recorder.boxes.front();
        EXPECT_TRUE(box.startsWith("Unable to establish QuickBooks session: The QuickBooks company file \""
                                   + Company().Path()
                                   + "\" could not be read: it is damaged (customers entry "))
            << box.left(400).toStdString();
        EXPECT_TRUE(box.contains(QStringLiteral(" %1 holds 10485760 characters").arg(element)))
            << box.left(400).toStdString();
        EXPECT_LT(box.size(), 400);
        EXPECT_EQ(FileBytes("customers.dbf"), customers);
    }
}

TEST_F(ImportQBRecordsTest, CustomFieldDefinitionsAndTheirValues)
{
    logic->ImportCustomerFieldsClick();
    // Region, then Field 1 to Field 6: seven columns; REGION is Region in another case.
    EXPECT_EQ(view.status.last(), "Imported 7 customer custom field definitions");
    EXPECT_EQ(host->loadedNames, QStringList{"1"});
    EXPECT_EQ(Customer(Id(1), "CFV1"), "North");
    struct Column {
        const char* column;
        const char* value;
    };
    const Column columns[] = {{"CFV1", "South"},   {"CFV2", "value 1"}, {"CFV3", "value 2"},
                              {"CFV4", "value 3"}, {"CFV5", "value 4"}, {"CFV6", "value 5"},
                              {"CFV7", "value 6"}};
    for (const Column& c : columns)
        EXPECT_EQ(Customer(Id(50), c.column), c.value) << c.column;  // Field 7 to 9 are dropped

    // Again: nothing new; an inactive definition still receives its values.
    db::Table& custom = D().CustomFieldsTable2;
    ASSERT_TRUE(custom.locate("FNAME", db::Value(std::string("CFV2"))));
    custom.edit();
    custom.fieldByName("ACTIVE").setAsBoolean(false);
    custom.post();
    db::Table& customers = D().CustomersTable2;
    ASSERT_TRUE(customers.locate("LISTID", db::Value(Id(50).toStdString())));
    customers.edit();
    customers.fieldByName("CFV2").setAsString("");
    customers.post();
    logic->ImportCustomersClick();
    EXPECT_EQ(Customer(Id(50), "CFV2"), "value 1");

    logic->ImportEmployeeFieldsClick();
    EXPECT_EQ(view.status.last(), "Imported 2 employee custom field definitions");  // Skill and Region
    EXPECT_EQ(Resource(Id(20), "CFV1"), "Roofing");  // Skill comes first from QuickBooks
    EXPECT_EQ(host->recorder.hourglass, false);
}

TEST_F(ImportQBRecordsTest, TheWholeRoundGoesThroughTheProductsRequestFormat)
{
    host->mode = qb::LinkMode::Xml;
    logic->Open(0);
    logic->ShowQBCustomersClick();
    EXPECT_EQ(view.status.last(), "7 customers found");  // the inactive ones too: the box is ticked
    logic->ImportCustomerFieldsClick();
    EXPECT_EQ(Customer(Id(50), "STATE"), "NY");
    EXPECT_EQ(Customer(Id(1), "CFV1"), "North");
    logic->ImportEmployeesClick();
    EXPECT_DOUBLE_EQ(std::stod(*Resource(Id(20), "RATE")), 31.25);
    EXPECT_TRUE(host->recorder.boxes.isEmpty()) << host->recorder.boxes.join("|").toStdString();
}

}  // namespace
}  // namespace tw::exchange
