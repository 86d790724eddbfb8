// The session frame: every failure's text and caption, the closing calls on
// every path, the edition check's corrections, and the status rules.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <optional>
#include <stdexcept>
#include <vector>

#include "data/services/busyscopes.h"
#include "exchange/qb/libraryerror.h"
#include "exchange/qb/sessionfactory.h"
#include "exchange/qbsessionframe.h"
#include "exchange/qbtestcompany.h"
#include "platform/registry/registry.h"
#include "support/exchangerecorder.h"
#include "support/qbfaults.h"

namespace tw::exchange {
namespace {

using qb::test::CompanyFolder;
using qb::test::SampleCompany;

class QbFrameTest : public ::testing::Test {
protected:
    QbFrameTest() : folder_(SampleCompany()), caFolder_(SampleCompany(QStringLiteral("CA")), "Canadian.qbw")
    {}

    // Runs an operation on the US sample company (or the Canadian one) with a fault script.
    bool Run(QbOperation op, qb::FaultScript faults, const std::function<void(QbSession&)>& work,
             bool canadian = false)
    {
        calls_->clear();
        auto services = rec_.Services();
        QbSessionFrame frame(services, [&]() -> std::unique_ptr<qb::SessionManager> {
            qb::LocalSessionManager::Options o;
            o.openCompany = canadian ? caFolder_.Path() : folder_.Path();
            o.faults = faults;
            o.calls = calls_;
            return std::make_unique<qb::LocalSessionManager>(std::move(o));
        });
        return frame.Run(op, work);
    }
    bool Run(
        qb::FaultScript faults = {}, const std::function<void(QbSession&)>& work = [](QbSession&) {})
    {
        return Run(QbOperation::EmployeeImport, std::move(faults), work);
    }

    static QbSession::Sent QueryCustomers(QbSession& s, const QbSession::Rules& rules)
    {
        return s.Send([](qb::MsgSetRequest& set) { return set.AppendCustomerQueryRq() != nullptr; }, rules);
    }

    CompanyFolder folder_;
    CompanyFolder caFolder_;
    test::ExchangeRecorder rec_;
    std::shared_ptr<QStringList> calls_ = std::make_shared<QStringList>();
};

TEST_F(QbFrameTest, WithoutALinkTheInterfaceIsNotInstalled)
{
    auto services = rec_.Services();
    QbSessionFrame frame(services, [] { return std::unique_ptr<qb::SessionManager>(); });
    bool ran = false;
    EXPECT_FALSE(frame.Run(QbOperation::AccessTest, [&](QbSession&) { ran = true; }));
    EXPECT_FALSE(ran);
    EXPECT_EQ(rec_.boxes, QStringList{"QuickBooks advisory: The QuickBooks interface is not installed"});
    EXPECT_EQ(rec_.log,
              QStringList({"access permitted?", "hourglass", "status Accessing QuickBooks", "normal cursor",
                           "box QuickBooks advisory"}));
}

TEST_F(QbFrameTest, EachConnectionAndSessionCodeHasItsTextCaptionAndClosingCalls)
{
    struct Text {
        std::uint32_t code;
        const char* text;
    };
    const Text texts[] = {
        {0x8004040A, "The company file you specified to Tarnwick is not the one being used by QuickBooks"},
        {0x80040418, "Your QuickBooks user must be an administrator to initially setup Tarnwick access"},
        {0x8004041D, "Your QuickBooks is not running or logged into"},
        {0x80040430, "Your QuickBooks is not running or logged into"},
        {0x80040416, "Your QuickBooks is not running or logged into"},
        {0x80040408, "Please specify your QuickBooks company file on the Setup / QuickBooks screen"},
        {0x80040420, "QuickBooks access for Tarnwick has been denied"},
        {0x8004041A, "QuickBooks access for Tarnwick has been denied"},
        {0x8004ABCD, "QuickBooks error 8004abcd"},
    };
    for (const Text& t : texts) {
        SCOPED_TRACE(t.text);
        rec_.boxes.clear();
        EXPECT_FALSE(Run(test::QbFaults().Code("OpenConnection", t.code).Build()));
        EXPECT_EQ(rec_.boxes, QStringList{QString("Unable to connect to QuickBooks: ") + t.text});
        EXPECT_EQ(*calls_, QStringList({"OpenConnection", "Release"}));

        rec_.boxes.clear();
        EXPECT_FALSE(Run(test::QbFaults().Code("BeginSession", t.code).Build()));
        EXPECT_EQ(rec_.boxes, QStringList{QString("Unable to establish QuickBooks session: ") + t.text});
        EXPECT_EQ(*calls_, QStringList({"OpenConnection", "BeginSession", "CloseConnection", "Release"}));
        EXPECT_FALSE(rec_.hourglass);
    }
}

TEST_F(QbFrameTest, TheCompanyFileDecidesBetweenWrongFileAndNotRunning)
{
    rec_.companyFile = caFolder_.Path();  // the product has the US sample open
    EXPECT_FALSE(Run());
    EXPECT_EQ(rec_.boxes,
              QStringList{"Unable to establish QuickBooks session: The company file you specified to "
                          "Tarnwick is not the one being used by QuickBooks"});
    rec_.boxes.clear();
    rec_.companyFile = folder_.Path();
    EXPECT_TRUE(Run());
    EXPECT_TRUE(rec_.boxes.isEmpty());
}

TEST_F(QbFrameTest, VersionFailuresEndTheSessionWithTheirMessages)
{
    struct Case {
        const char* name;
        qb::FaultScript faults;
        QString box;
        QString versionsStatus;
    };
    const Case cases[] = {
        {"versions call fails", test::QbFaults().Code("QBXMLVersionsForSession", 0x80040402).Build(),
         "QuickBooks advisory: get versions failed", "versions QBXMLVersionsForSession failed"},
        {"no supported version", test::QbFaults().Versions({"2.0", "3.0", "CA1.0", "x"}).Build(),
         "Tarnwick setup error: An edition of QuickBooks is installed that is not supported by Tarnwick",
         "versions 2.0, 3.0, CA1.0, x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rec_ = {};
        bool ran = false;
        EXPECT_FALSE(Run(c.faults, [&](QbSession&) { ran = true; }));
        EXPECT_FALSE(ran);
        EXPECT_EQ(rec_.boxes, QStringList{c.box});
        EXPECT_TRUE(rec_.log.contains(c.versionsStatus)) << rec_.log.join(" | ").toStdString();
        EXPECT_FALSE(rec_.accessChecked);
        EXPECT_EQ(*calls_,
                  QStringList({"OpenConnection", "BeginSession", "QBXMLVersionsForSession", "EndSession",
                               "CloseConnection", "Release"}));
        EXPECT_FALSE(rec_.hourglass);
    }
}

TEST_F(QbFrameTest, TheEditionIsCorrectedBothWaysWithoutTheChoicesHandler)
{
    struct Case {
        const char* name;
        int edition;
        bool canadianCompany;
        int corrected;
        bool rewritten;
        const char* versionsStatus;
    };
    const Case cases[] = {
        {"Canada set, US QuickBooks", 0, false, 1, true, "versions 1.0"},
        {"US set, Canadian QuickBooks", 1, true, 0, true, "versions CA2.0"},
        {"US set, US QuickBooks", 1, false, 1, false, "versions 1.0"},
        {"Canada set, Canadian QuickBooks", 0, true, 0, false, "versions CA2.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rec_ = {};
        rec_.edition = c.edition;
        QString country;
        EXPECT_TRUE(Run(
            QbOperation::ExportRun, {},
            [&](QbSession& s) {
                country = s.Country();
                EXPECT_EQ(QueryCustomers(s, {}).outcome, QbSession::Outcome::Found);
            },
            c.canadianCompany));
        EXPECT_EQ(rec_.edition, c.corrected);
        EXPECT_EQ(country, c.corrected == 1 ? "US" : "CA");
        EXPECT_TRUE(rec_.accessChecked);
        EXPECT_EQ(rec_.uscan, c.rewritten ? c.corrected : -1);
        EXPECT_EQ(rec_.editionChoice, c.rewritten ? c.corrected : -1);
        EXPECT_EQ(rec_.handlerRuns, 0);  // held off while the check set the choice
        EXPECT_TRUE(rec_.editionClickEnabled);
        EXPECT_TRUE(rec_.log.contains(c.versionsStatus)) << rec_.log.join(" | ").toStdString();
        EXPECT_TRUE(rec_.boxes.isEmpty()) << rec_.boxes.join(" | ").toStdString();
    }
}

TEST_F(QbFrameTest, EditionOtherPassesTheCheckAndIsRefusedByTheFrame)
{
    rec_.edition = 2;
    bool ran = false;
    EXPECT_FALSE(Run({}, [&](QbSession&) { ran = true; }));
    EXPECT_FALSE(ran);
    EXPECT_TRUE(rec_.accessChecked);
    EXPECT_EQ(rec_.edition, 2);
    EXPECT_EQ(rec_.uscan, -1);
    EXPECT_EQ(rec_.boxes,
              QStringList{"QuickBooks advisory: Only US and Canadian QuickBooks are supported by Tarnwick"});
    EXPECT_EQ(calls_->mid(calls_->size() - 3), QStringList({"EndSession", "CloseConnection", "Release"}));
}

TEST_F(QbFrameTest, OnlyTheFirstSessionChecksUntilTheEditionChanges)
{
    EXPECT_TRUE(Run());
    EXPECT_TRUE(calls_->contains("QBXMLVersionsForSession"));
    EXPECT_TRUE(Run());
    EXPECT_FALSE(calls_->contains("QBXMLVersionsForSession"));
    // The user picks another edition in the setup dialog: its handler clears the flag.
    rec_.SetEditionChoice(0);
    EXPECT_FALSE(rec_.accessChecked);
    EXPECT_TRUE(Run());
    EXPECT_TRUE(calls_->contains("QBXMLVersionsForSession"));
    EXPECT_EQ(rec_.edition, 1);  // corrected back to the company's US QuickBooks
}

TEST_F(QbFrameTest, StatusRulesOfOneRequestSet)
{
    struct Case {
        const char* name;
        qb::FaultScript faults;
        QbSession::Rules rules;
        QbSession::Outcome outcome;
        QStringList boxes;
        bool sent;
    };
    const QString none = QStringLiteral("No QuickBooks customers found");
    const Case cases[] = {
        {"found", {}, {1, none, false}, QbSession::Outcome::Found, {}, true},
        {"nothing found, with its advisory",
         test::QbFaults().Status("CustomerQueryRq", 1, "none").Build(),
         {1, none, false},
         QbSession::Outcome::NothingFound,
         {"QuickBooks advisory: " + none},
         true},
        {"nothing found, taken as an empty answer",
         test::QbFaults().Status("CustomerQueryRq", 1, "none").Build(),
         {1, {}, false},
         QbSession::Outcome::NothingFound,
         {},
         true},
        {"a QuickBooks error",
         test::QbFaults().Status("CustomerQueryRq", 3200, "Out of date.").Build(),
         {1, none, false},
         QbSession::Outcome::Error,
         {"QuickBooks error: Out of date."},
         true},
        {"a caught throw",
         test::QbFaults().Throw(0x80040400, "Cannot parse").Build(),
         {1, none, true},
         QbSession::Outcome::Thrown,
         {},
         true},
        {"no request set",
         test::QbFaults().NoSet().Build(),
         {1, none, false},
         QbSession::Outcome::NoSet,
         {},
         false},
        {"no request",
         test::QbFaults().NoAppend().Build(),
         {1, none, false},
         QbSession::Outcome::NoRequest,
         {},
         false},
        {"no response",
         test::QbFaults().NoResponse().Build(),
         {1, none, false},
         QbSession::Outcome::NoResponse,
         {},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rec_ = {};
        QbSession::Outcome outcome{};
        bool carriedOn = false;
        EXPECT_TRUE(Run(c.faults, [&](QbSession& s) {
            outcome = QueryCustomers(s, c.rules).outcome;
            carriedOn = true;
        }));
        EXPECT_TRUE(carriedOn);
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(rec_.boxes, c.boxes);
        EXPECT_EQ(calls_->contains("DoRequests"), c.sent);
        EXPECT_EQ(calls_->mid(calls_->size() - 3), QStringList({"EndSession", "CloseConnection", "Release"}));
    }
}

// A failure inside the work ends and closes the session, restores cursor and
// busy flag, shows one box and keeps what was already posted.
TEST_F(QbFrameTest, AFailureMidWorkClosesTheSessionAndKeepsWhatWasPosted)
{
    struct Case {
        const char* name;
        std::function<void(QbSession&)> fail;
        QString box;
    };
    const Case cases[] = {
        {"a library error",
         [](QbSession& s) {
             QueryCustomers(s, {});  // not caught: the export's look-ups do not guard
         },
         "QuickBooks error: The QuickBooks call DoRequests failed: QuickBooks found an error when parsing"},
        {"a database error",
         [](QbSession&) {
             throw std::runtime_error("customers.dbf: record is locked by another workstation");
         },
         "Tarnwick: customers.dbf: record is locked by another workstation"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rec_ = {};
        QStringList posted;
        bool finished = false;
        EXPECT_FALSE(Run(QbOperation::CustomerJobList,
                         test::QbFaults().Throw(0x80040400, "QuickBooks found an error when parsing").Build(),
                         [&](QbSession& s) {
                             const data::BusyScope busy(rec_.BusyFlag());  // as the imports' steps hold it
                             posted << "customer 1";
                             c.fail(s);
                             finished = true;
                         }));
        EXPECT_FALSE(finished);
        EXPECT_EQ(posted, QStringList{"customer 1"});
        EXPECT_EQ(rec_.boxes, QStringList{c.box});
        EXPECT_EQ(calls_->mid(calls_->size() - 3), QStringList({"EndSession", "CloseConnection", "Release"}));
        EXPECT_FALSE(rec_.busy);
        EXPECT_FALSE(rec_.hourglass);
        // The box comes after the cursor is back and the session is closed.
        EXPECT_EQ(rec_.log.mid(rec_.log.size() - 2),
                  QStringList({"normal cursor", "box " + c.box.section(':', 0, 0)}));
    }
}

// The steps inside a session hold the busy flag and the hourglass in scopes
// of their own, and the session may itself run inside a step that holds
// both. Whichever way the work ends, each comes back as it was found, and the
// frame's closing box is read with the frame's own hourglass given back.
TEST_F(QbFrameTest, TheFlagAndTheHourglassComeBackAsFoundAfterAnErrorOrANestedStep)
{
    struct Case {
        const char* name;
        QbOperation op;  // CustomerJobList shows the hourglass, FieldDefinitions does not
        bool outer;      // the session runs inside a step holding the flag and an hourglass
        std::function<void(QbSession&, ExchangeBusyHooks&)> work;
        QStringList boxes;
    };
    const auto step = [](QbSession&, ExchangeBusyHooks& hooks) {
        const data::BusyScope busy(hooks.BusyFlag(), hooks.Interface());
    };
    const auto failingStep = [](QbSession&, ExchangeBusyHooks& hooks) {
        const data::BusyScope busy(hooks.BusyFlag(), hooks.Interface());
        throw std::runtime_error("charts.dbf: record is locked by another workstation");
    };
    const auto nestedFailingStep = [failingStep](QbSession& s, ExchangeBusyHooks& hooks) {
        const data::BusyScope busy(hooks.BusyFlag());
        failingStep(s, hooks);
    };
    const auto nestedStepCaught = [nestedFailingStep](QbSession& s, ExchangeBusyHooks& hooks) {
        const data::BusyScope busy(hooks.BusyFlag(), hooks.Interface());
        try {
            nestedFailingStep(s, hooks);
        } catch (const std::runtime_error&) {
        }
        EXPECT_TRUE(hooks.BusyFlag()) << "an inner step cleared the flag its caller holds";
    };
    const auto libraryError = [](QbSession& s, ExchangeBusyHooks& hooks) {
        const data::BusyScope busy(hooks.BusyFlag(), hooks.Interface());
        QueryCustomers(s, {});
    };
    const QString locked = "Tarnwick: charts.dbf: record is locked by another workstation";
    const QString library = "QuickBooks error: The QuickBooks call DoRequests failed: Timed out";
    const Case cases[] = {
        {"a step", QbOperation::CustomerJobList, false, step, {}},
        {"a step, inside a step", QbOperation::CustomerJobList, true, step, {}},
        {"a database error", QbOperation::CustomerJobList, false, failingStep, {locked}},
        {"a database error, inside a step", QbOperation::CustomerJobList, true, failingStep, {locked}},
        {"a database error, no hourglass of its own", QbOperation::FieldDefinitions, true, failingStep,
         {locked}},
        {"a library error", QbOperation::CustomerJobList, false, libraryError, {library}},
        {"a library error, inside a step", QbOperation::CustomerJobList, true, libraryError, {library}},
        {"a nested step's error", QbOperation::CustomerJobList, false, nestedFailingStep, {locked}},
        {"a nested step's error, inside a step", QbOperation::CustomerJobList, true, nestedFailingStep,
         {locked}},
        {"a nested step's error caught", QbOperation::CustomerJobList, false, nestedStepCaught, {}},
        {"a nested step's error caught, inside a step", QbOperation::FieldDefinitions, true,
         nestedStepCaught, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rec_ = {};
        ExchangeBusyHooks& hooks = rec_;
        bool completed = false;
        {
            std::optional<data::BusyScope> outer;
            if (c.outer)
                outer.emplace(hooks.BusyFlag(), hooks.Interface());
            const int before = rec_.hourglasses;
            completed = Run(c.op, test::QbFaults().Throw(0x80040400, "Timed out").Build(), [&](QbSession& s) {
                c.work(s, hooks);
            });
            EXPECT_EQ(rec_.busy, c.outer);
            EXPECT_EQ(rec_.hourglasses, before);
        }
        EXPECT_EQ(completed, c.boxes.isEmpty());
        EXPECT_EQ(rec_.boxes, c.boxes);
        EXPECT_EQ(rec_.hourglassesAtBoxes, std::vector<int>(c.boxes.size(), c.outer ? 1 : 0));
        EXPECT_FALSE(rec_.busy);
        EXPECT_EQ(rec_.hourglasses, 0);
    }
}

TEST_F(QbFrameTest, AFailingEndSessionStillClosesTheConnection)
{
    EXPECT_TRUE(Run(test::QbFaults().Code("EndSession", 0x80040402).Build()));
    EXPECT_EQ(calls_->mid(calls_->size() - 3), QStringList({"EndSession", "CloseConnection", "Release"}));
}

TEST_F(QbFrameTest, EachOperationShowsItsStatusTextAndCursor)
{
    struct Case {
        QbOperation op;
        const char* status;  // nullptr: none
        bool hourglass;
    };
    const Case cases[] = {
        {QbOperation::CustomerJobList, "Accessing QuickBooks customer list", true},
        {QbOperation::EmployeeImport, "Accessing QuickBooks", true},
        {QbOperation::Customers, nullptr, true},
        {QbOperation::FieldDefinitions, "Accessing QuickBooks", false},
        {QbOperation::ExportRun, "Accessing QuickBooks", true},
        {QbOperation::AccessTest, "Accessing QuickBooks", true},
    };
    for (const Case& c : cases) {
        rec_ = {};
        bool hourglassDuringWork = false;
        EXPECT_TRUE(Run(c.op, {}, [&](QbSession&) { hourglassDuringWork = rec_.hourglass; }));
        EXPECT_EQ(hourglassDuringWork, c.hourglass);
        QStringList statuses = rec_.log.filter(QRegularExpression("^status "));
        EXPECT_EQ(statuses, c.status ? QStringList{QString("status ") + c.status} : QStringList{});
        EXPECT_FALSE(rec_.hourglass);
    }
}

TEST_F(QbFrameTest, TheGateIsAskedFirst)
{
    rec_.permitted = false;
    EXPECT_FALSE(Run());
    EXPECT_EQ(rec_.log, QStringList{"access permitted?"});
    EXPECT_TRUE(calls_->isEmpty());
}

// The registry names the link; the frame reaches the company through either.
TEST(QbSessionFactory, TheRegistryNamesTheLink)
{
    QTemporaryDir dir;
    CompanyFolder folder(SampleCompany());
    struct Case {
        const char* link;
        bool created;
    };
    const Case cases[] = {{"local", true}, {"local-xml", true}, {"", false}, {"qbfc", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        registry::TRegistry reg(dir.filePath("registry.ini").toStdString());
        reg.SetRootKey(registry::RootKey::LocalMachine);
        ASSERT_TRUE(reg.OpenKey(qb::kLinkKey, true));
        reg.WriteString(qb::kLinkValue, c.link);
        reg.WriteString(qb::kOpenCompanyValue, folder.Path().toStdString());
        reg.CloseKey();

        test::ExchangeRecorder rec;
        auto services = rec.Services();
        QbSessionFrame frame(services, [&] { return qb::CreateSessionManager(reg); });
        QStringList names;
        EXPECT_EQ(frame.Run(QbOperation::AccessTest,
                            [&](QbSession& s) {
                                auto sent = s.Send(
                                    [](qb::MsgSetRequest& set) {
                                        set.AppendCustomerQueryRq()->ActiveStatus = qb::ENActiveStatus::All;
                                        return true;
                                    },
                                    {1, {}, false});
                                for (const auto& cust : *sent.response->DetailAs<qb::CustomerRet>())
                                    names << *cust.FullName;
                            }),
                  c.created);
        EXPECT_EQ(names.size(), c.created ? 6 : 0);
        EXPECT_EQ(rec.boxes,
                  c.created ? QStringList{}
                            : QStringList{"QuickBooks advisory: The QuickBooks interface is not installed"});
    }
    registry::TRegistry empty(dir.filePath("none.ini").toStdString());
    EXPECT_EQ(qb::CreateSessionManager(empty), nullptr);
}

// The settings lines the READMEs show, pasted into a settings file with the
// path of a copy of the sample company, reach that company.
TEST(QbSessionFactory, TheReadmesSettingsLinesReachTheSampleCompany)
{
    const auto iniBlock = [](const QString& file, const QString& after) {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        const QString text = QString::fromUtf8(f.readAll());
        const qsizetype from = text.indexOf(QStringLiteral("```ini\n"), text.indexOf(after));
        const qsizetype to = text.indexOf(QStringLiteral("```"), from + 7);
        return from < 0 || to < 0 ? QString() : text.mid(from + 7, to - from - 7);
    };
    const QString lines = iniBlock(TW_EXAMPLES_DIR "/qbcompany/README.md", "<!-- settings lines -->");
    ASSERT_TRUE(lines.contains("QB open company=")) << lines.toStdString();
    EXPECT_EQ(iniBlock(TW_EXAMPLES_DIR "/../README.md", "## Notes"), lines);

    QTemporaryDir dir;
    const QString copy = dir.filePath("Fernhollow Sample Company.qbw");
    ASSERT_TRUE(QFile::copy(TW_EXAMPLES_DIR "/qbcompany/Fernhollow Sample Company.qbw", copy));
    QString pasted = lines;
    pasted.replace("/home/me/qb/Fernhollow Sample Company.qbw", copy);
    ASSERT_NE(pasted, lines);
    QFile ini(dir.filePath("registry.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(pasted.toUtf8());
    ini.close();

    registry::TRegistry reg(ini.fileName().toStdString());
    test::ExchangeRecorder rec;  // the setup dialog's company file left empty
    auto services = rec.Services();
    QbSessionFrame frame(services, [&] { return qb::CreateSessionManager(reg); });
    int customers = 0;
    EXPECT_TRUE(frame.Run(QbOperation::AccessTest, [&](QbSession& s) {
        auto sent = s.Send([](qb::MsgSetRequest& set) { return set.AppendCustomerQueryRq() != nullptr; },
                           {1, {}, false});
        customers = static_cast<int>(sent.response->DetailAs<qb::CustomerRet>()->size());
    }));
    EXPECT_TRUE(rec.boxes.isEmpty()) << rec.boxes.join("|").toStdString();
    EXPECT_GT(customers, 0);
}

}  // namespace
}  // namespace tw::exchange
