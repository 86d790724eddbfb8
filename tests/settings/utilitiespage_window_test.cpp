// The Utilities tab as a new user meets it in the real main window: a backup
// of everything lands in the shown folder and in its list, a backup file is
// deleted from there, and "Empty database" answered No leaves every record.
// Its picture is taken on volumes of the test's own (utilitiesscreens_test.cpp).
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "settings/utilitiespage.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/labels/fclabel.h"
#include "platform/datetime/localetexts.h"
#include "sampleschedule.h"
#include "settings/fixedvolumes.h"
#include "testapplication.h"
#include "utilitieswidgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tw::app {
namespace {

class UtilitiesPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen);
        examples::FillSampleSchedule(window, EncodeDate(2026, 12, 7));
        ASSERT_TRUE(backups.isValid());
        window.Session().State.BackupFolder = backups.path().toStdString();
        // A mount table of the test's own: the drive box and the start
        // drive must not depend on what this machine mounts.
        dataVolume = QFileInfo(QString::fromStdString(window.Session().State.ScheduleFolder))
                         .absolutePath()
                         .toStdString();
        constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;
        volumes.list = {{"/", "root", 64 * kGiB, 20 * kGiB}, {dataVolume, "Data", 8 * kGiB, 3 * kGiB}};
        window.Features().Utilities->Page()->UseVolumes(volumes);
        window.TabControl()->setCurrentIndex(UtilitiesPage);
        window.show();
        window.StartClock()->stop();  // the start-up has run already
        QCoreApplication::processEvents();
    }

    template <typename T = QWidget>
    T* Find(const char* name)
    {
        return testing::UtilitiesWidget<T>(window, name);
    }

    void Click(const char* name) { testing::ClickUtilitiesButton(window, name); }

    QStringList Listed() { return testing::ShownNames(Find<QAbstractItemView>("FileListBox")); }

    QStringList OnDisk() const { return QDir(backups.path()).entryList(QDir::Files); }

    QByteArray CustomerBytes()
    {
        QFile file(QString::fromStdString(window.Session().Data().CustomersTable.path()));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    settings::test::FixedVolumes volumes;
    std::string dataVolume;
    TMainScreen window;
    QTemporaryDir backups;
};

TEST_F(UtilitiesPageTest, BackupAllDataAddsItsArchiveToTheListAndShowsTheFreeSpace)
{
    // The start drive is the volume of the data folder; the backup folder
    // (a temporary folder outside it) lies on the root.
    EXPECT_EQ(window.Features().Utilities->Page()->Logic().StartDrive(), dataVolume);
    EXPECT_EQ(Find<controls::TFcLabel>("SizeLabel")->Caption(), "20480 free MBs");
    Find<controls::TFcLabel>("SizeLabel")->SetCaption({});
    ASSERT_TRUE(OnDisk().isEmpty());

    Click("BackupAll");

    const QStringList written = OnDisk();
    ASSERT_EQ(written.size(), 1) << written.join(", ").toStdString();
    EXPECT_TRUE(written[0].endsWith(".zip"));
    EXPECT_EQ(Listed(), written);
    EXPECT_EQ(Find<controls::TFcLabel>("SizeLabel")->Caption(), "20480 free MBs");
    EXPECT_TRUE(recorder.Boxes.empty());
    EXPECT_EQ(window.StatusText(0), "Backup completed");
    EXPECT_FALSE(window.Session().State.TablesBusy);
    EXPECT_TRUE(window.Session().State.TablesOpen);
    EXPECT_TRUE(window.Session().State.SharedTablesUsable);
    EXPECT_FALSE(window.Session().State.LockHeld);
    EXPECT_EQ(recorder.TerminateRequests, 0);
}

TEST_F(UtilitiesPageTest, ASelectedBackupIsDeletedAndLeavesTheList)
{
    Click("BackupAll");
    ASSERT_EQ(Listed().size(), 1);
    recorder.Boxes.clear();

    // Nothing selected: the user is asked to pick a file, nothing goes.
    Click("RemoveFile");
    ASSERT_EQ(recorder.Boxes.size(), 1u);
    EXPECT_EQ(recorder.Boxes[0].Text, "Please select the backup file");
    EXPECT_EQ(OnDisk().size(), 1);

    auto* list = Find<QAbstractItemView>("FileListBox");
    const QModelIndex archive = list->model()->index(0, 0, list->rootIndex());
    list->setCurrentIndex(archive);
    Click("RemoveFile");
    EXPECT_TRUE(OnDisk().isEmpty());
    EXPECT_TRUE(Listed().isEmpty());
    EXPECT_EQ(recorder.Boxes.size(), 1u);
}

TEST_F(UtilitiesPageTest, EmptyDatabaseAnsweredNoChangesNothing)
{
    const QByteArray before = CustomerBytes();
    const int customers = window.Session().Data().CustomersTable.recordCount();
    ASSERT_GT(customers, 0);
    int asked = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        ++asked;
        box->button(QMessageBox::No)->click();
    });
    Click("EmptyDatabase");
    EXPECT_EQ(asked, 1);
    window.Session().Data().CustomersTable.refresh();
    EXPECT_EQ(window.Session().Data().CustomersTable.recordCount(), customers);
    EXPECT_EQ(CustomerBytes(), before);
    EXPECT_FALSE(window.Session().State.TablesBusy);
}

TEST_F(UtilitiesPageTest, EmptyDatabaseAnsweredYesKeepsOnlyTheCompanyAndTheProgramGoesOn)
{
    ASSERT_GT(window.Session().Data().CustomersTable.recordCount(), 0);
    ASSERT_EQ(window.Session().Data().MyCompanyTable.recordCount(), 1);
    {
        testing::YesToEveryQuestion yes;
        Click("EmptyDatabase");
    }

    for (const MessageBoxRequest& box : recorder.Boxes)
        ADD_FAILURE() << box.Caption.toStdString() << ": " << box.Text.toStdString();
    for (db::Table* table : {&window.Session().Data().CustomersTable, &window.Session().Data().JobsTable,
                             &window.Session().Data().ChartsTable, &window.Session().Data().MyCompanyTable}) {
        table->refresh();
        EXPECT_EQ(table->recordCount(), table == &window.Session().Data().MyCompanyTable ? 1 : 0)
            << table->tableName();
    }
    EXPECT_TRUE(window.Session().State.TablesOpen);
    EXPECT_FALSE(window.Session().State.TablesBusy);
    EXPECT_FALSE(window.Session().State.LockHeld);
    EXPECT_EQ(recorder.TerminateRequests, 0);
}

TEST_F(UtilitiesPageTest, SmartRestoreOfTheSelectedBackupBringsBackWhatWasEmptied)
{
    Click("BackupAll");
    ASSERT_EQ(Listed().size(), 1);
    const int customers = window.Session().Data().CustomersTable.recordCount();
    recorder.Boxes.clear();
    auto yes = std::make_unique<testing::YesToEveryQuestion>();
    Click("EmptyDatabase");
    window.Session().Data().CustomersTable.refresh();
    ASSERT_EQ(window.Session().Data().CustomersTable.recordCount(), 0);

    auto* list = Find<QAbstractItemView>("FileListBox");
    list->setCurrentIndex(list->model()->index(0, 0, list->rootIndex()));
    yes = std::make_unique<testing::YesToEveryQuestion>();
    Click("Restore");
    EXPECT_GE(yes->Answered, 1);
    yes.reset();

    for (const MessageBoxRequest& box : recorder.Boxes)
        ADD_FAILURE() << box.Caption.toStdString() << ": " << box.Text.toStdString();
    window.Session().Data().CustomersTable.refresh();
    EXPECT_EQ(window.Session().Data().CustomersTable.recordCount(), customers);
    EXPECT_TRUE(window.Session().State.TablesOpen);
    EXPECT_FALSE(window.Session().State.TablesBusy);
    EXPECT_FALSE(window.Session().State.LockHeld);
    EXPECT_EQ(recorder.TerminateRequests, 0);
}

// The calendars of the schedule folder as (WORKID, CREWID), in file order.
using CalendarKeys = std::vector<std::pair<std::int32_t, std::int32_t>>;

// A Smart restore brings back every calendar record of the backup, whatever
// the calendar shown after it: two crews' calendars beside the one for all
// resources, and two calendars for all resources (kept both; the program
// uses the first and says so).
TEST_F(UtilitiesPageTest, SmartRestoreKeepsEveryCalendarOfTheBackup)
{
    struct Case {
        const char* name;
        CalendarKeys backedUp;
        const char* notice;
    };
    const Case cases[] = {
        {"two crews' calendars", {{8001, 0}, {8002, 5}, {8003, 6}}, ""},
        {"two for all resources", {{33630937, 0}, {8001, 0}},
         "2 calendars for all resources restored: the first one is used"},
    };
    db::Table& calendar = window.Session().Data().CalendarTable;
    auto fill = [&](const CalendarKeys& keys) {
        calendar.refresh();
        for (calendar.first(); !calendar.eof();)
            calendar.deleteRecord();
        for (const auto& [work, crew] : keys) {
            calendar.append();
            calendar.fieldByName("WORKID").setAsInteger(work);
            calendar.fieldByName("CREWID").setAsInteger(crew);
            calendar.fieldByName("MONDAY").setAsBoolean(true);
            calendar.post();
        }
    };
    auto stored = [&] {
        db::Table t;
        t.setFolder(window.Session().State.ScheduleFolder);
        t.setTableName("calendar.dbf");
        t.setReadOnly(true);
        t.open();
        CalendarKeys keys;
        for (t.first(); !t.eof(); t.next())
            keys.emplace_back(t.fieldByName("WORKID").asInteger(), t.fieldByName("CREWID").asInteger());
        std::sort(keys.begin(), keys.end());
        return keys;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& file : OnDisk())
            QFile::remove(backups.path() + "/" + file);
        fill(c.backedUp);
        Click("BackupAll");
        ASSERT_EQ(Listed().size(), 1);
        fill({{99, 0}});
        recorder.Boxes.clear();

        auto* list = Find<QAbstractItemView>("FileListBox");
        list->setCurrentIndex(list->model()->index(0, 0, list->rootIndex()));
        {
            testing::YesToEveryQuestion yes;
            Click("Restore");
        }
        for (const MessageBoxRequest& box : recorder.Boxes)
            ADD_FAILURE() << box.Caption.toStdString() << ": " << box.Text.toStdString();
        CalendarKeys expected = c.backedUp;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(stored(), expected);
        EXPECT_EQ(window.StatusText(1), "Completed database update");
        EXPECT_EQ(window.StatusText(2), c.notice);
        EXPECT_TRUE(window.Session().State.TablesOpen);
        EXPECT_FALSE(window.Session().State.TablesBusy);
    }
}

TEST_F(UtilitiesPageTest, HelpOpensThePageOfTheTabShown)
{
    testing::UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    QTest::mouseClick(window.findChild<controls::TFcBitBtn*>("AllHelp"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<controls::TFcBitBtn*>("Tutorial"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.Opened.size(), 2);
    EXPECT_EQ(catcher.Opened[0], QUrl::fromLocalFile(user.ProgramFolder() + "/Utilities_tab.htm"));
    EXPECT_EQ(catcher.Opened[1], QUrl::fromLocalFile(user.ProgramFolder() + "/TW_tutorial.htm"));
}

}  // namespace
}  // namespace tw::app
