// The Utilities tab on a volume list of the test's own, as a new user meets
// it: the medium box offers exactly those volumes, the pie and its label show
// the chosen one's free space, the folder tree holds only that volume's
// folders; a backup lands in the list, and after emptying the database and a
// Smart restore of that backup the customers are back and the status bar
// says so. With TARNWICK_SCREENSHOTS set to a folder, the tab leaves
// utilities.png and utilities-restore.png there (docs/screenshots holds them); the
// user's folders then lie under one fixed folder, so that the pictures show
// no path of the machine they were taken on.
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "settings/utilitiespage.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/labels/fclabel.h"
#include "controls/status/fcstatusbar.h"
#include "platform/datetime/localetexts.h"
#include "sampleschedule.h"
#include "settings/fixedvolumes.h"
#include "testapplication.h"
#include "utilitieswidgets.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

namespace tw::app {
namespace {

const char* Shots()
{
    return std::getenv("TARNWICK_SCREENSHOTS");
}

QString UserFolder()
{
    return Shots() ? QStringLiteral("/tmp/tarnwick-screens") : QString();
}

class UtilitiesScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        stick = user.DataFolder() + "/USB stick";
        disk = user.DataFolder() + "/Backup disk";
        for (const char* folder : {"Backups", "Letters", "Photos"})
            ASSERT_TRUE(QDir().mkpath(stick + "/" + folder));
        ASSERT_TRUE(QDir().mkpath(disk + "/Tarnwick"));
        constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;
        volumes.list = {{stick.toStdString(), "USB stick", 16 * kGiB, 9 * kGiB + kGiB / 4},
                        {disk.toStdString(), "Backup disk", 4096 * kGiB, 3000 * kGiB}};

        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen);
        examples::FillSampleSchedule(window, EncodeDate(2026, 12, 7));
        window.Session().State.BackupFolder = (stick + "/Backups").toStdString();
        window.Features().Utilities->Page()->UseVolumes(volumes);
        window.resize(927, 758);
        window.show();
        window.StartClock()->stop();  // the start-up has run already
        window.TabControl()->setCurrentIndex(UtilitiesPage);
        QCoreApplication::processEvents();
    }

    template <typename T = QWidget>
    T* Find(const char* name)
    {
        return testing::UtilitiesWidget<T>(window, name);
    }

    void Click(const char* name) { testing::ClickUtilitiesButton(window, name); }

    static QStringList Shown(QAbstractItemView* view)
    {
        QStringList names = testing::ShownNames(view);
        names.sort();
        return names;
    }

    void Picture(const char* name)
    {
        if (Shots())
            window.grab().save(QString::fromLocal8Bit(Shots()) + "/" + name);
    }

    testing::ApplicationInUse application;
    testing::FreshUser user{UserFolder()};
    testing::Recorder recorder;
    settings::test::FixedVolumes volumes;
    QString stick, disk;
    TMainScreen window;
};

TEST_F(UtilitiesScreensTest, BackupEmptyAndRestoreOnTheTestsOwnVolumes)
{
    auto* drives = Find<QComboBox>("DriveComboBox");
    ASSERT_EQ(drives->count(), 2);
    EXPECT_EQ(drives->itemText(0), stick);
    EXPECT_EQ(drives->itemText(1), disk);
    EXPECT_EQ(drives->currentIndex(), 0);
    EXPECT_EQ(Find<controls::TFcLabel>("SizeLabel")->Caption(), "9472 free MBs");
    EXPECT_EQ(Shown(Find<QTreeView>("DirectoryListBox")), (QStringList{"Backups", "Letters", "Photos"}));

    Click("BackupAll");
    const QStringList archives = QDir(stick + "/Backups").entryList(QDir::Files);
    ASSERT_EQ(archives.size(), 1);
    auto* list = Find<QAbstractItemView>("FileListBox");
    EXPECT_EQ(Shown(list), archives);
    EXPECT_EQ(window.StatusText(0), "Backup completed");
    Picture("utilities.png");

    const int customers = window.Session().Data().CustomersTable.recordCount();
    ASSERT_GT(customers, 0);
    testing::YesToEveryQuestion yes;
    Click("EmptyDatabase");
    window.Session().Data().CustomersTable.refresh();
    ASSERT_EQ(window.Session().Data().CustomersTable.recordCount(), 0);

    list->setCurrentIndex(list->model()->index(0, 0, list->rootIndex()));
    Click("Restore");
    EXPECT_GE(yes.Answered, 2);

    for (const MessageBoxRequest& box : recorder.Boxes)
        ADD_FAILURE() << box.Caption.toStdString() << ": " << box.Text.toStdString();
    window.Session().Data().CustomersTable.refresh();
    EXPECT_EQ(window.Session().Data().CustomersTable.recordCount(), customers);
    EXPECT_EQ(window.StatusText(1), "Completed database update");
    EXPECT_EQ(window.TabControl()->currentIndex(), UtilitiesPage);
    EXPECT_TRUE(window.Session().State.TablesOpen);
    EXPECT_FALSE(window.Session().State.TablesBusy);
    QCoreApplication::processEvents();
    Picture("utilities-restore.png");
}

// "Empty database" through the real window, after a job was on show: the
// caption and the Add / Edit / Query page's labels read as a new database's,
// and stay so as the user turns the pages.
TEST_F(UtilitiesScreensTest, EmptyingReadsAsANewDatabase)
{
    auto label = [&](const char* name) {
        auto* l = window.Features().Query->Page()->findChild<QLabel*>(QLatin1String(name));
        EXPECT_NE(l, nullptr) << name;
        return l ? l->text().toStdString() : std::string();
    };
    window.TabControl()->setCurrentIndex(SelectPage);
    QCoreApplication::processEvents();
    ASSERT_TRUE(window.windowTitle().endsWith(" tasks")) << window.windowTitle().toStdString();
    ASSERT_TRUE(QString::fromStdString(label("TasksLabel")).endsWith(" tasks")) << label("TasksLabel");
    window.TabControl()->setCurrentIndex(UtilitiesPage);

    testing::YesToEveryQuestion yes;
    Click("EmptyDatabase");
    EXPECT_EQ(yes.Answered, 1);
    EXPECT_EQ(window.StatusText(0), "Database is empty");
    for (int page : {UtilitiesPage, SelectPage, CustomerTabPage, SchedulePage, SelectPage}) {
        SCOPED_TRACE(page);
        window.TabControl()->setCurrentIndex(page);
        QCoreApplication::processEvents();
        EXPECT_EQ(window.windowTitle().toStdString(), "Tarnwick");
        EXPECT_EQ(label("CustomersLabel"), "No customers");
        EXPECT_EQ(label("JobsLabel"), "No jobs");
        EXPECT_EQ(label("TasksLabel"), "No tasks");
    }
    for (const MessageBoxRequest& box : recorder.Boxes)
        ADD_FAILURE() << box.Caption.toStdString() << ": " << box.Text.toStdString();
}

// The medium box and Up as a new user tries them: the other volume shows
// its folders and free space; a volume whose root cannot be read falls back
// to the start volume and says why; Up climbs to the volume's root and no
// further.
TEST_F(UtilitiesScreensTest, PickingAVolumeAndGoingUp)
{
    auto* drives = Find<QComboBox>("DriveComboBox");
    auto* status = Find<controls::TFcStatusBar>("BackupStatusBar");
    drives->setCurrentIndex(1);
    EXPECT_EQ(QString::fromStdString(window.Session().State.BackupFolder), disk);
    EXPECT_EQ(Find<controls::TFcLabel>("SizeLabel")->Caption(), "3072000 free MBs");
    EXPECT_EQ(Shown(Find<QTreeView>("DirectoryListBox")), QStringList{"Tarnwick"});
    EXPECT_EQ(status->PanelText(0), disk);
    // A line high on the page, not squeezed away by the lists above it.
    EXPECT_TRUE(status->isVisible());
    EXPECT_GE(status->height(), status->fontMetrics().height());

    window.Session().State.BackupFolder = (stick + "/Backups").toStdString();
    drives->setCurrentIndex(0);
    EXPECT_EQ(QString::fromStdString(window.Session().State.BackupFolder), stick);
    volumes.unreadable.insert(disk.toStdString());
    drives->setCurrentIndex(1);
    EXPECT_EQ(status->PanelText(0), "drive may be empty or not available");
    EXPECT_EQ(window.Session().State.BackupFolder, window.Features().Utilities->Page()->Logic().StartDrive());

    drives->setCurrentIndex(0);
    ASSERT_EQ(QString::fromStdString(window.Session().State.BackupFolder), stick);
    window.Session().State.BackupFolder = (stick + "/Backups").toStdString();
    window.Features().Utilities->Page()->Logic().Refresh();
    Click("Up");
    EXPECT_EQ(QString::fromStdString(window.Session().State.BackupFolder), stick);
    Click("Up");
    EXPECT_EQ(QString::fromStdString(window.Session().State.BackupFolder), stick) << "no higher than the volume's root";
    EXPECT_TRUE(recorder.Boxes.empty());
}

}  // namespace
}  // namespace tw::app
