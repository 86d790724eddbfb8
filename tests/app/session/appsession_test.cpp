// Two sessions, as two workstations run them, on one schedule folder and
// without any window: what one adds through its task adder reaches the
// other's working copy at its next pull.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <memory>
#include <string>
#include <vector>

#include <QString>

#include "app/session/appsession.h"
#include "app/session/startupsequence.h"
#include "customers/customerphotos.h"
#include "customers/customfieldrules.h"
#include "customers/jpegpicture.h"
#include "data/services/estimatedata.h"
#include "platform/datetime/datetime.h"
#include "sampleschedule.h"
#include "settings/restoreswap.h"
#include "support/recordinguserinterface.h"
#include "sessionstart.h"
#include "testfolder.h"

namespace tw::app {
namespace {

class AppSessionTest : public testing::TestFolder {
protected:
    std::unique_ptr<AppSession> StartSession(const std::string& name, data::UserInterface& ui)
    {
        return testing::StartFirstRunSession(dir_, name, ui);
    }

    // Key -> description and hours of every schedule item in a working copy.
    static testing::ScheduleItems Items(AppSession& session)
    {
        return testing::ItemsOf(session.Data().ChartsTable5);
    }

    data::RecordingUserInterface uiA_, uiB_;
};

TEST_F(AppSessionTest, ATaskAddedInOneSessionReachesTheOtherAtItsNextPull)
{
    std::unique_ptr<AppSession> a = StartSession("a", uiA_);
    ASSERT_TRUE(a->State.TablesOpen) << (uiA_.Messages.empty() ? "" : uiA_.Messages[0].text);
    const TDateTime monday = EncodeDate(2027, 3, 1);
    examples::FillSampleSchedule(*a, monday);
    const auto sample = Items(*a);
    ASSERT_GT(sample.size(), 30u);

    std::unique_ptr<AppSession> b = StartSession("b", uiB_);
    ASSERT_TRUE(b->State.TablesOpen);
    b->Sync().PullChartUpdates(false);
    EXPECT_EQ(Items(*b), sample);

    const std::int32_t crew = examples::AddSampleResource(*a, "Glaziers");
    const std::int32_t key = examples::AddSampleTask(
        *a, crew, {"Ames, Helen", "Kitchen refit", "Glaze door", monday + 15 + 8.0 / 24, 3});
    ASSERT_NE(key, 0);
    EXPECT_FALSE(b->State.TablesBusy);
    EXPECT_TRUE(b->Sync().PullChartUpdates(false));
    const auto pulled = Items(*b);
    ASSERT_EQ(pulled.count(key), 1u);
    EXPECT_EQ(pulled.at(key).first, "Glaze door");
    EXPECT_DOUBLE_EQ(pulled.at(key).second, 3);
    EXPECT_EQ(pulled, Items(*a));
    EXPECT_TRUE(uiA_.Messages.empty());
    EXPECT_TRUE(uiB_.Messages.empty());
}

// The sample's customers fill every part of the Customer details page: the
// name in its two parts, an address, phone, e-mail, a note, the values of
// the customer custom fields, and one of them a photo that decodes.
TEST_F(AppSessionTest, TheSampleSchedulesCustomersCarryTheirDetails)
{
    std::unique_ptr<AppSession> a = StartSession("a", uiA_);
    ASSERT_TRUE(a->State.TablesOpen);
    examples::FillSampleSchedule(*a, EncodeDate(2027, 3, 1));
    data::TEstimateData& d = a->Data();
    customers::CustomFieldRules rules({d.CustomersTable, d.CustomersTable2, d.CrewsTable, d.CrewsTable2,
                                       d.ChartsTable, d.ChartsTable2, d.CustomFieldsTable,
                                       d.CustomFieldsTable2, d.CustomFieldsTable3},
                                      a->State);
    const std::vector<customers::CustomFieldDefinition> fields =
        rules.ActiveDefinitions(customers::kCustomerFields);
    EXPECT_EQ(fields.size(), 3u);
    customers::CustomerPhotos photos({d.CustomersTable, d.CustomersTable2, d.PhotosTable});
    db::Table& c = d.CustomersTable2;
    c.refresh();
    int customers = 0, withPhoto = 0;
    for (c.first(); !c.eof(); c.next(), ++customers) {
        const std::string name = c.fieldByName("NAME").asString();
        EXPECT_EQ(
            name,
            data::CustomerNameText(c.fieldByName("LAST").asString(), c.fieldByName("FIRST").asString()));
        for (const char* field : {"LAST", "FIRST", "CONTACT1", "ADDR1", "CITY", "STATE", "POSTAL", "COUNTRY",
                                  "PHONE1", "EMAIL1", "NOTES"})
            EXPECT_FALSE(c.fieldByName(field).asString().empty()) << name << " " << field;
        for (const customers::CustomFieldDefinition& f : fields)
            EXPECT_FALSE(c.fieldByName(f.Column).asString().empty()) << name << " " << f.Name;
        if (c.fieldByName("PHOTO").asBoolean()) {
            ++withPhoto;
            const customers::StoredPhotos stored = photos.Load(c.fieldByName("CID").asInteger());
            const auto picture = customers::DecodeJpeg(stored.Image1, stored.Scale1);
            ASSERT_TRUE(picture.has_value()) << name;
            EXPECT_GT(picture->Width, 5);
        }
        // Each customer has its job in the schedule under the name it is shown by.
        EXPECT_TRUE(d.ChartsTable5.locate("CUSTNAME", db::Value(name))) << name;
    }
    EXPECT_EQ(customers, 9);
    EXPECT_EQ(withPhoto, 1);
}

// The shutdown's last step gives back the lock record that an operation cut
// short left with this session, and never the one another session holds.
TEST_F(AppSessionTest, AHeldLockIsGivenBackOnlyByTheSessionHoldingIt)
{
    std::unique_ptr<AppSession> a = StartSession("a", uiA_);
    std::unique_ptr<AppSession> b = StartSession("b", uiB_);
    ASSERT_TRUE(a->State.TablesOpen && b->State.TablesOpen);
    const auto lockUsed = [this] {
        db::Table access;
        access.setFolder((dir_ / "schedule").string());
        access.setTableName("Access.dbf");
        access.open();
        access.first();
        return access.fieldByName("USE").asBoolean();
    };

    ASSERT_TRUE(b->Lock().UpdateAccessRecord(true));
    a->ReleaseHeldLock();
    EXPECT_TRUE(lockUsed());
    EXPECT_TRUE(b->State.LockHeld);

    b->Data().AccessTable.close();  // the lock's table as a cut-short operation may leave it
    b->ReleaseHeldLock();
    EXPECT_FALSE(b->State.LockHeld);
    EXPECT_FALSE(lockUsed());
    EXPECT_FALSE(b->Data().AccessTable.active());
    EXPECT_TRUE(uiA_.Messages.empty());
    EXPECT_TRUE(uiB_.Messages.empty());
}

// The window's side of the start-up, as a record of what it was shown.
struct FakeStartupWindow : StartupWindow {
    void ShowScheduleDatabaseInUse(const std::string& text) override { Schedule = text; }
    void ShowEstimatingDatabaseInUse(const std::string& text) override { Estimating = text; }
    void ShowDatabaseFailure(const std::string& text) override { Failures.push_back(text); }
    void EndAfterDatabaseFailure() override { Ended = true; }
    void ApplyReadOnlyAccess(bool readOnly) override { ReadOnly = readOnly; }
    void AttachPages() override { ++Attached; }
    void LayOut() override {}
    void ShowChartPeriod(TDateTime start, TDateTime end) override { Period = end - start; }
    void ShowJobStatusTexts(const data::JobStatusTexts& texts) override { Status = texts.JobStatusName(0); }
    void ShowResourceCaptionMode(int) override {}

    std::string Schedule, Estimating, Status;
    std::vector<std::string> Failures;
    bool Ended = false;
    bool ReadOnly = true;
    int Attached = 0;
    double Period = 0;
};

TEST_F(AppSessionTest, TheStartUpOpensTheDatabasesWithoutAWindow)
{
    const std::filesystem::path program = dir_ / "program";
    const std::filesystem::path schedule = dir_ / "schedule";
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(schedule);
    AppSession session((dir_ / "aliases").string());
    session.Interface().Attach(&uiA_);
    session.Data().Aliases.AddStandardAlias("TWUXData", program.string());
    session.Data().Aliases.AddStandardAlias("DOZOrez", schedule.string());
    session.Data().Bind(session.State);
    session.State.FirstRun = true;
    FakeStartupWindow window;
    StartupSequence startup(session, window);

    session.State.ScheduleAlias = "Nowhere";
    EXPECT_FALSE(startup.OpenDatabases());
    EXPECT_EQ(window.Failures, std::vector<std::string>{"The Nowhere database could not be opened"});
    EXPECT_TRUE(window.Ended);
    EXPECT_FALSE(session.State.TablesOpen);

    window = {};
    session.State.ScheduleAlias = "DOZOrez";
    ASSERT_TRUE(startup.OpenDatabases());
    EXPECT_TRUE(window.Failures.empty());
    EXPECT_TRUE(session.State.TablesOpen);
    EXPECT_TRUE(session.State.StartupDone);
    EXPECT_EQ(window.Schedule, "DOZOrez: " + schedule.string());
    EXPECT_EQ(session.State.ProgramFolder, program.string());
    EXPECT_EQ(window.Attached, 1);
    EXPECT_FALSE(window.ReadOnly);
    EXPECT_GT(window.Period, 0);
    EXPECT_FALSE(window.Status.empty());
    EXPECT_TRUE(startup.SynchroniseSchedule());
    EXPECT_TRUE(uiA_.Messages.empty()) << uiA_.Messages[0].text;
}


// A restore whose swap was decided and then cut short by a crash: the next
// start-up puts the restored table in place before it opens the schedule.
TEST_F(AppSessionTest, TheStartUpFinishesARestoreThatACrashCutShort)
{
    const std::filesystem::path program = dir_ / "program";
    const std::filesystem::path schedule = dir_ / "schedule";
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(schedule);
    FakeStartupWindow window;
    const auto start = [&] {
        auto session = std::make_unique<AppSession>((dir_ / "aliases").string());
        session->Interface().Attach(&uiA_);
        session->Data().Aliases.AddStandardAlias("TWUXData", program.string());
        session->Data().Aliases.AddStandardAlias("DOZOrez", schedule.string());
        session->Data().Bind(session->State);
        session->State.FirstRun = true;
        session->State.ScheduleAlias = "DOZOrez";
        StartupSequence startup(*session, window);
        EXPECT_TRUE(startup.OpenDatabases());
        return session;
    };
    const auto customers = [](AppSession& session) {
        std::vector<std::string> names;
        db::Table& t = session.Data().CustomersTable3;
        t.refresh();
        for (t.first(); !t.eof(); t.next())
            names.push_back(t.fieldByName("NAME").asString());
        return names;
    };

    // The backup holds one customer; the database, by the time of the restore, none.
    {
        auto session = start();
        db::Table& t = session->Data().CustomersTable3;
        t.append();
        t.fieldByName("CID").setAsInteger(5);
        t.fieldByName("NAME").setAsString("Ames");
        t.post();
    }
    const auto copyCustomers = [](const std::filesystem::path& from, const std::filesystem::path& to) {
        std::filesystem::create_directories(to);
        for (const auto& entry : std::filesystem::directory_iterator(from))
            if (entry.is_regular_file()
                && QString::fromStdString(entry.path().stem().string()).toLower() == "customers")
                std::filesystem::copy_file(entry.path(), to / entry.path().filename());
    };
    copyCustomers(schedule, dir_ / "backup");
    {
        auto session = start();
        db::Table& t = session->Data().CustomersTable3;
        for (t.first(); !t.eof();)
            t.deleteRecord();
        ASSERT_TRUE(customers(*session).empty());
    }
    settings::TableSwap swap(schedule.string());
    copyCustomers(dir_ / "backup", swap.StagingFolder());
    swap.Replace("customers.dbf");
    std::string stoppedAt;
    try {
        swap.Commit([](const std::string& step) {
            if (step.rfind("move", 0) == 0)
                throw std::runtime_error("power cut");
        });
    } catch (const std::runtime_error& e) {
        stoppedAt = e.what();
    }
    ASSERT_EQ(stoppedAt, "power cut");
    ASSERT_TRUE(swap.Committed());

    auto session = start();
    EXPECT_EQ(customers(*session), std::vector<std::string>{"Ames"});
    EXPECT_FALSE(std::filesystem::exists(schedule / settings::kSwapJournalName));
    EXPECT_FALSE(std::filesystem::exists(swap.StagingFolder()));
    EXPECT_TRUE(uiA_.Messages.empty()) << uiA_.Messages[0].text;
}

}  // namespace
}  // namespace tw::app
