// The automatic backup at exit as the user meets it: the small window with
// its progress bar and Skip, and the closing of the real main window, which
// leaves an archive in the backup folder (none with SF3 set or after Skip)
// and the lock record free. With TARNWICK_SCREENSHOTS set to a folder, the
// window leaves its picture there (docs/screenshots holds it).
#include "settings/exitbackupwindow.h"
#include "app/mainscreen.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/status/fcprogressbar.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/table.h"
#include "sampleschedule.h"
#include "testapplication.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace tw::app {
namespace {

QString LabelText(const QWidget& window, const char* name)
{
    const auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QString();
}

TEST(ExitBackupWindow, ShowsTheFolderTheFileAndHowFarTheBackupIs)
{
    testing::ApplicationInUse application;
    TExitBackupWindow window;
    window.ShowWindow("/media/stick/Backups");
    window.ShowProgress("ICharts.DBF", 3, 6);
    EXPECT_FALSE(window.Wait(0));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(LabelText(window, "BackupFolderLabel"), "Backing up database to: /media/stick/Backups");
    EXPECT_EQ(LabelText(window, "BackupFileLabel"), "Backing up ICharts.DBF");
    EXPECT_EQ(window.ProgressBar()->Percent(), 50);

    // Half of the bar is filled: its first quarter has another colour than
    // its last, which shows the bar's empty ground.
    const QImage image = window.grab().toImage();
    const QRect bar = window.ProgressBar()->geometry();
    const int y = bar.center().y();
    const QColor filled = image.pixelColor(bar.left() + bar.width() / 5, y);
    const QColor empty = image.pixelColor(bar.left() + bar.width() * 4 / 5, y);
    EXPECT_NE(filled, empty);
    EXPECT_EQ(empty, QColor(Qt::white));

    if (const char* folder = std::getenv("TARNWICK_SCREENSHOTS"))
        image.save(QString::fromLocal8Bit(folder) + "/exitbackup.png");

    window.ShowNote("Waiting for network access");
    EXPECT_EQ(LabelText(window, "BackupFileLabel"), "Waiting for network access");
    window.CloseWindow();
    EXPECT_FALSE(window.isVisible());
}

TEST(ExitBackupWindow, SkipIsSeenByTheNextWaitAndEndsAWaitEarly)
{
    testing::ApplicationInUse application;
    TExitBackupWindow window;
    window.ShowWindow("/backups");
    EXPECT_FALSE(window.Wait(30));
    // Pressed while the window waits for the lock: the wait ends with it.
    QTimer::singleShot(0, [&] { window.SkipButton()->Click(); });
    EXPECT_TRUE(window.Wait(60000));
    EXPECT_FALSE(window.SkipButton()->isEnabled());
    EXPECT_TRUE(window.Wait(0));
    // Opened again, it starts afresh.
    window.ShowWindow("/backups");
    EXPECT_FALSE(window.Wait(0));
}

class ExitBackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        ASSERT_TRUE(backups.isValid());
        window = std::make_unique<TMainScreen>();
        window->StartTimer();
        ASSERT_TRUE(window->Session().State.TablesOpen);
        examples::FillSampleSchedule(*window, EncodeDate(2026, 12, 7));
        window->Session().State.BackupFolder = backups.path().toStdString();
        window->show();
        window->StartClock()->stop();
    }

    QStringList Archives() const { return QDir(backups.path()).entryList({"*.zip"}, QDir::Files); }

    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    QTemporaryDir backups;
    std::unique_ptr<TMainScreen> window;
};

TEST_F(ExitBackupTest, ClosingTheProgramBacksUpUnlessSwitchedOff)
{
    for (bool noAutoBackup : {true, false}) {
        SCOPED_TRACE(noAutoBackup);
        if (!window)
            SetUp();
        window->Session().Flags.NoAutoBackup = noAutoBackup;
        window->close();
        EXPECT_EQ(Archives().size(), noAutoBackup ? 0 : 1);
        EXPECT_FALSE(window->Session().State.LockHeld);
        EXPECT_FALSE(window->Session().State.TablesOpen);
        for (const MessageBoxRequest& box : recorder.Boxes)
            ADD_FAILURE() << box.Caption.toStdString() << ": " << box.Text.toStdString();
        // Destroying the closed window runs no second shutdown, so no second archive.
        window.reset();
        EXPECT_EQ(Archives().size(), noAutoBackup ? 0 : 1);
    }
}

TEST_F(ExitBackupTest, SkipLeavesNoArchiveAndTheProgramStillEnds)
{
    QTimer skipper;
    QObject::connect(&skipper, &QTimer::timeout, [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* w = qobject_cast<TExitBackupWindow*>(top); w && w->isVisible())
                w->SkipButton()->Click();
    });
    skipper.start(0);
    window->close();
    skipper.stop();
    EXPECT_TRUE(Archives().isEmpty());
    EXPECT_TRUE(QDir(backups.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "no temporary file";
    EXPECT_FALSE(window->Session().State.LockHeld);
    EXPECT_TRUE(recorder.Boxes.empty());
    EXPECT_EQ(window->StatusText(0), "Backup skipped");
}

// Another workstation holds the lock: the window says it waits, Skip ends
// the wait, and the other copy's lock is neither taken nor broken.
TEST_F(ExitBackupTest, SkipWhileAnotherCopyHoldsTheLockLeavesItsLock)
{
    db::Table& access = window->Session().Data().AccessTable;
    access.first();
    access.edit();
    access.fieldByName("USE").setAsBoolean(true);
    access.post();
    ASSERT_FALSE(window->Session().State.LockHeld);

    QTimer skipper;
    bool sawWait = false;
    QObject::connect(&skipper, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* w = qobject_cast<TExitBackupWindow*>(top);
                w && w->isVisible() && LabelText(*w, "BackupFileLabel") == "Waiting for network access") {
                sawWait = true;
                w->SkipButton()->Click();
            }
    });
    skipper.start(0);
    window->close();
    skipper.stop();
    EXPECT_TRUE(sawWait);
    EXPECT_TRUE(Archives().isEmpty());
    EXPECT_TRUE(recorder.Boxes.empty());
    EXPECT_EQ(window->StatusText(0), "Backup skipped");

    db::Table lock;
    lock.setFolder(window->Session().State.ScheduleFolder);
    lock.setTableName("Access.dbf");
    lock.setReadOnly(true);
    lock.open();
    EXPECT_TRUE(lock.fieldByName("USE").asBoolean()) << "the other copy still holds its lock";
}

}  // namespace
}  // namespace tw::app
