// The accounting page's access test against the local accounting link: the
// verified run with and without its step boxes, the link missing, the wrong
// company file, a failing query, and the edition corrected or refused.
#include "exchange/qb/localsessionmanager.h"
#include "exchange/qbtestcompany.h"
#include "setupfixture.h"
#include "support/qbfaults.h"

#include <gtest/gtest.h>

#include <QFile>

namespace tw::settings::testing {
namespace {

using qb::test::CompanyFolder;
using qb::test::SampleCompany;

class AccessTest : public SetupTest {
protected:
    void SetUp() override
    {
        SetupTest::SetUp();
        settings_.QBEdition = 1;
        view_.Edition = 1;
    }

    // The link with the sample company open in the accounting program.
    void LinkTo(const CompanyFolder& company, qb::FaultScript faults = {})
    {
        host_.Link = [this, &company, faults]() -> std::unique_ptr<qb::SessionManager> {
            qb::LocalSessionManager::Options options;
            options.openCompany = company.Path();
            options.faults = faults;
            options.calls = calls_;
            return std::make_unique<qb::LocalSessionManager>(std::move(options));
        };
    }

    std::vector<std::string> Boxes() const
    {
        std::vector<std::string> boxes;
        for (const auto& m : ui_.Messages)
            boxes.push_back(m.caption + ": " + m.text);
        return boxes;
    }

    CompanyFolder us_{SampleCompany()};
    std::shared_ptr<QStringList> calls_ = std::make_shared<QStringList>();
};

TEST_F(AccessTest, AVerifiedRunShowsEachStepOnlyWithBalloonHelpOff)
{
    LinkTo(us_);
    logic_->ShowSetup();
    settings_.HelpLevel = 1;
    logic_->TestQBAccessClick();
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{"Test1: OpenConnection succeeded", "Test2: BeginSession succeeded",
                                        "Test3: verify_qb_edition succeeded",
                                        "Test4: CreateMsgSetRequest completed", "Test5: DoRequests completed",
                                        "Test6: Found responseMsgSet", "Test7: Found responseList",
                                        "Test8: Found response", "Tarnwick: QuickBooks access verified"}));
    EXPECT_EQ(view_.Status, "QuickBooks access verified");
    EXPECT_TRUE(settings_.QBAccessChecked);
    EXPECT_TRUE(calls_->contains("EndSession"));
    EXPECT_EQ(calls_->last(), "Release");

    ui_.Messages.clear();
    settings_.HelpLevel = 0;
    logic_->TestQBAccessClick();
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Tarnwick: QuickBooks access verified"});
    // Nothing but the edition check's flag is written by a test.
    EXPECT_EQ(StoredNumber("qbsetup.dbf", "USCAN"), 0);
}

TEST_F(AccessTest, EachFailureShowsOneBoxAndTheFailedStatus)
{
    struct Case {
        const char* name;
        bool linked;
        QString companyPath;  // the page's company file; empty: the one open
        qb::FaultScript faults;
        std::string box;
    };
    const CompanyFolder other(SampleCompany(), "Other.qbw");
    const Case cases[] = {
        {"no link", false, QString(), {}, "QuickBooks advisory: The QuickBooks interface is not installed"},
        {"wrong file",
         true,
         other.Path(),
         {},
         "Unable to establish QuickBooks session: The company file you specified to Tarnwick is not the one "
         "being used by QuickBooks"},
        {"not running", true, QString(), tw::test::QbFaults().Code("OpenConnection", 0x80040416).Build(),
         "Unable to connect to QuickBooks: Your QuickBooks is not running or logged into"},
        {"query refused", true, QString(),
         tw::test::QbFaults().Status("CustomerQueryRq", 3100, "The list is locked").Build(),
         "QuickBooks error: The list is locked"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui_.Messages.clear();
        host_.Link = nullptr;
        if (c.linked)
            LinkTo(us_, c.faults);
        settings_.QBCompanyFile = c.companyPath;
        settings_.HelpLevel = 0;
        logic_->TestQBAccessClick();
        EXPECT_EQ(Boxes(), std::vector<std::string>{c.box});
        EXPECT_EQ(view_.Status, "QuickBooks access test failed");
    }
}

// A company file that cannot be read is named, not asked for again.
TEST_F(AccessTest, ADamagedCompanyFileIsNamed)
{
    const CompanyFolder damaged(SampleCompany(), "Damaged.qbw");
    {
        QFile file(damaged.Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("{\"format\": ");
    }
    LinkTo(damaged);
    settings_.HelpLevel = 0;
    logic_->TestQBAccessClick();
    const std::vector<std::string> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Unable to establish QuickBooks session: The QuickBooks company file \""
                                 + damaged.Path().toStdString() + "\" could not be read: it is damaged (",
                             0),
              0u)
        << boxes[0];
    EXPECT_EQ(view_.Status, "QuickBooks access test failed");
}

TEST_F(AccessTest, TheEditionIsCorrectedToTheCompanysOrRefused)
{
    LinkTo(us_);
    logic_->ShowSetup();
    settings_.QBEdition = 0;
    view_.Edition = 0;
    logic_->TestQBAccessClick();
    EXPECT_EQ(settings_.QBEdition, 1);
    EXPECT_EQ(view_.Edition, 1);
    EXPECT_EQ(StoredNumber("qbsetup.dbf", "USCAN"), 1);
    EXPECT_TRUE(settings_.QBAccessChecked) << "the dialog's own edition handler was held off";
    EXPECT_EQ(host_.Changes, 1) << "the main window takes the corrected edition";
    EXPECT_EQ(view_.Status, "QuickBooks access verified");

    ui_.Messages.clear();
    settings_.QBEdition = 2;
    view_.Edition = 2;
    logic_->TestQBAccessClick();
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{
                  "QuickBooks advisory: Only US and Canadian QuickBooks are supported by Tarnwick"});
    EXPECT_EQ(view_.Status, "QuickBooks access test failed");
    EXPECT_EQ(settings_.QBEdition, 2);
}

}  // namespace
}  // namespace tw::settings::testing
