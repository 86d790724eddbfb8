// The setup dialog's window over real settings tables, offscreen: its six
// pages and their order, Ctrl+Tab through them, the page kept between
// showings, Save on each page closing it with its setting stored, the
// controls read-only access disables, and the company file search run from
// its button. With TARNWICK_SCREENSHOTS set to a folder, each page leaves
// its picture there (docs/screenshots holds them).
#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcchoicegroup.h"
#include "controls/choices/fcglyphbutton.h"
#include "controls/status/fcstatusbar.h"
#include "controls/tabs/fcpagecontrol.h"
#include "controls/testapplication.h"
#include "settings/setupdialog.h"
#include "setupfixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QFileSystemModel>
#include <QListView>
#include <QTreeView>

#include <gtest/gtest.h>

#include <fstream>

namespace tw::settings::testing {
namespace {

class SetupDialogTest : public SetupTest {
protected:
    void SetUp() override
    {
        controls::testing::TestApplication();
        SetupTest::SetUp();
        backups_ = dir_ / "Backups";
        std::filesystem::create_directories(backups_);
        volumes_.List = {{dir_.string(), "Data", 8ull << 30, 3ull << 30}};
        settings_.StartDrive = Q(dir_);
        settings_.BackupFolder = Q(backups_);
        settings_.PasswordAccepted = true;
        dialog_ = std::make_unique<TQMSetup>(host_, ui_, settings_,
                                             SetupTables{params_, email_, qbSetup_, company_}, volumes_);
    }
    void TearDown() override
    {
        dialog_.reset();
        SetupTest::TearDown();
    }

    static QString Q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

    template <typename T = QWidget>
    T* Find(const char* name)
    {
        T* widget = dialog_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void Click(const char* name) { Find<controls::TFcControl>(name)->Click(); }
    controls::TFcPageControl* Pages() { return Find<controls::TFcPageControl>("GeneralSetupTabs"); }

    // Shows the dialog modally, runs what the user does meanwhile, and
    // closes it with its close box when the user left it open.
    void WhileShown(const std::function<void()>& user, controls::TFcTabSheet* page = nullptr)
    {
        bool ran = false;
        QTimer::singleShot(0, dialog_.get(), [&] {
            ran = true;
            EXPECT_TRUE(dialog_->isVisible());
            user();
            if (dialog_->isVisible())
                dialog_->reject();
        });
        dialog_->ShowSetup(page);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(dialog_->isVisible());
        EXPECT_FALSE(dialog_->Logic().Shown());
    }

    void PressCtrlTab(bool back = false)
    {
        const Qt::KeyboardModifiers modifiers =
            back ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier;
        QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab, modifiers);
    }

    std::filesystem::path backups_;
    std::unique_ptr<TQMSetup> dialog_;
};

TEST_F(SetupDialogTest, SixPagesInOrderFirstOnTheAccountingPageAndCtrlTabWalksThem)
{
    const QStringList captions{"General",  "QuickBooks", "Job status definitions",
                               "Security", "E-Mail",     "Auto backup"};
    WhileShown([&] {
        EXPECT_EQ(dialog_->windowTitle(), "Tarnwick setup");
        EXPECT_EQ(dialog_->size(), QSize(771, 546));
        ASSERT_EQ(Pages()->PageCount(), 6);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(Pages()->Pages(i)->Caption(), captions[i]);
        EXPECT_EQ(dialog_->GeneralSetupTab()->Hint(), "General setup for Drumlowe");
        EXPECT_EQ(Pages()->ActivePage(), dialog_->QuickBooksSetupTab());
        dialog_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
        Find("EnableAutoAccess")->setFocus();
        QStringList walked;
        for (int i = 0; i < 6; ++i) {
            PressCtrlTab();
            walked << Pages()->ActivePage()->Caption();
        }
        EXPECT_EQ(walked,
                  (QStringList{"Job status definitions", "Security", "E-Mail", "Auto backup", "General",
                               "QuickBooks"}));
        PressCtrlTab(true);
        EXPECT_EQ(Pages()->ActivePage(), dialog_->GeneralSetupTab());
        PressCtrlTab();
        PressCtrlTab();
    });
    // Asked again while it is open (another window's button), it stays as it is.
    WhileShown([&] {
        dialog_->showMinimized();
        dialog_->ShowSetup(dialog_->AutoBackupTab());
        EXPECT_TRUE(dialog_->isVisible());
        EXPECT_FALSE(dialog_->windowState() & Qt::WindowMinimized);
        EXPECT_EQ(Pages()->ActivePage(), dialog_->JobStatusTab()) << "no second loading";
        EXPECT_EQ(host_.Showings, 2);
    });
    // Shown again without a page: the page last shown.
    WhileShown([&] { EXPECT_EQ(Pages()->ActivePage(), dialog_->JobStatusTab()); });
    WhileShown([&] { EXPECT_EQ(Pages()->ActivePage(), dialog_->EMailSetupTab()); }, dialog_->EMailSetupTab());
}

TEST_F(SetupDialogTest, ShowingLoadsTheSettingsIntoTheControlsAndChangesNone)
{
    settings_.QBEdition = 2;
    settings_.HelpLevel = 1;
    settings_.ChartHintLevel = 2;
    settings_.ShowAssignedResources = false;
    settings_.WorkCalendarMode = settings_.LastWorkCalendarMode = 1;
    settings_.ResourceDisplayMode = 1;
    settings_.JobStatusTexts = {"Won", "Done", "Busy", "-", "Lost", "Quoted"};
    const SetupSettings before = settings_;
    WhileShown([&] {
        EXPECT_EQ(Find<controls::TFcRadioGroup>("QuickBooksEdition")->ItemIndex(), 2);
        EXPECT_EQ(Find<controls::TFcRadioGroup>("HelpLevelSelection")->ItemIndex(), 1);
        EXPECT_EQ(Find<controls::TFcRadioGroup>("TaskHintLevel")->ItemIndex(), 2);
        EXPECT_FALSE(Find<controls::TFcCheckBox>("ShowResources")->Checked());
        EXPECT_EQ(Find<controls::TFcRadioGroup>("WorkCalendar")->ItemIndex(), 1);
        EXPECT_EQ(Find<controls::TFcRadioGroup>("ResourceDisplay")->ItemIndex(), 1);
        EXPECT_EQ(Find<QLineEdit>("PendingD")->text(), "Quoted");
        EXPECT_EQ(Find<QLineEdit>("AwardedD")->text(), "Won");
        EXPECT_EQ(Find<controls::TFcRadioGroup>("AccessPanel")->ItemIndex(), 0);
        EXPECT_TRUE(Find<controls::TFcCheckBox>("EnableAutoBackup")->Checked());
    });
    EXPECT_EQ(settings_.QBEdition, before.QBEdition);
    EXPECT_EQ(settings_.HelpLevel, before.HelpLevel);
    EXPECT_EQ(settings_.ChartHintLevel, before.ChartHintLevel);
    EXPECT_EQ(settings_.ShowAssignedResources, before.ShowAssignedResources);
    EXPECT_EQ(settings_.WorkCalendarMode, 1);
    EXPECT_EQ(StoredCompanyMode(), 0) << "loading the mode in force writes no calendar mode";
    EXPECT_EQ(std::count(host_.Calls.begin(), host_.Calls.end(), "recompute task ends"), 0);
    EXPECT_EQ(std::count(host_.Calls.begin(), host_.Calls.end(), "help level 1"), 0);
}

TEST_F(SetupDialogTest, SaveOnEveryPageStoresItsSettingAndClosesTheDialog)
{
    struct Case {
        const char* page;
        std::function<void()> edit;
        const char* save;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"General", [&] { Find<controls::TFcRadioGroup>("ResourceDisplay")->Button(1)->Click(); },
         "GeneralSettingsOK", [&] { EXPECT_EQ(StoredNumber("qbsetup.dbf", "MATCH"), 1); }},
        {"QuickBooks",
         [&] {
             Find<controls::TFcCheckBox>("EnableAutoAccess")->SetChecked(false);  // located by hand
             auto* files = Find<QListWidget>("CompanyFiles");
             files->addItem("/srv/books/Shop.QBW");
             files->setCurrentRow(0);
             emit files->itemClicked(files->item(0));
         },
         "QBOk", [&] { EXPECT_EQ(StoredText("qbsetup.dbf", "CPATH"), "/srv/books/Shop.QBW"); }},
        {"Job status definitions", [&] { Find<QLineEdit>("PendingD")->setText("  Quoted "); },
         "SaveJobStatusDefs", [&] { EXPECT_EQ(StoredText("params.dbf", "PENDING"), "Quoted"); }},
        {"Security", [&] { Find<controls::TFcRadioGroup>("AccessPanel")->Button(2)->Click(); },
         "SecuritySave", [&] { EXPECT_TRUE(StoredFlag("params.dbf", "USEPASSWD")); }},
        {"E-Mail", [&] { Find<QLineEdit>("DBEdit39")->setText("mail.example.com"); }, "SaveEMailSettings",
         [&] {
             EXPECT_EQ(StoredText("eparams.dbf", "EMAILH"), "mail.example.com");
             EXPECT_EQ(settings_.Email.Host, "mail.example.com");
         }},
        {"Auto backup", [] {}, "SaveBackupFolder",
         [&] { EXPECT_EQ(StoredText("params.dbf", "BUDIR"), backups_.string()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        WhileShown([&] {
            for (int i = 0; i < Pages()->PageCount(); ++i)
                if (Pages()->Pages(i)->Caption() == QLatin1String(c.page))
                    Pages()->SetActivePageIndex(i);
            c.edit();
            Click(c.save);
            EXPECT_FALSE(dialog_->isVisible()) << "Save closes the dialog";
        });
        c.check();
    }
    EXPECT_TRUE(ui_.Messages.empty());
}

TEST_F(SetupDialogTest, ReadOnlyAccessDisablesTheControlsThatChangeTheDatabase)
{
    settings_.ReadOnlyAccess = true;
    settings_.PasswordAccepted = false;  // the access choice cannot be relaxed: its text stays
    settings_.QBManualCompanyFile = 1;
    WhileShown([&] {
        for (const char* name : {"EnableAutoAccess", "CompanyFile", "TestQBAccess", "AccessPanel",
                                 "QuickBooksEdition", "WorkCalendar", "SaveJobStatusDefs", "InstallQBAccess"})
            EXPECT_FALSE(Find(name)->isEnabled()) << name;
        EXPECT_EQ(Find<QLabel>("ReadOnlyMsg")->text(), "This Tarnwick cannot change the database");
        EXPECT_TRUE(Find("CallLogin")->isEnabled());
        EXPECT_TRUE(Find("PasswordSetupPanel")->isEnabled());
    });
    settings_.ReadOnlyAccess = false;
    settings_.PasswordAccepted = true;
    WhileShown([&] {
        EXPECT_TRUE(Find("CompanyFile")->isEnabled()) << "automatic access is off";
        EXPECT_TRUE(Find("WorkCalendar")->isEnabled());
        EXPECT_EQ(Find<QLabel>("ReadOnlyMsg")->text(), "This Tarnwick is allowed to change the schedule");
    });
}

TEST_F(SetupDialogTest, TheOutlookSwitchAndTheHelpButtonsActAtOnce)
{
    WhileShown([&] {
        // A tick from code raises the box's click, as the user's does.
        Find<controls::TFcCheckBox>("UseAuth")->SetChecked(true);
        EXPECT_TRUE(Find("DBEdit38")->isEnabled());
        Find<controls::TFcCheckBox>("SelectOutlook")->SetChecked(true);
        for (const char* name : {"DBEdit39", "DBEdit1", "DBEdit38", "DBEdit43", "DBEdit37", "UseAuth"})
            EXPECT_FALSE(Find(name)->isEnabled()) << name;
        EXPECT_TRUE(Find("OutlookPath")->isEnabled());
        EXPECT_TRUE(StoredFlag("eparams.dbf", "EMAILUO"));
        EXPECT_TRUE(StoredFlag("eparams.dbf", "EMAILUA"));
        for (const char* help : {"GeneralSetupHelp", "QuickBooksHelp", "JobStatusHelp", "SecurityHelp",
                                 "SaveEMailHelp", "AutoBackupHelp"})
            Click(help);
        EXPECT_TRUE(dialog_->isVisible());
    });
    EXPECT_EQ(host_.HelpPages,
              (QStringList{"General_setup.htm", "Setting_up_for_QB.htm", "Job_status_defs.htm",
                           "Security.htm", "email_config.htm", "Backup_config.htm"}));
}

TEST_F(SetupDialogTest, FindAllCompanyFilesListsTheVolumesFilesFromItsWorker)
{
    for (const char* file : {"Books.QBW", "clients/2026/smith.qbw"}) {
        std::filesystem::create_directories((dir_ / file).parent_path());
        std::ofstream(dir_ / file) << "x";
    }
    settings_.QBManualCompanyFile = 1;
    WhileShown(
        [&] {
            Click("FindQBWFiles");
            auto* files = Find<QListWidget>("CompanyFiles");
            ASSERT_EQ(files->count(), 2);
            EXPECT_EQ(files->item(0)->text(), Q(dir_ / "Books.QBW"));
            EXPECT_EQ(dialog_->findChild<QDialog*>("CompanyFileSearch"), nullptr)
                << "the progress window is gone";
        },
        dialog_->QuickBooksSetupTab());
    EXPECT_EQ(view_.Status, "(untouched)") << "the recording view is not the window's";
}

TEST_F(SetupDialogTest, StopEndsTheSearchAndSaysSo)
{
    std::filesystem::create_directories(dir_ / "a" / "b");
    settings_.QBManualCompanyFile = 1;
    WhileShown(
        [&] {
            // The user presses Stop in the search's window as soon as it shows.
            QTimer::singleShot(0, dialog_.get(), [&] {
                auto* progress = dialog_->findChild<QDialog*>("CompanyFileSearch");
                ASSERT_NE(progress, nullptr);
                EXPECT_TRUE(progress->isVisible());
                EXPECT_TRUE(
                    progress->findChild<QLabel*>("SearchProgressText")->text().startsWith("Searching "));
                progress->findChild<controls::TFcBitBtn*>("StopSearch")->Click();
            });
            Click("FindQBWFiles");
            EXPECT_TRUE(dialog_->isVisible()) << "the setup dialog stays open";
            EXPECT_TRUE(
                Find<controls::TFcStatusBar>("StatusBar")->PanelText(0).startsWith("Search stopped: "));
        },
        dialog_->QuickBooksSetupTab());
}

// The folder tree shows the backup folder itself, chosen, with what lies
// under it: an empty backup folder is one node, not a blank tree beside the
// list of its files.
TEST_F(SetupDialogTest, TheFolderTreeShowsTheBackupFolderItselfAsItsTopNode)
{
    std::ofstream(backups_ / "tarnwick-2026-12-04.zip") << "x";
    WhileShown(
        [&] {
            auto* tree = Find<QTreeView>("DirectoryListBox2");
            QAbstractItemModel* model = tree->model();
            ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(tree->rootIndex()) > 0; }, 2000));
            ASSERT_EQ(model->rowCount(tree->rootIndex()), 1);
            // The file system model moves its rows while it reads folders in the background:
            // only a persistent index stays on its node.
            const QPersistentModelIndex top = model->index(0, 0, tree->rootIndex());
            EXPECT_EQ(top.data().toString(), "Backups");
            EXPECT_EQ(tree->currentIndex(), top);
            // A folder made under it shows under the node, and choosing it moves the list there.
            std::filesystem::create_directories(backups_ / "Old");
            ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(top) == 1; }, 2000));
            const QPersistentModelIndex old = model->index(0, 0, top);
            EXPECT_EQ(old.data().toString(), "Old");
            tree->clicked(old);
            auto* list = Find<QListView>("FileListBox2");
            EXPECT_EQ(static_cast<QFileSystemModel*>(list->model())->filePath(list->rootIndex()),
                      Q(backups_ / "Old"));
        },
        dialog_->AutoBackupTab());
}

TEST_F(SetupDialogTest, EveryPageAtItsDefaultSize)
{
    const char* folder = std::getenv("TARNWICK_SCREENSHOTS");
    const char* names[] = {"setup-general",  "setup-quickbooks", "setup-job-status",
                           "setup-security", "setup-email",      "setup-auto-backup"};
    // A volume of fixed name, so that the pictures show no folder of the machine they were taken on.
    const std::filesystem::path volume = std::filesystem::temp_directory_path() / "tarnwick-data";
    std::filesystem::remove_all(volume);
    std::filesystem::create_directories(volume / "Backups" / "Archive");
    for (const char* file : {"Backups/tarnwick-2026-12-04.zip", "Backups/tarnwick-2026-12-07.zip"})
        std::ofstream(volume / file) << "x";
    volumes_.List = {{volume.string(), "Data", 8ull << 30, 3ull << 30}};
    settings_.StartDrive = Q(volume);
    settings_.BackupFolder = Q(volume / "Backups");
    settings_.QBManualCompanyFile = 1;
    WhileShown([&] {
        Find<QListWidget>("CompanyFiles")
            ->addItems(
                {Q(volume / "Books" / "Harbour Joinery.QBW"), Q(volume / "Books" / "Old" / "Test.QBW")});
        Find<QLineEdit>("CompanyPath")->setText(Q(volume / "Books" / "Harbour Joinery.QBW"));
        for (int i = 0; i < 6; ++i) {
            Pages()->SetActivePageIndex(i);
            QTest::qWait(i == 5 ? 500 : 20);  // the folder and file lists fill in the background
            const QImage image = dialog_->grab().toImage();
            ASSERT_EQ(image.size(), QSize(771, 546));
            // The page's own controls are drawn: the page is more than its background colour.
            const QRgb background = image.pixel(380, 490);
            int other = 0;
            for (int y = 40; y < 480; y += 4)
                for (int x = 20; x < 740; x += 4)
                    other += image.pixel(x, y) != background;
            EXPECT_GT(other, 500) << names[i];
            if (folder)
                image.save(QString::fromLocal8Bit(folder) + "/" + names[i] + ".png");
        }
    });
    std::filesystem::remove_all(volume);
}

}  // namespace
}  // namespace tw::settings::testing
