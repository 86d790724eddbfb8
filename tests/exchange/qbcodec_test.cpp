// The request format both ways: golden texts for every request the program
// sends, golden answers of each status, and the decoder's refusals.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <algorithm>
#include <random>

#include "exchange/qb/libraryerror.h"
#include "exchange/qb/xmlcodec.h"

namespace tw::qb {
namespace {

QString GoldenPath(const QString& name)
{
    return QStringLiteral(TW_EXCHANGE_GOLDEN_DIR "/") + name;
}

QString ReadGolden(const QString& name)
{
    QFile f(GoldenPath(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// TW_WRITE_GOLDEN=1 rewrites the golden texts from the codec (review the diff before committing).
void ExpectGolden(const QString& name, const QString& actual)
{
    if (qEnvironmentVariableIsSet("TW_WRITE_GOLDEN")) {
        QFile f(GoldenPath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(actual.toUtf8());
        return;
    }
    EXPECT_EQ(actual.toStdString(), ReadGolden(name).toStdString()) << name.toStdString();
}

// The customer block of an add: every field set, empty ones too; State or Province by edition.
void FillCustomerBlock(CustomerFields& add, bool isUS)
{
    const QString name = QStringLiteral("Cole & Sons <North>");
    add.CompanyName = name;
    add.BillAddress = Address{};
    add.BillAddress->Addr1 = name;
    add.BillAddress->Addr2 = QStringLiteral("12 Mill Lane");
    add.BillAddress->Addr3 = QString();
    add.BillAddress->City = QStringLiteral("Northby");
    (isUS ? add.BillAddress->State : add.BillAddress->Province) = QStringLiteral("ON");
    add.BillAddress->PostalCode = QStringLiteral("K1A 0B1");
    add.BillAddress->Country = QStringLiteral("Canada");
    add.ShipAddress = Address{};
    add.ShipAddress->Addr1 = name;
    add.ShipAddress->Addr2 = QString();
    add.ShipAddress->Addr3 = QString();
    add.ShipAddress->City = QString();
    (isUS ? add.ShipAddress->State : add.ShipAddress->Province) = QString();
    add.ShipAddress->PostalCode = QString();
    add.ShipAddress->Country = QString();
    add.Phone = QStringLiteral("555-0101");
    add.AltPhone = QString();
    add.Fax = QString();
    add.Email = QStringLiteral("office@cole.example");
    add.Contact = QStringLiteral("Ann \"Nan\" Cole");
    add.AltContact = QString();
}

struct GoldenRequest {
    std::string file;
    QString country;
    std::optional<int> onError;
    Request request;
};

std::vector<GoldenRequest> ProgramRequests()
{
    std::vector<GoldenRequest> out;
    CustomerQueryRq jobList;  // the customer-job list, inactive entries included
    jobList.ActiveStatus = ENActiveStatus::All;
    out.push_back({"customer_query_joblist.xml", "US", 1, jobList});
    CustomerQueryRq import;  // the customer import: active ones with their public custom values
    import.OwnerID = {QStringLiteral("0")};
    import.ActiveStatus = ENActiveStatus::ActiveOnly;
    out.push_back({"customer_query_import.xml", "US", 1, import});
    CustomerQueryRq lookup;  // the export's look-ups
    lookup.ActiveStatus = ENActiveStatus::All;
    out.push_back({"customer_query_lookup_ca.xml", "CA", 1, lookup});
    EmployeeQueryRq employees;
    employees.OwnerID = {QStringLiteral("0")};
    employees.ActiveStatus = ENActiveStatus::ActiveOnly;
    out.push_back({"employee_query.xml", "US", 1, employees});
    DataExtDefQueryRq defs;
    defs.OwnerID = {QStringLiteral("0")};
    out.push_back({"dataextdef_query.xml", "US", std::nullopt, defs});
    out.push_back({"item_query.xml", "US", 1, ItemQueryRq{}});

    for (bool isUS : {true, false}) {
        const QString country = isUS ? QStringLiteral("US") : QStringLiteral("CA");
        const std::string suffix = isUS ? "_us.xml" : "_ca.xml";
        CustomerAddRq customer;
        customer.Name = QStringLiteral("Cole & Sons <North>");
        FillCustomerBlock(customer, isUS);
        out.push_back({"customer_add" + suffix, country, 1, customer});

        CustomerAddRq job;
        job.JobDesc = QStringLiteral("Barn roof");
        job.Name = QStringLiteral("Barn roof");
        FillCustomerBlock(job, isUS);
        job.ParentRef = Ref{QStringLiteral("80000001-1100000000"), QStringLiteral("Cole & Sons <North>")};
        job.Notes = QStringLiteral("Slate\nScaffold first");
        job.JobStatus = ENJobStatus::Awarded;
        out.push_back({"job_add" + suffix, country, 1, job});

        CustomerAddRq task;
        // A task text over 41 characters: the name is cut, the description keeps it whole.
        task.Name = QStringLiteral("Gutters and downpipes, east side of the b");
        task.JobDesc = QStringLiteral("Gutters and downpipes, east side of the barn");
        FillCustomerBlock(task, isUS);
        task.ParentRef =
            Ref{QStringLiteral("80000002-1100000000"), QStringLiteral("Cole & Sons <North>:Barn roof")};
        task.JobStartDate = QDate(2026, 3, 2);
        task.JobProjectedEndDate = QDate(2026, 3, 4);
        task.JobEndDate = QDate(2026, 3, 4);
        task.JobStatus = ENJobStatus::InProgress;
        out.push_back({"task_add" + suffix, country, 1, task});
    }

    CustomerModRq mod;  // the task's sub-job update
    mod.ListID = QStringLiteral("80000003-1100000000");
    mod.EditSequence = QStringLiteral("1100000007");
    mod.JobDesc = QStringLiteral("Gutters");
    mod.Name = QStringLiteral("Gutters");
    mod.JobStartDate = QDate(2026, 3, 2);
    mod.JobProjectedEndDate = QDate(2026, 3, 5);
    mod.JobEndDate = QDate(2026, 3, 5);
    mod.Notes = QString();
    mod.JobStatus = ENJobStatus::Pending;
    out.push_back({"customer_mod.xml", "US", 1, mod});

    auto form1 = [](auto m) {
        m.ListID = QStringLiteral("80000030-1100000000");
        m.EditSequence = QStringLiteral("1100000002");
        m.SalesOrPurchaseMod = SalesOrPurchaseMod{QStringLiteral("Gutters"), Currency::FromRaw(3125050)};
        return m;
    };
    auto form2 = [](auto m) {
        m.ListID = QStringLiteral("80000031-1100000000");
        m.EditSequence = QStringLiteral("1100000002");
        m.SalesAndPurchaseMod = SalesAndPurchaseMod{QStringLiteral("Summary"), std::nullopt, std::nullopt,
                                                    Currency::FromRaw(-12345)};
        return m;
    };
    out.push_back({"item_service_mod_form1.xml", "US", 0, form1(ItemServiceModRq{})});
    out.push_back({"item_service_mod_form2.xml", "US", 0, form2(ItemServiceModRq{})});
    out.push_back({"item_othercharge_mod_form1.xml", "CA", 0, form1(ItemOtherChargeModRq{})});
    out.push_back({"item_othercharge_mod_form2.xml", "CA", 0, form2(ItemOtherChargeModRq{})});
    return out;
}

MsgSetRequest SetOf(const GoldenRequest& g)
{
    MsgSetRequest set(g.country, 3, 0);
    set.OnError = g.onError;
    set.Request() = g.request;
    return set;
}

TEST(QbRequestCodec, EveryRequestTheProgramSendsMatchesItsGoldenText)
{
    for (const GoldenRequest& g : ProgramRequests()) {
        SCOPED_TRACE(g.file);
        ExpectGolden(QString::fromStdString(g.file), EncodeRequestSet(SetOf(g)));
    }
}

// The text follows the format's order, whatever order the elements were set in;
// and the product's side reads back exactly what was sent.
TEST(QbRequestCodec, ShuffledFillingGivesTheSameTextAndDecodesToTheSameRequest)
{
    std::mt19937 random(34);
    for (const GoldenRequest& g : ProgramRequests()) {
        SCOPED_TRACE(g.file);
        const QString name = RequestName(g.request);
        const QString expected = EncodeRequestSet(SetOf(g));
        FieldList fields = ToFields(g.request);
        for (int round = 0; round < 5; ++round) {
            std::shuffle(fields.begin(), fields.end(), random);
            GoldenRequest shuffled = g;
            shuffled.request = FromFields(name, fields);
            EXPECT_EQ(EncodeRequestSet(SetOf(shuffled)), expected);
        }
        DecodedRequestSet d = DecodeRequestSet(expected);
        EXPECT_EQ(d.country, g.country);
        EXPECT_EQ(d.major, 3);
        EXPECT_EQ(d.onError.value_or(1), g.onError.value_or(1));
        EXPECT_EQ(d.requestName, name);
        EXPECT_EQ(d.fields, InProductOrder(name, ToFields(g.request)));
    }
}

// Every golden request against the product's schema as its facts state it
// (the file itself, read apart from the program's own rules): each element
// known, in the schema's order, no longer than it allows, of its type, and of
// the format version sent; an add or modify carries what it must.
TEST(QbRequestCodec, EveryGoldenRequestKeepsToTheProductsSchema)
{
    QFile factsFile(QStringLiteral(TW_QB_REQUESTS_JSON));
    ASSERT_TRUE(factsFile.open(QIODevice::ReadOnly));
    const QJsonObject facts = QJsonDocument::fromJson(factsFile.readAll()).object();
    ASSERT_FALSE(facts.isEmpty());

    struct Element {
        QString path, text;
    };
    int checked = 0;
    int named = 0;
    for (const QString& file :
         QDir(QStringLiteral(TW_EXCHANGE_GOLDEN_DIR)).entryList({"*.xml"}, QDir::Files)) {
        for (const QString& set : ReadGolden(file).split(QStringLiteral("<?xml"), Qt::SkipEmptyParts)) {
            if (!set.contains(u"<QBXMLMsgsRq"))
                continue;  // an answer
            SCOPED_TRACE((file + u' ' + set.left(set.indexOf(u"Rq>") + 3).section(u'<', -1)).toStdString());
            const QRegularExpressionMatch version =
                QRegularExpression(QStringLiteral("<\\?qbxml version=\"(CA)?(\\d+)\\.\\d+\"\\?>")).match(set);
            ASSERT_TRUE(version.hasMatch());
            const int major = version.captured(2).toInt();
            QXmlStreamReader xml(QStringLiteral("<?xml") + set);
            QString request;
            QStringList path;  // below the request, the wrapper left out
            std::vector<Element> elements;
            QString text;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement()) {
                    const QString name = xml.name().toString();
                    if (request.isEmpty() && name.endsWith(u"Rq") && name != u"QBXMLMsgsRq") {
                        request = name;
                        continue;
                    }
                    if (!request.isEmpty())
                        path << name;
                    text.clear();
                } else if (xml.isCharacters()) {
                    text += xml.text();
                } else if (xml.isEndElement() && !path.isEmpty()) {
                    if (xml.name() == path.last()) {
                        const QString wrapper = facts.value(request).toObject().value(u"wrapper").toString();
                        QStringList inner = path;
                        if (!wrapper.isEmpty() && inner.first() == wrapper)
                            inner.removeFirst();
                        if (!inner.isEmpty())
                            elements.push_back({inner.join(u' '), text});
                        path.removeLast();
                        text.clear();
                    }
                }
            }
            ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
            const QJsonObject rules = facts.value(request).toObject();
            ASSERT_FALSE(rules.isEmpty()) << request.toStdString();
            // Groups are closed after their last element: only leaves count.
            std::vector<Element> leaves;
            for (const Element& e : elements)
                if (rules.value(u"types").toObject().contains(e.path))
                    leaves.push_back(e);
                else
                    EXPECT_TRUE(
                        std::any_of(elements.begin(), elements.end(),
                                    [&](const Element& o) { return o.path.startsWith(e.path + u' '); }))
                        << "unknown element " << e.path.toStdString();
            QStringList order;
            for (const QJsonValue& v : rules.value(u"order").toArray())
                order << v.toString();
            const QJsonArray repeatable = rules.value(u"repeatable").toArray();
            qsizetype last = -1;
            for (const Element& e : leaves) {
                SCOPED_TRACE(e.path.toStdString());
                const qsizetype at = order.indexOf(e.path);
                ASSERT_GE(at, 0);
                EXPECT_TRUE(at > last || (at == last && repeatable.contains(e.path))) << "out of order";
                last = at;
                const int longest = rules.value(u"maxlen").toObject().value(e.path).toInt();
                if (longest > 0)
                    EXPECT_LE(e.text.size(), longest) << e.text.toStdString();
                EXPECT_LE(rules.value(u"since").toObject().value(e.path).toInt(), major);
                const QString type = rules.value(u"types").toObject().value(e.path).toString();
                const auto matches = [&](const char* pattern) {
                    return QRegularExpression(QStringLiteral("^(?:%1)$").arg(QLatin1String(pattern)))
                        .match(e.text)
                        .hasMatch();
                };
                if (type == u"DATETYPE")
                    EXPECT_TRUE(matches("\\d{4}-\\d{2}-\\d{2}")) << e.text.toStdString();
                else if (type == u"AMTTYPE" || type == u"PRICETYPE")
                    EXPECT_TRUE(matches("-?\\d+(\\.\\d+)?")) << e.text.toStdString();
                else if (type == u"BOOLTYPE")
                    EXPECT_TRUE(matches("true|false")) << e.text.toStdString();
                else if (type == u"INTTYPE")
                    EXPECT_TRUE(matches("-?\\d+")) << e.text.toStdString();
                else if (type == u"ENUMTYPE" || type == u"IDTYPE")
                    EXPECT_TRUE(matches("\\S+")) << e.text.toStdString();
                if (e.path == u"Name")
                    ++named;
            }
            if (!rules.value(u"wrapper").toString().isEmpty()) {
                const QJsonObject optional = rules.value(u"optional").toObject();
                for (auto it = optional.begin(); it != optional.end(); ++it)
                    if (!it.value().toBool() && !it.key().contains(u' '))
                        EXPECT_TRUE(std::any_of(leaves.begin(), leaves.end(),
                                                [&](const Element& e) { return e.path == it.key(); }))
                            << "lacks " << it.key().toStdString();
            }
            ++checked;
        }
    }
    EXPECT_GE(checked, 30);  // the requests of every kind, and the sets of the whole runs
    EXPECT_GE(named, 10);
}

TEST(QbRequestCodec, TheProductsSideRefusesTextsItWouldRefuse)
{
    const QString good = EncodeRequestSet(SetOf(ProgramRequests()[6]));  // the US customer add
    struct Case {
        const char* name;
        QString text;
    };
    QString outOfOrder = good;
    outOfOrder.replace("<Phone>555-0101</Phone>", "")
        .replace("<AltContact></AltContact>", "<AltContact></AltContact><Phone>555-0101</Phone>");
    const Case cases[] = {
        {"not XML", "<QBXML><QBXMLMsgsRq>"},
        {"no version", QString(good).replace("<?qbxml version=\"3.0\"?>", "")},
        {"a version that is no number", QString(good).replace("version=\"3.0\"", "version=\"three\"")},
        {"elements out of the format's order", outOfOrder},
        {"an element the format does not know",
         QString(good).replace("<Phone>", "<Pager2>").replace("</Phone>", "</Pager2>")},
        {"two requests in one set",
         QString(good).replace("</CustomerAddRq>", "</CustomerAddRq><CustomerAddRq/>")},
        {"an unknown onError", QString(good).replace("stopOnError", "ignoreErrors")},
        {"a date that is no date",
         EncodeRequestSet(SetOf(ProgramRequests()[8])).replace("2026-03-02", "2026-02-30")},
        {"a document type", QString(good).replace("<QBXML>", "<!DOCTYPE QBXML [<!ENTITY a \"b\">]><QBXML>")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            DecodedRequestSet d = DecodeRequestSet(c.text);
            CheckAgainstFormat(d.requestName, d.fields, d.major, true);
            FromFields(d.requestName, d.fields);
            ADD_FAILURE() << "accepted";
        } catch (const LibraryError& e) {
            EXPECT_EQ(e.Call(), "DoRequests");
            EXPECT_EQ(e.Code(), code::ParseError);
        }
    }
}

TEST(QbRequestCodec, TextsAreEscapedAndAmountsExact)
{
    const QString text = EncodeRequestSet(SetOf(ProgramRequests()[6]));
    EXPECT_TRUE(text.contains("<Name>Cole &amp; Sons &lt;North&gt;</Name>"));
    EXPECT_TRUE(text.contains("<Contact>Ann &quot;Nan&quot; Cole</Contact>"));
    EXPECT_TRUE(text.contains("<Fax></Fax>"));  // set to empty is sent empty

    struct Amount {
        std::int64_t raw;
        const char* text;
    };
    const Amount amounts[] = {{3125050, "312.505"}, {-12345, "-1.2345"}, {10000, "1.00"},
                              {0, "0.00"},          {1, "0.0001"},       {INT64_MAX, "922337203685477.5807"}};
    for (const Amount& a : amounts) {
        EXPECT_EQ(AmountText(Currency::FromRaw(a.raw)), a.text);
        EXPECT_EQ(AmountFromText(a.text), Currency::FromRaw(a.raw));
    }
    EXPECT_FALSE(AmountFromText("1.23456").has_value());  // would need rounding
    EXPECT_FALSE(AmountFromText(" 1.00").has_value());

    MsgSetRequest control(QStringLiteral("US"), 3, 0);
    control.AppendCustomerAddRq()->Name = QStringLiteral("Bell\x07");
    EXPECT_THROW(EncodeRequestSet(control), LibraryError);
}

TEST(QbResponseCodec, GoldenAnswersOfEachStatus)
{
    ResponseSet found = DecodeResponseSet(ReadGolden("customer_query_rs_found.xml"));
    ASSERT_EQ(found.ResponseList.size(), 1u);
    const Response& r = found.ResponseList[0];
    EXPECT_EQ(r.RequestName, "CustomerQueryRq");
    EXPECT_EQ(r.StatusCode, 0);
    EXPECT_EQ(r.StatusMessage, "Status OK");
    const auto& customers = *r.DetailAs<CustomerRet>();
    ASSERT_EQ(customers.size(), 2u);
    EXPECT_EQ(customers[0].Name, "Cole & Sons");
    EXPECT_EQ(customers[0].BillAddress->City, "Northby");
    EXPECT_FALSE(customers[0].JobStatus.has_value());
    ASSERT_EQ(customers[0].DataExtRet.size(), 1u);
    EXPECT_EQ(customers[0].DataExtRet[0].DataExtValue, "North");
    EXPECT_EQ(customers[1].FullName, "Cole & Sons:Barn roof");
    EXPECT_EQ(customers[1].ParentRef->ListID, "80000001-1100000000");
    EXPECT_EQ(customers[1].Sublevel, 1);
    EXPECT_EQ(customers[1].JobStatus, ENJobStatus::InProgress);
    EXPECT_EQ(customers[1].JobStartDate, QDate(2026, 3, 2));
    EXPECT_FALSE(customers[1].JobEndDate.has_value());
    EXPECT_EQ(customers[1].Notes, "Slate\nScaffold first");

    // A byte-order mark before the text is not content.
    EXPECT_EQ(
        DecodeResponseSet(QChar(0xFEFF) + ReadGolden("customer_query_rs_found.xml")).ResponseList.size(), 1u);

    ResponseSet none = DecodeResponseSet(ReadGolden("customer_query_rs_nothing.xml"));
    EXPECT_EQ(none.ResponseList[0].StatusCode, 1);
    EXPECT_FALSE(none.ResponseList[0].Detail.has_value());

    ResponseSet error = DecodeResponseSet(ReadGolden("customer_add_rs_error.xml"));
    EXPECT_EQ(error.ResponseList[0].RequestName, "CustomerAddRq");
    EXPECT_EQ(error.ResponseList[0].StatusCode, 3100);
    EXPECT_EQ(error.ResponseList[0].StatusSeverity, "Error");
    EXPECT_EQ(error.ResponseList[0].StatusMessage,
              "The name \"Cole & Sons\" of the list element is already in use.");

    ResponseSet items = DecodeResponseSet(ReadGolden("item_query_rs_found.xml"));
    const auto& list = *items.ResponseList[0].DetailAs<ItemRet>();
    ASSERT_EQ(list.size(), 3u);  // the unknown item kind is skipped
    EXPECT_EQ(list[0].ortype, ENItemKind::Service);
    EXPECT_EQ(list[0].SalesOrPurchase->Price, Currency::FromRaw(450000));
    EXPECT_EQ(list[1].ortype, ENItemKind::OtherCharge);
    EXPECT_EQ(list[1].SalesAndPurchase->PurchaseCost, Currency::FromRaw(123450));
    EXPECT_EQ(list[2].ortype, ENItemKind::Inventory);

    ResponseSet staff = DecodeResponseSet(ReadGolden("employee_query_rs_found.xml"));
    const auto& employees = *staff.ResponseList[0].DetailAs<EmployeeRet>();
    ASSERT_EQ(employees.size(), 1u);
    const auto& earnings = employees[0].EmployeePayrollInfo->Earnings;
    ASSERT_EQ(earnings.size(), 2u);
    EXPECT_EQ(earnings[0].Rate, Currency::FromRaw(255000));
    EXPECT_EQ(earnings[1].RatePercent, "10.0");
    EXPECT_EQ(employees[0].DataExtRet[0].DataExtName, "Skill");

    ResponseSet defs = DecodeResponseSet(ReadGolden("dataextdef_query_rs_found.xml"));
    const auto& def = defs.ResponseList[0].DetailAs<DataExtDefRet>()->front();
    EXPECT_EQ(def.AssignToObject, std::vector<QString>({"Customer", "Employee"}));
}

TEST(QbResponseCodec, WhatTheCodecWritesItReadsBack)
{
    Response r;
    r.RequestName = QStringLiteral("CustomerModRq");
    r.StatusCode = 0;
    r.StatusSeverity = QStringLiteral("Info");
    r.StatusMessage = QStringLiteral("Status \"OK\" & <fine>");
    CustomerRet c;
    c.ListID = QStringLiteral("80000003-1100000000");
    c.Name = QStringLiteral("  spaced  ");
    c.Notes = QStringLiteral("line\r\nbreak\ttab");
    c.JobStatus = ENJobStatus::NotAwarded;
    c.JobEndDate = QDate(2026, 12, 31);
    c.DataExtRet = {DataExtRet{QStringLiteral("0"), QStringLiteral("A"), std::nullopt, QStringLiteral("")}};
    r.Detail = std::vector<CustomerRet>{c};
    ResponseSet set;
    set.ResponseList = {r};
    ResponseSet back = DecodeResponseSet(EncodeResponseSet(set));
    const Response& b = back.ResponseList.at(0);
    EXPECT_EQ(b.StatusMessage, r.StatusMessage);
    const CustomerRet& bc = b.DetailAs<CustomerRet>()->front();
    EXPECT_EQ(bc.Name, c.Name);
    EXPECT_EQ(bc.Notes, c.Notes);
    EXPECT_EQ(bc.JobStatus, c.JobStatus);
    EXPECT_EQ(bc.JobEndDate, c.JobEndDate);
    EXPECT_EQ(bc.DataExtRet.at(0).DataExtValue, "");
}

TEST(QbResponseCodec, UnreadableAnswersAreALibraryErrorOfDoRequests)
{
    const QString good = ReadGolden("customer_query_rs_found.xml");
    ASSERT_FALSE(good.isEmpty());
    const QString cases[] = {
        QString(),
        good.left(good.size() / 2),
        QString(good).replace("statusCode=\"0\"", "statusCode=\"zero\""),
        QString(good).replace("<Sublevel>1</Sublevel>", "<Sublevel>one</Sublevel>"),
        QString(good).replace("<JobStartDate>2026-03-02", "<JobStartDate>03/02/2026"),
        QString(good).replace("QBXMLMsgsRs", "QBXMLMsgsRq"),
        QStringLiteral("<other/>"),
    };
    for (const QString& text : cases) {
        SCOPED_TRACE(text.left(80).toStdString());
        try {
            DecodeResponseSet(text);
            ADD_FAILURE() << "accepted";
        } catch (const LibraryError& e) {
            EXPECT_EQ(e.Call(), "DoRequests");
            EXPECT_EQ(e.Code(), code::ResponseUnreadable);
        }
    }
}

}  // namespace
}  // namespace tw::qb
