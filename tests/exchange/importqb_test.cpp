// "Import from QuickBooks" without its window, against a local company and a
// new installation: the list, the job import, the record imports and their
// failures.
#include <gtest/gtest.h>

#include <QFile>

#include "data/nametexts.h"
#include "importqbfixture.h"
#include "platform/datetime/datetime.h"
#include "support/qbfaults.h"

namespace tw::exchange {
namespace {

using qb::test::Id;

class ImportQBTest : public ::testing::Test, public test::ImportQBFixture {
protected:
    explicit ImportQBTest(const qb::CompanyData& company = qb::test::SampleCompany())
        : ImportQBFixture(company)
    {}

    // The list, opened the way the user does it.
    void ShowList()
    {
        logic->Open(0);
        logic->ShowQBCustomersClick();
    }
    const QBJobRow* Row(const char* fullName)
    {
        for (const QBJobRow& r : logic->Rows())
            if (r.FullName == QString::fromUtf8(fullName))
                return &r;
        return nullptr;
    }
    QByteArray FileBytes(const char* name)
    {
        QFile f(QString::fromStdString(schedule_ + "/" + name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
};

TEST_F(ImportQBTest, OpenPlacesTheWindowAndFillsTheStatusTexts)
{
    host->statusTexts = {"Won", "", "Underway", "", "Lost", "Maybe"};
    host->recorder.edition = 0;
    state_.AverageRate = 42.5;
    logic->Open(1);
    EXPECT_EQ(view.left, 0);  // 300 - 800 is below the screen's edge
    EXPECT_EQ(view.status, QStringList{QString()});
    EXPECT_FALSE(view.employeesEnabled);  // no employees in the Canadian edition
    EXPECT_EQ(view.hints, false);
    // Empty texts take their defaults, in the settings too; "Inactive" is no status.
    EXPECT_EQ(host->statusTexts, QStringList({"Won", "Closed", "Underway", "None", "Lost", "Maybe"}));
    EXPECT_EQ(view.captions, QStringList({"Maybe", "Won", "Underway", "Closed", "Lost", "", "None"}));
    EXPECT_EQ(view.rate, "42.5");

    logic->ShowQBCustomersClick();
    const std::size_t rows = logic->Rows().size();
    ASSERT_GT(rows, 0u);
    host->taskEditorLeft = 1000;
    logic->Open(0);  // already open: only restored
    EXPECT_EQ(view.restored, 1);
    EXPECT_EQ(view.shown, 1);
    EXPECT_EQ(view.left, 0);
    EXPECT_EQ(logic->Rows().size(), rows);
    logic->FormClose();
    logic->Open(2);
    EXPECT_EQ(view.left, 200);
    EXPECT_TRUE(logic->Rows().empty());
    EXPECT_EQ(view.hints, false);  // help level 2 leaves the hints alone
}

TEST(ImportQBLayout, ResizeFollowsTheClientSize)
{
    struct Case {
        int w, h;
        int listW, listH, importAllTop, otherTop, doneTop, statusTop;
        std::array<int, 8> columns;
    };
    const Case cases[] = {
        {600, 400, 730, 234, 337, 393, 413, 489, {40, 107, 127, 186, 80, 70, 80, 38}},
        {800, 550, 730, 234, 337, 393, 413, 489, {40, 107, 127, 186, 80, 70, 80, 38}},
        {1000, 700, 930, 384, 487, 543, 563, 639, {40, 174, 194, 253, 80, 70, 80, 38}},
        {801, 551, 731, 235, 338, 394, 414, 490, {40, 108, 128, 187, 80, 70, 80, 38}},
    };
    for (const Case& c : cases) {
        const ImportQBLayout l = FormResize(c.w, c.h, 40);
        EXPECT_EQ(l.windowWidth, std::max(c.w, 800));
        EXPECT_EQ(l.windowHeight, std::max(c.h, 550));
        EXPECT_EQ(l.listWidth, c.listW) << c.w;
        EXPECT_EQ(l.listHeight, c.listH) << c.h;
        EXPECT_EQ(l.importAllTop, c.importAllTop);
        EXPECT_EQ(l.otherPanelTop, c.otherTop);
        EXPECT_EQ(l.doneTop, c.doneTop);
        EXPECT_EQ(l.statusBarTop, c.statusTop);
        EXPECT_EQ(l.columns, c.columns) << c.w;
    }
}

TEST(ImportQBRate, ShownAndReadInTheLocalesForm)
{
    tw::locale::PinLocale("de_DE");
    EXPECT_EQ(RateText(Currency::FromRaw(125000)), "12,5");
    EXPECT_EQ(RateFromText(" 12,5 ")->Raw(), 125000);
    EXPECT_EQ(RateFromText("1.250,5")->Raw(), 12505000);  // the group separator is the locale's too
    tw::locale::PinLocale("en_US");
    struct Case {
        const char* text;
        std::optional<std::int64_t> raw;
    };
    const Case cases[] = {
        {"12.5", 125000},   {"12", 120000},        {"0.1234", 1234}, {"0.12345", std::nullopt},
        {"", std::nullopt}, {"abc", std::nullopt}, {"-3", -30000},   {"1,250.5", 12505000}};
    for (const Case& c : cases) {
        const std::optional<Currency> r = RateFromText(c.text);
        EXPECT_EQ(r ? std::optional<std::int64_t>(r->Raw()) : std::nullopt, c.raw) << c.text;
    }
    EXPECT_EQ(RateText(Currency::FromRaw(123456)), "12.3456");
    EXPECT_EQ(RateText(Currency::FromRaw(0)), "0");
}

TEST_F(ImportQBTest, TheListShowsEveryEntryWithItsPartsAndParentCustomer)
{
    view.boxes[0] = false;  // Pending unticked
    view.boxes[5] = false;  // Inactive unticked
    ShowList();
    EXPECT_EQ(view.status.last(), "4 customers found");
    ASSERT_EQ(logic->Rows().size(), 4u);
    const QBJobRow* farm = Row("Ashdown Farms");
    const QBJobRow* barn = Row("Ashdown Farms:Barn roof");
    const QBJobRow* gutters = Row("Ashdown Farms:Barn roof:Gutters");
    ASSERT_TRUE(farm && barn && gutters);
    EXPECT_EQ(farm->Level, 0);
    EXPECT_EQ(farm->Job, "Ashdown Farms");
    EXPECT_EQ(farm->Task, "Ashdown Farms");
    EXPECT_EQ(barn->Customer, "Ashdown Farms");
    EXPECT_EQ(barn->Job, "Barn roof");
    EXPECT_EQ(barn->Task, "Barn roof");
    EXPECT_EQ(barn->StatusText, "Awarded");
    EXPECT_EQ(barn->Start, QDate(2026, 3, 2));
    EXPECT_EQ(barn->ProjectedEnd, QDate(2026, 3, 20));
    EXPECT_EQ(gutters->Level, 2);
    EXPECT_EQ(gutters->Job, "Barn roof");
    EXPECT_EQ(gutters->Task, "Gutters");
    EXPECT_EQ(gutters->StatusText, "");  // its box is unticked
    EXPECT_EQ(gutters->Status, 5);       // but its own status stays with the row
    EXPECT_FALSE(gutters->Start);
    EXPECT_EQ(gutters->ParentListID, Id(1));
    EXPECT_EQ(barn->ListID, Id(2));
    EXPECT_EQ(barn->Notes, "Slate, two days\nScaffold first");
    EXPECT_FALSE(Row("Ashdown Farms:fence"));  // inactive entries are not asked for

    view.boxes[5] = true;
    logic->ShowQBCustomersClick();
    EXPECT_EQ(view.status.last(), "6 customers found");
    ASSERT_TRUE(Row("Ashdown Farms:fence"));
    ASSERT_TRUE(Row("Cole & Sons"));
    // Each row's Index names its place in the rows, and its entry is its customer's.
    for (std::size_t i = 0; i < logic->Rows().size(); ++i) {
        const QBJobRow& r = logic->Rows()[i];
        EXPECT_EQ(r.Index, static_cast<int>(i));
        EXPECT_EQ(data::TextBeforeColon(r.FullName.toStdString()), r.Customer.toStdString());
    }
}

TEST_F(ImportQBTest, AListThatFailsCountsNothing)
{
    ShowList();
    ASSERT_FALSE(logic->Rows().empty());
    host->faults = tw::test::QbFaults().Status("CustomerQueryRq", 1, "").Build();
    logic->ShowQBCustomersClick();
    EXPECT_EQ(host->recorder.boxes.last(), "QuickBooks advisory: No QuickBooks customers found");
    EXPECT_TRUE(logic->Rows().empty());
    EXPECT_EQ(view.status.last(), "0 customers found");

    ShowList();
    host->faults = tw::test::QbFaults().Status("CustomerQueryRq", 500, "The list is locked").Build();
    logic->ShowQBCustomersClick();
    EXPECT_EQ(host->recorder.boxes.last(), "QuickBooks error: The list is locked");
    EXPECT_EQ(view.status.last(), "0 customers found");

    // Before the session is open the list stays as it was.
    logic->ShowQBCustomersClick();
    const std::size_t rows = logic->Rows().size();
    host->faults = tw::test::QbFaults().Code("BeginSession", 0x8004041D).Build();
    logic->ShowQBCustomersClick();
    EXPECT_EQ(logic->Rows().size(), rows);
    EXPECT_EQ(host->recorder.boxes.last(),
              "Unable to establish QuickBooks session: Your QuickBooks is not running or logged into");
}

}  // namespace
}  // namespace tw::exchange
