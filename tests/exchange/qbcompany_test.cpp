// The local company as the product: filters, order, refusals, edit
// sequences, renames, country and version, saving; every case runs on both
// links (typed, and the same company through the XML request format).
#include <gtest/gtest.h>

#include <QFile>

#include "exchange/qb/libraryerror.h"
#include "exchange/qb/localsessionmanager.h"
#include "exchange/qbtestcompany.h"
#include "support/qbfaults.h"

namespace tw::qb {
namespace {

using test::CompanyFolder;
using test::Id;
using test::SampleCompany;

class LocalCompanyTest : public ::testing::TestWithParam<LinkMode> {
protected:
    void SetUp() override
    {
        folder_ = std::make_unique<CompanyFolder>(SampleCompany());
        manager_ = Begin(folder_->Path());
    }

    std::unique_ptr<LocalSessionManager> Begin(const QString& openCompany, CompanyFileWriter writer = {})
    {
        LocalSessionManager::Options o;
        o.mode = GetParam();
        o.openCompany = openCompany;
        o.writer = std::move(writer);
        auto m = std::make_unique<LocalSessionManager>(std::move(o));
        EXPECT_EQ(m->OpenConnection("48213957", "Tarnwick"), 0u);
        EXPECT_EQ(m->BeginSession(QString(), kOpenModeAny), 0u);
        return m;
    }

    Response Send(const Request& request, const QString& country = QStringLiteral("US"), int major = 3)
    {
        auto set = manager_->CreateMsgSetRequest(country, major, 0);
        set->OnError = 1;
        set->Request() = request;
        auto responses = manager_->DoRequests(*set);
        EXPECT_TRUE(responses && responses->ResponseList.size() == 1);
        return responses->ResponseList.front();
    }

    static QStringList FullNames(const Response& r)
    {
        QStringList names;
        if (auto* list = r.DetailAs<CustomerRet>())
            for (const CustomerRet& c : *list)
                names << c.FullName.value_or(QStringLiteral("?"));
        return names;
    }

    std::unique_ptr<CompanyFolder> folder_;
    std::unique_ptr<LocalSessionManager> manager_;
};

CustomerQueryRq Query(std::function<void(CustomerQueryRq&)> fill = {})
{
    CustomerQueryRq q;
    if (fill)
        fill(q);
    return q;
}

TEST_P(LocalCompanyTest, CustomerQueriesFilterAndListCustomersBeforeTheirJobs)
{
    struct Case {
        const char* name;
        CustomerQueryRq query;
        QStringList expected;  // empty: nothing found (status 1)
    };
    const QString a = QStringLiteral("Ashdown Farms");
    const Case cases[] = {
        {"active only by default",
         Query(),
         {a, a + ":Barn roof", a + ":Barn roof:Gutters", QStringLiteral("brook lane")}},
        {"all",
         Query([](auto& q) { q.ActiveStatus = ENActiveStatus::All; }),
         {a, a + ":Barn roof", a + ":Barn roof:Gutters", a + ":fence", "brook lane", "Cole & Sons"}},
        {"inactive only",
         Query([](auto& q) { q.ActiveStatus = ENActiveStatus::InactiveOnly; }),
         {a + ":fence", "Cole & Sons"}},
        {"full name, case aside",
         Query([](auto& q) { q.FullName = {QStringLiteral("ashdown FARMS:barn roof")}; }),
         {a + ":Barn roof"}},
        {"list id", Query([](auto& q) { q.ListID = {Id(5)}; }), {"brook lane"}},
        {"name contains",
         Query([](auto& q) {
             q.NameFilter = NameFilter{ENMatchCriterion::Contains, QStringLiteral("ROOF")};
         }),
         {a + ":Barn roof", a + ":Barn roof:Gutters"}},
        {"name ends with",
         Query([](auto& q) {
             q.NameFilter = NameFilter{ENMatchCriterion::EndsWith, QStringLiteral("lane")};
         }),
         {"brook lane"}},
        {"name range",
         Query([](auto& q) {
             q.NameRangeFilter = NameRangeFilter{QStringLiteral("b"), QStringLiteral("c")};
         }),
         {"brook lane"}},
        {"max returned", Query([](auto& q) { q.MaxReturned = 2; }), {a, a + ":Barn roof"}},
        {"nothing found",
         Query([](auto& q) {
             q.NameFilter = NameFilter{ENMatchCriterion::StartsWith, QStringLiteral("zz")};
         }),
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Response r = Send(c.query);
        if (c.expected.isEmpty()) {
            EXPECT_EQ(r.StatusCode, 1);
            EXPECT_FALSE(r.Detail.has_value());
            EXPECT_EQ(r.StatusMessage.value_or(""),
                      "A query request did not find a matching object in QuickBooks");
        } else {
            EXPECT_EQ(r.StatusCode, 0);
            EXPECT_EQ(FullNames(r), c.expected);
        }
    }
}

TEST_P(LocalCompanyTest, ReturnedCustomersLeaveOutEmptyElementsAndShowOnlyPublicCustomValues)
{
    Response withOwner = Send(Query([](auto& q) { q.OwnerID = {QStringLiteral("0")}; }));
    const auto& list = *withOwner.DetailAs<CustomerRet>();
    const CustomerRet& ashdown = list[0];
    ASSERT_EQ(ashdown.DataExtRet.size(), 1u);
    EXPECT_EQ(ashdown.DataExtRet[0].DataExtName, "Region");
    EXPECT_EQ(ashdown.DataExtRet[0].DataExtValue, "North");
    EXPECT_FALSE(ashdown.Notes.has_value());
    EXPECT_FALSE(ashdown.ShipAddress.has_value());
    ASSERT_TRUE(ashdown.BillAddress.has_value());
    EXPECT_EQ(ashdown.BillAddress->City, "Northby");
    EXPECT_FALSE(ashdown.BillAddress->Addr1.has_value());
    EXPECT_FALSE(ashdown.ParentRef.has_value());
    EXPECT_EQ(ashdown.Sublevel, 0);

    const CustomerRet& gutters = list[2];
    EXPECT_EQ(gutters.Sublevel, 2);
    ASSERT_TRUE(gutters.ParentRef.has_value());
    EXPECT_EQ(gutters.ParentRef->ListID, Id(2));
    EXPECT_EQ(gutters.ParentRef->FullName, "Ashdown Farms:Barn roof");
    EXPECT_EQ(gutters.JobStatus, ENJobStatus::Pending);
    EXPECT_EQ(list[1].JobStartDate, QDate(2026, 3, 2));
    EXPECT_EQ(list[1].Notes, "Slate, two days\nScaffold first");

    Response withoutOwner = Send(Query());
    EXPECT_TRUE(withoutOwner.DetailAs<CustomerRet>()->front().DataExtRet.empty());
}

TEST_P(LocalCompanyTest, EmployeesItemsAndCustomFieldDefinitions)
{
    EmployeeQueryRq employees;
    employees.OwnerID = {QStringLiteral("0")};
    Response e = Send(employees);
    ASSERT_EQ(e.StatusCode, 0);
    const auto& staff = *e.DetailAs<EmployeeRet>();
    ASSERT_EQ(staff.size(), 1u);  // Evan Hale is inactive
    EXPECT_EQ(staff[0].Name, "Dana Reed");
    const auto& earnings = staff[0].EmployeePayrollInfo->Earnings;
    ASSERT_EQ(earnings.size(), 3u);
    EXPECT_EQ(earnings[0].Rate, Currency::FromRaw(255000));
    EXPECT_FALSE(earnings[1].Rate.has_value());
    EXPECT_EQ(earnings[2].Rate, Currency::FromRaw(312500));
    ASSERT_EQ(staff[0].DataExtRet.size(), 1u);
    EXPECT_EQ(staff[0].DataExtRet[0].DataExtValue, "Roofing");

    Response items = Send(ItemQueryRq{});
    ASSERT_EQ(items.StatusCode, 0);
    QStringList names;
    for (const ItemRet& i : *items.DetailAs<ItemRet>())
        names << *i.Name + "/" + EnumWord(i.ortype) + "/"
                + (i.SalesOrPurchase        ? "1"
                       : i.SalesAndPurchase ? "2"
                                            : "0");
    EXPECT_EQ(names,
              QStringList({"Disposal/OtherCharge/2", "Labour - general/Service/1",
                           "Labour - skilled/Service/2", "Nails/Inventory/0", "Travel/OtherCharge/1"}));
    const ItemRet& skilled = (*items.DetailAs<ItemRet>())[2];
    EXPECT_EQ(skilled.SalesAndPurchase->PurchaseCost, Currency::FromRaw(400000));

    DataExtDefQueryRq defs;
    defs.OwnerID = {QStringLiteral("0")};
    Response d = Send(defs);
    ASSERT_EQ(d.StatusCode, 0);
    QStringList defNames;
    for (const DataExtDefRet& def : *d.DetailAs<DataExtDefRet>())
        defNames << *def.DataExtName + "="
                + QStringList(def.AssignToObject.begin(), def.AssignToObject.end()).join(",");
    EXPECT_EQ(defNames, QStringList({"Region=Customer", "Skill=Employee"}));

    EmployeeQueryRq nobody;
    nobody.ActiveStatus = ENActiveStatus::InactiveOnly;
    nobody.NameFilter = NameFilter{ENMatchCriterion::StartsWith, QStringLiteral("Dana")};
    EXPECT_EQ(Send(nobody).StatusCode, 1);
}

CustomerAddRq Add(const char* name, std::optional<Ref> parent = std::nullopt)
{
    CustomerAddRq a;
    a.Name = QString::fromUtf8(name);
    a.ParentRef = std::move(parent);
    return a;
}

TEST_P(LocalCompanyTest, AddsRefuseWhatTheProductRefuses)
{
    struct Case {
        const char* name;
        CustomerAddRq add;
        int status;
    };
    const Ref ashdown{Id(1), std::nullopt};
    const Case cases[] = {
        {"41 characters", Add("12345678901234567890123456789012345678901"), 0},
        {"42 characters", Add("123456789012345678901234567890123456789012"), 3070},
        {"name in use, case aside", Add("ASHDOWN farms"), 3100},
        {"job name in use under its customer", Add("barn ROOF", ashdown), 3100},
        {"the same job name under another customer", Add("Barn roof", Ref{Id(5), std::nullopt}), 0},
        {"an inactive sibling still holds its name", Add("Fence", ashdown), 3100},
        {"unknown parent id", Add("New job", Ref{QStringLiteral("80000999-1100000000"), std::nullopt}), 3140},
        {"unknown parent name", Add("New job", Ref{std::nullopt, QStringLiteral("Nobody")}), 3140},
        {"id and name disagree", Add("New job", Ref{Id(1), QStringLiteral("brook lane")}), 3140},
        {"id and name agree", Add("Agreed job", Ref{Id(1), QStringLiteral("ashdown farms")}), 0},
        {"a colon would split the name", Add("Roof:east"), 3180},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Response r = Send(c.add);
        EXPECT_EQ(r.StatusCode, c.status) << r.StatusMessage.value_or("").toStdString();
        EXPECT_EQ(r.Detail.has_value(), c.status == 0);
    }
    CustomerAddRq unnamed;
    unnamed.CompanyName = QStringLiteral("No name");
    EXPECT_THROW(Send(unnamed), LibraryError);
}

// Every longest text of the format, not only the name: one over is refused, the longest is taken.
TEST_P(LocalCompanyTest, AddsRefuseEveryTextOverItsLongestLength)
{
    const RequestRules* rules = RulesFor(QStringLiteral("CustomerAddRq"));
    int checked = 0;
    int n = 0;
    for (const QString& path : rules->order) {
        const ElementRule* rule = rules->Rule(path);
        if (rule->maxLength == 0 || rule->since > 3 || path == u"Name")
            continue;
        FieldList fields{{QStringLiteral("Name"), QStringLiteral("Length case %1").arg(n++)}};
        fields.push_back({path, QString(rule->maxLength + 1, u'x')});
        Request request = CustomerAddRq{};
        try {
            request = FromFields(QStringLiteral("CustomerAddRq"), fields);
        } catch (const LibraryError&) {
            continue;  // an element the program never sends
        }
        SCOPED_TRACE(path.toStdString());
        Response over = Send(request);
        EXPECT_EQ(over.StatusCode, 3070);
        EXPECT_TRUE(over.StatusMessage->contains(path)) << over.StatusMessage->toStdString();
        fields[1].text.chop(1);
        fields[0].text += QStringLiteral(" at most");
        EXPECT_EQ(Send(FromFields(QStringLiteral("CustomerAddRq"), fields)).StatusCode, 0);
        ++checked;
    }
    EXPECT_GE(checked, 25);  // every text the program's adds carry
}

TEST_P(LocalCompanyTest, AnAddIsSavedWithIdentitiesHandedOutInOrder)
{
    Response r = Send(Add("Loft conversion", Ref{Id(5), std::nullopt}));
    ASSERT_EQ(r.StatusCode, 0);
    const CustomerRet& added = r.DetailAs<CustomerRet>()->front();
    EXPECT_EQ(added.ListID, "80000064-1200000000");
    EXPECT_EQ(added.EditSequence, "1200000100");
    EXPECT_EQ(added.FullName, "brook lane:Loft conversion");
    EXPECT_EQ(added.Sublevel, 1);
    EXPECT_LE(added.ListID->size(), 25);

    auto saved = CompanyFile::Read(folder_->Path(), nullptr);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->customers.size(), 7u);
    EXPECT_EQ(saved->nextId, 101);

    // A new session reads what the last one saved.
    manager_->EndSession();
    manager_ = Begin(folder_->Path());
    EXPECT_EQ(FullNames(Send(Query([](auto& q) { q.ListID = {"80000064-1200000000"}; }))),
              QStringList{"brook lane:Loft conversion"});
}

TEST_P(LocalCompanyTest, ModifiesCheckTheEditSequenceAndRenameDescendants)
{
    CustomerModRq rename;
    rename.ListID = Id(2);
    rename.EditSequence = QStringLiteral("1100000001");
    rename.Name = QStringLiteral("Barn & shed");
    rename.JobStatus = ENJobStatus::Closed;
    Response r = Send(rename);
    ASSERT_EQ(r.StatusCode, 0) << r.StatusMessage->toStdString();
    const CustomerRet& job = r.DetailAs<CustomerRet>()->front();
    EXPECT_EQ(job.FullName, "Ashdown Farms:Barn & shed");
    EXPECT_EQ(job.EditSequence, "1200000100");
    EXPECT_EQ(job.Notes, "Slate, two days\nScaffold first");  // left alone by the modify
    EXPECT_EQ(job.JobStatus, ENJobStatus::Closed);
    EXPECT_EQ(FullNames(Send(Query([](auto& q) { q.ListID = {Id(3)}; }))),
              QStringList{"Ashdown Farms:Barn & shed:Gutters"});

    struct Case {
        const char* name;
        CustomerModRq mod;
        int status;
    };
    auto mod = [](int id, const char* sequence, const char* name) {
        CustomerModRq m;
        m.ListID = Id(id);
        m.EditSequence = QString::fromLatin1(sequence);
        if (name)
            m.Name = QString::fromUtf8(name);
        return m;
    };
    CustomerModRq underOwnJob = mod(1, "1100000001", nullptr);
    underOwnJob.ParentRef = Ref{Id(3), std::nullopt};
    const Case cases[] = {
        {"the edit sequence before the rename", mod(2, "1100000001", "Barn"), 3200},
        {"an unknown list id", mod(99, "1100000001", "Barn"), 3120},
        {"a sibling's name", mod(2, "1200000100", "FENCE"), 3100},
        {"under its own sub-job", underOwnJob, 3140},
        {"over the longest name", mod(5, "1100000001", "123456789012345678901234567890123456789012"), 3070},
        {"its own name in other letters", mod(5, "1100000001", "Brook Lane"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Send(c.mod).StatusCode, c.status);
    }
    CustomerModRq noSequence;
    noSequence.ListID = Id(5);
    EXPECT_THROW(Send(noSequence), LibraryError);
}

TEST_P(LocalCompanyTest, ItemModifiesInEitherPriceForm)
{
    struct Case {
        const char* name;
        Request mod;
        int status;
    };
    auto form1 = [](auto m, int id, const char* seq) {
        m.ListID = Id(id);
        m.EditSequence = QString::fromLatin1(seq);
        m.SalesOrPurchaseMod = SalesOrPurchaseMod{QStringLiteral("Cost of task"), Currency::FromRaw(1234567)};
        return m;
    };
    auto form2 = [](auto m, int id, const char* seq) {
        m.ListID = Id(id);
        m.EditSequence = QString::fromLatin1(seq);
        m.SalesAndPurchaseMod = SalesAndPurchaseMod{QStringLiteral("Cost of task"), std::nullopt,
                                                    std::nullopt, Currency::FromRaw(1234567)};
        return m;
    };
    const Case cases[] = {
        {"service, sales or purchase", form1(ItemServiceModRq{}, 30, "1100000001"), 0},
        {"service, sales and purchase", form2(ItemServiceModRq{}, 31, "1100000001"), 0},
        {"other charge, sales or purchase", form1(ItemOtherChargeModRq{}, 32, "1100000001"), 0},
        {"other charge, sales and purchase", form2(ItemOtherChargeModRq{}, 33, "1100000001"), 0},
        {"the other price form", form2(ItemServiceModRq{}, 30, "1200000100"), 3180},
        {"a service modify of an other-charge item", form1(ItemServiceModRq{}, 32, "1200000102"), 3120},
        {"a stale edit sequence", form1(ItemServiceModRq{}, 30, "1100000001"), 3200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Response r = Send(c.mod);
        EXPECT_EQ(r.StatusCode, c.status) << r.StatusMessage.value_or("").toStdString();
    }
    Response items = Send(ItemQueryRq{});
    const auto& list = *items.DetailAs<ItemRet>();
    EXPECT_EQ(list[1].SalesOrPurchase->Price, Currency::FromRaw(1234567));  // Labour - general
    EXPECT_EQ(list[1].SalesOrPurchase->Desc, "Cost of task");
    EXPECT_EQ(list[2].SalesAndPurchase->PurchaseCost, Currency::FromRaw(1234567));  // Labour - skilled
    EXPECT_EQ(list[2].SalesAndPurchase->SalesDesc, "Cost of task");
    EXPECT_EQ(list[2].SalesAndPurchase->SalesPrice, Currency::FromRaw(650000));  // no sales price sent
}

TEST_P(LocalCompanyTest, ASetOfAnotherCountryOrVersionOrElementThrows)
{
    struct Case {
        const char* name;
        QString country;
        int major;
        Request request;
        std::uint32_t code;
    };
    CustomerQueryRq withInclude;
    withInclude.IncludeRetElement = {QStringLiteral("Name")};  // came with qbXML 4.0
    const Case cases[] = {
        {"Canadian set, US company", QStringLiteral("CA"), 3, CustomerQueryRq{}, code::CountryMismatch},
        {"a version the company does not list", QStringLiteral("US"), 4, CustomerQueryRq{},
         code::VersionNotSupported},
        {"an element newer than the set", QStringLiteral("US"), 3, withInclude, code::ParseError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            Send(c.request, c.country, c.major);
            ADD_FAILURE() << "no error";
        } catch (const LibraryError& e) {
            EXPECT_EQ(e.Call(), "DoRequests");
            EXPECT_EQ(e.Code(), c.code) << e.Text().toStdString();
        }
    }
}

TEST_P(LocalCompanyTest, ACompanyWithout30IsRefusedNamingTheVersion)
{
    CompanyData old = SampleCompany();
    old.versions = {QStringLiteral("1.0"), QStringLiteral("2.0")};
    CompanyFolder folder(old);
    manager_ = Begin(folder.Path());
    try {
        Send(CustomerQueryRq{});
        ADD_FAILURE() << "no error";
    } catch (const LibraryError& e) {
        EXPECT_TRUE(e.Text().contains("3.0")) << e.Text().toStdString();
    }
}

TEST_P(LocalCompanyTest, AFullDiskWhileSavingLeavesTheFileAndTheCompanyAsTheyWere)
{
    const QByteArray before = folder_->Bytes();
    manager_ = Begin(folder_->Path(), [](const QString& path, const QByteArray& bytes, QString* error) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes.left(bytes.size() / 2));
        *error = QStringLiteral("No space left on device");
        return false;
    });
    Response r = Send(Add("Never saved"));
    EXPECT_EQ(r.StatusCode, 3180);
    EXPECT_TRUE(r.StatusMessage->contains("No space left on device"));
    EXPECT_EQ(folder_->Bytes(), before);
    EXPECT_FALSE(QFile::exists(folder_->Path() + ".saving"));

    CustomerModRq rename;
    rename.ListID = Id(5);
    rename.EditSequence = QStringLiteral("1100000001");
    rename.Name = QStringLiteral("Never renamed");
    EXPECT_EQ(Send(rename).StatusCode, 3180);
    EXPECT_EQ(folder_->Bytes(), before);
    EXPECT_EQ(FullNames(Send(Query([](auto& q) { q.ListID = {Id(5)}; }))), QStringList{"brook lane"});
    EXPECT_EQ(Send(Query([](auto& q) { q.FullName = {QStringLiteral("Never saved")}; })).StatusCode, 1);
}

TEST_P(LocalCompanyTest, AChangeMadeByAnotherProgramIsSeenByTheNextSession)
{
    CompanyData changed = SampleCompany();
    changed.customers.push_back(test::Customer(50, "Dell Quarry"));
    ASSERT_TRUE(CompanyFile::Save(folder_->Path(), changed, nullptr));
    manager_ = Begin(folder_->Path());
    EXPECT_EQ(FullNames(Send(Query([](auto& q) { q.ListID = {Id(50)}; }))), QStringList{"Dell Quarry"});
}

INSTANTIATE_TEST_SUITE_P(Links, LocalCompanyTest, ::testing::Values(LinkMode::Typed, LinkMode::Xml),
                         [](const auto& info) { return info.param == LinkMode::Typed ? "Typed" : "Xml"; });

// Which file a session opens: the one the product has open, or the one named.
TEST(LocalSessionManager, BeginSessionOpensTheFileTheProductHasOpen)
{
    CompanyFolder open(SampleCompany());
    CompanyFolder other(SampleCompany(), QStringLiteral("Other.qbw"));
    struct Case {
        const char* name;
        QString openCompany;
        QString path;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"automatic access", open.Path(), QString(), 0},
        {"the same file named", open.Path(), open.Path(), 0},
        {"another file named", open.Path(), other.Path(), code::WrongCompanyFile},
        {"none open, a path", QString(), other.Path(), 0},
        {"none open, no path", QString(), QString(), code::NotRunning},
        {"none open, a missing file", QString(), other.Dir() + "/missing.qbw", code::CompanyFileMissing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocalSessionManager::Options o;
        o.openCompany = c.openCompany;
        LocalSessionManager m(std::move(o));
        ASSERT_EQ(m.OpenConnection("48213957", "Tarnwick"), 0u);
        EXPECT_EQ(m.BeginSession(c.path, kOpenModeAny), c.code);
    }
}

TEST(LocalSessionManager, ADamagedFileIsRefusedAtBeginSession)
{
    const QByteArray good = CompanyFile::Serialize(SampleCompany());
    CompanyData looped = SampleCompany();
    for (CustomerRet& c : looped.customers)
        if (c.ListID == Id(1))
            c.ParentRef = Ref{Id(3), std::nullopt};  // Ashdown under its own sub-job
    const QByteArray loop = CompanyFile::Serialize(looped);
    // Texts the product could never have handed out.
    const auto longer = [](auto change) {
        CompanyData d = SampleCompany();
        change(d);
        return CompanyFile::Serialize(d);
    };
    const QString tenMegabytes(10 * 1024 * 1024, u'x');
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"cut short", good.left(good.size() / 2)},
        {"not json", QByteArray("MZ\x90\x00\x03", 5)},
        {"another format", QByteArray(R"({"format": "something else", "formatVersion": 1})")},
        {"a number where a text belongs", QByteArray(good).replace("\"Name\": \"Gutters\"", "\"Name\": 12")},
        {"a date that is no date", QByteArray(good).replace("2026-03-02", "2026-02-31")},
        {"an unknown parent",
         QByteArray(good).replace("\"80000002-1100000000\"\n", "\"80000099-1100000000\"\n")},
        {"parents in a loop", loop},
        {"an item of no kind", QByteArray(good).replace("\"kind\": \"Inventory\"", "\"kind\": \"Bucket\"")},
        {"a 10 MB customer name", longer([&](CompanyData& d) { d.customers[0].Name = tenMegabytes; })},
        {"a 10 MB job note", longer([&](CompanyData& d) { d.customers[2].Notes = tenMegabytes; })},
        {"a customer name one over", longer([](CompanyData& d) { d.customers[0].Name = QString(42, u'n'); })},
        {"a note one over", longer([](CompanyData& d) { d.customers[0].Notes = QString(4096, u'n'); })},
        {"a city one over",
         longer([](CompanyData& d) { d.customers.back().BillAddress->City = QString(32, u'c'); })},
        {"a 10 MB employee name", longer([&](CompanyData& d) { d.employees[0].Name = tenMegabytes; })},
        {"a 10 MB employee note", longer([&](CompanyData& d) { d.employees[1].Notes = tenMegabytes; })},
        {"a 10 MB custom value",
         longer([&](CompanyData& d) { d.customers.back().DataExtRet[0].DataExtValue = tenMegabytes; })},
        {"an item name one over", longer([](CompanyData& d) { d.items[0].Name = QString(32, u'i'); })},
        {"an item description one over",
         longer([](CompanyData& d) { d.items[0].SalesOrPurchase->Desc = QString(4096, u'd'); })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NE(c.bytes, good);
        QTemporaryDir dir;
        const QString path = dir.filePath("Damaged.qbw");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        auto calls = std::make_shared<QStringList>();
        LocalSessionManager::Options o;
        o.openCompany = path;
        o.calls = calls;
        LocalSessionManager m(std::move(o));
        ASSERT_EQ(m.OpenConnection("48213957", "Tarnwick"), 0u);
        EXPECT_EQ(m.BeginSession(QString(), kOpenModeAny), code::CompanyFileMissing);
        // The file is named: the product's code alone would ask for a file when one is set.
        EXPECT_TRUE(m.FailureText().startsWith("The QuickBooks company file \"" + path
                                               + "\" could not be read: it is damaged ("))
            << m.FailureText().left(300).toStdString();
        QString why;
        EXPECT_FALSE(CompanyFile::Parse(c.bytes, &why));
        EXPECT_FALSE(why.isEmpty());
        EXPECT_LT(why.size(), 300);
    }

    // The longest texts the product takes are a sound company.
    CompanyData longest = SampleCompany();
    longest.customers[0].Name = QString(41, u'n');
    longest.customers[0].Notes = QString(4095, u'n');
    longest.items[0].Name = QString(31, u'i');
    QString why;
    EXPECT_TRUE(CompanyFile::Parse(CompanyFile::Serialize(longest), &why)) << why.toStdString();
}

TEST(LocalSessionManager, AMissingFileIsNamed)
{
    QTemporaryDir dir;
    LocalSessionManager m({});
    ASSERT_EQ(m.OpenConnection("48213957", "Tarnwick"), 0u);
    const QString path = dir.filePath("Gone.qbw");
    EXPECT_EQ(m.BeginSession(path, kOpenModeAny), code::CompanyFileMissing);
    EXPECT_TRUE(
        m.FailureText().startsWith("The QuickBooks company file \"" + path + "\" could not be read: "))
        << m.FailureText().toStdString();
    CompanyFolder folder(SampleCompany());
    ASSERT_EQ(m.BeginSession(folder.Path(), kOpenModeAny), 0u);
    EXPECT_TRUE(m.FailureText().isEmpty());  // a later session that opens has nothing to tell
}

TEST(LocalSessionManager, ScriptedFaultsAreUsedOnceInOrder)
{
    CompanyFolder folder(SampleCompany());
    LocalSessionManager::Options o;
    o.openCompany = folder.Path();
    o.faults = tw::test::QbFaults()
                   .Status("CustomerQueryRq", 3100, "first")
                   .Status("CustomerQueryRq", 500, "second")
                   .NoAppend()
                   .Versions({"2.0"})
                   .Build();
    LocalSessionManager m(std::move(o));
    m.OpenConnection("48213957", "Tarnwick");
    ASSERT_EQ(m.BeginSession({}, kOpenModeAny), 0u);
    QStringList versions;
    EXPECT_EQ(m.QBXMLVersionsForSession(versions), 0u);
    EXPECT_EQ(versions, QStringList{"2.0"});
    EXPECT_EQ(m.QBXMLVersionsForSession(versions), 0u);
    EXPECT_EQ(versions, QStringList({"1.0", "2.0", "3.0"}));
    auto refused = m.CreateMsgSetRequest("US", 3, 0);
    EXPECT_EQ(refused->AppendCustomerQueryRq(), nullptr);
    QStringList statuses;
    for (int i = 0; i < 3; ++i) {
        auto set = m.CreateMsgSetRequest("US", 3, 0);
        ASSERT_NE(set->AppendCustomerQueryRq(), nullptr);
        EXPECT_EQ(set->AppendCustomerQueryRq(), nullptr);  // one request per set
        auto r = m.DoRequests(*set)->ResponseList.front();
        statuses << QString::number(r.StatusCode) + " " + r.StatusMessage.value_or("");
    }
    EXPECT_EQ(statuses, QStringList({"3100 first", "500 second", "0 Status OK"}));
}

// The faults a company file carries apply to every session on it.
TEST(LocalSessionManager, AFileCarriesItsOwnFaultScript)
{
    CompanyData d = SampleCompany();
    d.faults = tw::test::QbFaults().Throw(0x80040400, "scripted").Build();
    CompanyFolder folder(d);
    for (int session = 0; session < 2; ++session) {
        LocalSessionManager::Options o;
        o.openCompany = folder.Path();
        LocalSessionManager m(std::move(o));
        m.OpenConnection("48213957", "Tarnwick");
        ASSERT_EQ(m.BeginSession({}, kOpenModeAny), 0u);
        auto set = m.CreateMsgSetRequest("US", 3, 0);
        set->AppendItemQueryRq();
        EXPECT_THROW(m.DoRequests(*set), LibraryError);
        EXPECT_EQ(m.DoRequests(*set)->ResponseList.front().StatusCode, 0);
    }
}

// Whatever a text holds, the file gives it back as it was written.
TEST(CompanyFile, KeepsEveryText)
{
    const QString texts[] = {QStringLiteral("plain"), QStringLiteral("quote \" and back\\slash"),
                             QStringLiteral("tab\tnew\nline\rreturn\x01"), QStringLiteral("Zoë Ærø – 東京 😀"),
                             QString()};
    CompanyData d = SampleCompany();
    for (const QString& t : texts)
        d.customers.push_back(test::Customer(60 + static_cast<int>(&t - texts), "n"));
    for (std::size_t i = 0; i < std::size(texts); ++i)
        d.customers[d.customers.size() - std::size(texts) + i].Notes = texts[i];
    QString error;
    auto back = CompanyFile::Parse(CompanyFile::Serialize(d), &error);
    ASSERT_TRUE(back) << error.toStdString();
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(back->customers[back->customers.size() - std::size(texts) + i].Notes, texts[i]);
}

// The sample company of examples/ opens and answers through both links.
TEST(LocalSessionManager, TheSampleCompanyAnswers)
{
    QTemporaryDir dir;
    const QString copy = dir.filePath("Sample.qbw");
    ASSERT_TRUE(QFile::copy(TW_EXAMPLES_DIR "/qbcompany/Fernhollow Sample Company.qbw", copy));
    for (LinkMode mode : {LinkMode::Typed, LinkMode::Xml}) {
        LocalSessionManager::Options o;
        o.mode = mode;
        o.openCompany = copy;
        LocalSessionManager m(std::move(o));
        m.OpenConnection("48213957", "Tarnwick");
        ASSERT_EQ(m.BeginSession({}, kOpenModeAny), 0u);
        auto set = m.CreateMsgSetRequest("US", 3, 0);
        set->AppendCustomerQueryRq()->OwnerID = {QStringLiteral("0")};
        Response r = m.DoRequests(*set)->ResponseList.front();
        ASSERT_EQ(r.StatusCode, 0);
        EXPECT_EQ(r.DetailAs<CustomerRet>()->size(), 7u);
        EXPECT_EQ(r.DetailAs<CustomerRet>()->at(2).FullName, "Ashdown Farms:Barn roof:Gutters");
    }
}

}  // namespace
}  // namespace tw::qb
