#include "app/databaseselection.h"

#include "pressbutton.h"
#include "controls/tabs/fcpagecontrol.h"
#include "app/mainscreen.h"
#include "app/shelllocator.h"
#include "app/windowlayout.h"
#include "data/layouts/layouts.h"
#include "data/services/tablecreation.h"
#include "platform/db/tableops.h"
#include "platform/db/aliases.h"
#include "platform/db/database.h"
#include "platform/registry/registry.h"
#include "testapplication.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace tw::app {
namespace {

using testing::FreshUser;
using testing::Recorder;

using testing::UrlCatcher;

class DatabaseSelectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The program folder's own tables open from the same names file.
        const QString programFolder = QString::fromStdString(window_.Session().State.ProgramFolder);
        QDir().mkpath(programFolder);
        AddAlias("TWUXData", programFolder);
        window_.Session().Data().ParametersDatabase.setAliasName("TWUXData");
        window_.Features().Startup->SetDatabaseDialogs(&tw_, &qm_);
        home_ = MakeDatabase("Home", "ICharts.dbf");
        AddAlias("Home", home_);
        window_.Session().State.ScheduleAlias = "Home";
        window_.Session().State.ScheduleFolder = home_.toStdString();
        scheduler_.setAliasName("Home");
        registry::TRegistry reg = Registry();
        ASSERT_TRUE(reg.OpenKey(kVersionKey, true));
        reg.WriteString("TW alias name", "Home");
    }

    // A folder with a schedule database in it when table names ICharts.dbf (in
    // the letter case given), else with just that file.
    QString MakeDatabase(const QString& folder, const char* table) const
    {
        const QString path = user_.DataFolder() + "/databases/" + folder;
        QDir().mkpath(path);
        if (table && QString::fromLatin1(table).compare("ICharts.dbf", Qt::CaseInsensitive) == 0) {
            EXPECT_TRUE(data::CreateScheduleDatabase(path.toStdString()));
            QDir(path).rename("ICharts.DBF", QString::fromLatin1(table));
        } else if (table && QString::fromLatin1(table).compare("Estimate.dbf", Qt::CaseInsensitive) == 0) {
            for (const data::TableLayout& layout : data::Layouts(data::Database::Estimator))
                db::CreateTable(path.toStdString(), layout.fileName, layout.fields, layout.indexes);
        } else if (table) {
            QFile file(path + "/" + table);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        }
        return path;
    }
    void AddAlias(const QString& alias, const QString& folder)
    {
        session_.AddStandardAlias(alias.toStdString(), folder.toStdString());
        session_.Save();
    }
    registry::TRegistry Registry() const
    {
        registry::TRegistry reg(user_.RegistryFile());
        reg.SetRootKey(registry::RootKey::LocalMachine);
        return reg;
    }
    std::string RegistryValue(const char* name) const
    {
        registry::TRegistry reg = Registry();
        return reg.OpenKey(kVersionKey, false) ? reg.ReadString(name) : "(no key)";
    }
    template <class T>
    static T* Child(DatabaseSelection& dialog, const char* name)
    {
        T* child = dialog.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static void ChooseAlias(DatabaseSelection& dialog, const QString& alias)
    {
        Child<QComboBox>(dialog, "AliasCombo")->setCurrentText(alias);
        dialog.AliasComboChange();
    }
    static void Create(DatabaseSelection& dialog, const QString& alias, const QString& folder)
    {
        Child<QLineEdit>(dialog, "NewAliasName")->setText(alias);
        Child<TFcShellLocator>(dialog, "DirectoryListBox")->SetPathName(folder);
        testing::PressButton(Child<controls::TFcBitBtn>(dialog, "CreateNewAlias"));
    }
    // What the timer does once the worker is done, without waiting 3 s.
    static void ReportSave(DatabaseSelection& dialog)
    {
        dialog.SaveThread.Wait();
        dialog.WaitOnSaveTimer();
    }
    QStringList BoxTexts() const
    {
        QStringList texts;
        for (const MessageBoxRequest& box : recorder_.Boxes)
            texts << box.Caption + ": " + box.Text;
        return texts;
    }

    testing::ApplicationInUse application_;
    FreshUser user_;
    Recorder recorder_;
    TMainScreen window_;
    db::AliasConfig& session_ = window_.Session().Data().Aliases;
    db::Database& scheduler_ = window_.Session().Data().SchedulerDatabase;
    db::Database& estimator_ = window_.Session().Data().EstimatorDatabase;
    TTWDatabaseSelection tw_{&window_, *window_.Features().Startup, session_, scheduler_};
    TDatabaseSelection qm_{&window_, *window_.Features().Startup, session_, estimator_};
    QString home_;
};

TEST_F(DatabaseSelectionTest, OpeningShowsTheNameInUseItsFolderAsOnDiskAndEveryNameSorted)
{
    AddAlias("beta", MakeDatabase("Beta", nullptr));
    AddAlias("Alpha", MakeDatabase("Alpha", nullptr));
    session_.ModifyAlias("Home", {"PATH=" + (user_.DataFolder() + "/DATABASES/home").toStdString()});
    session_.Save();

    tw_.Fill(0);
    EXPECT_EQ(tw_.windowTitle(), "Tarnwick database access");
    EXPECT_EQ(tw_.size(), QSize(516, 452));
    EXPECT_EQ(Child<QLineEdit>(tw_, "AliasInUse")->text(), "Home");
    EXPECT_EQ(Child<QLineEdit>(tw_, "AliasPath")->text(), home_);
    auto* combo = Child<QComboBox>(tw_, "AliasCombo");
    ASSERT_EQ(combo->count(), 4);
    EXPECT_EQ(QStringList({combo->itemText(0), combo->itemText(1), combo->itemText(2), combo->itemText(3)}),
              QStringList({"Alpha", "beta", "Home", "TWUXData"}));
    EXPECT_EQ(combo->currentText(), "");
    EXPECT_EQ(tw_.StartFolder, QString::fromStdString(window_.Session().State.ProgramFolder));
    EXPECT_EQ(Child<controls::TFcBitBtn>(tw_, "ChangeDefaults")->toolTip(), "Use selected database  name ");
    EXPECT_EQ(Child<controls::TFcBitBtn>(tw_, "CreateNewAlias")->toolTip(), "Create a database name");
    EXPECT_TRUE(recorder_.Boxes.empty());
    // Two pages in the library's page control, the first one shown.
    auto* pages = Child<controls::TFcPageControl>(tw_, "PageControl");
    ASSERT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->Pages(0)->Caption(), "Select database");
    EXPECT_EQ(pages->Pages(1)->objectName(), "CreateTab");
    EXPECT_EQ(pages->Pages(1)->Caption(), "Create database name");
    EXPECT_EQ(pages->ActivePage()->objectName(), "SelectTab");
    EXPECT_TRUE(Child<QWidget>(tw_, "AliasCombo")->isVisibleTo(&tw_));
    EXPECT_FALSE(Child<QWidget>(tw_, "NewAliasName")->isVisibleTo(&tw_));
    // The documentation's picture, written only on request.
    if (const QString folder = qEnvironmentVariable("TARNWICK_SCREENSHOTS"); !folder.isEmpty())
        EXPECT_TRUE(tw_.grab().save(folder + "/database-names.png"));

    tw_.Fill(1);
    EXPECT_EQ(Child<controls::TFcBitBtn>(tw_, "ChangeDefaults")->toolTip(), "");
    EXPECT_EQ(Child<controls::TFcBitBtn>(tw_, "CreateNewAlias")->toolTip(), "");

    // No estimating database is set: nothing is in use.
    qm_.Fill(0);
    EXPECT_EQ(qm_.windowTitle(), "Quillmark database access");
    EXPECT_EQ(Child<QLineEdit>(qm_, "AliasInUse")->text(), "");
    EXPECT_EQ(Child<QLineEdit>(qm_, "AliasPath")->text(), "");
}

TEST_F(DatabaseSelectionTest, ReservedNamesAreRefusedWithTheirCaptions)
{
    for (const char* alias : {"TWDbRestore", "DOZOrez"})
        AddAlias(alias, MakeDatabase(alias, "ICharts.dbf"));
    const QString elsewhere = MakeDatabase("Elsewhere", nullptr);
    const QString switchRefused = "Choose a different database name: Illegal database name";
    const QString createRefused = "Create database name error: Illegal database name";
    const struct {
        const char* name;
        DatabaseSelection& dialog;
        bool create;
        const char* alias;
        QString box;  // empty: not refused
    } cases[] = {
        {"schedule switch", tw_, false, "TWDbRestore", switchRefused},
        {"schedule switch to the default name", tw_, false, "DOZOrez", {}},
        {"schedule create of the default name", tw_, true, "DOZOrez", createRefused},
        {"estimating switch to the schedule's default", qm_, false, "DOZOrez", switchRefused},
        {"estimating create", qm_, true, "Tarnwick1", createRefused},
        {"letter case counts", qm_, true, "dozorez", {}},
    };
    for (const auto& c : cases) {
        recorder_.Boxes.clear();
        c.dialog.Fill(0);
        c.dialog.show();
        if (c.create) {
            Create(c.dialog, c.alias, elsewhere);
            c.dialog.SaveThread.Wait();
        } else {
            ChooseAlias(c.dialog, c.alias);
            testing::PressButton(Child<controls::TFcBitBtn>(c.dialog, "ChangeDefaults"));
        }
        EXPECT_EQ(BoxTexts(), c.box.isEmpty() ? QStringList() : QStringList(c.box)) << c.name;
        if (!c.box.isEmpty() && recorder_.Boxes.size() == 1) {
            EXPECT_EQ(recorder_.Boxes[0].Icon, MessageIcon::Stop) << c.name;
            EXPECT_EQ(recorder_.Boxes[0].Modality, MessageModality::Application) << c.name;
        }
        // Only a refused Create closes the dialog.
        EXPECT_EQ(c.dialog.isVisible(), !(c.create && !c.box.isEmpty())) << c.name;
        c.dialog.hide();
    }
}

TEST_F(DatabaseSelectionTest, ASwitchReportsOnlyWithOpenTablesAndOnlyWhatTheRegistryTook)
{
    const QString branch = MakeDatabase("Branch", "icharts.DBF");
    AddAlias("Branch", branch);
    const struct {
        const char* name;
        bool tablesOpen;
        bool versionKey;
        QStringList boxes;
        QString status;
        QString aliasInUse;
        std::string kept;
    } cases[] = {
        {"open tables", true, true, {}, "Tarnwick db switched to " + branch, "Branch", "Branch"},
        {"no version key", true, false, {"Error: Write registry failure"}, "", "Home", "(no key)"},
        {"tables closed", false, true, {}, "", "Home", "Branch"},
    };
    for (const auto& c : cases) {
        recorder_.Boxes.clear();
        QFile::remove(QString::fromStdString(user_.RegistryFile()));
        if (c.versionKey) {
            registry::TRegistry reg = Registry();
            ASSERT_TRUE(reg.OpenKey(kVersionKey, true));
        }
        window_.Session().State.ScheduleAlias = "Home";
        window_.Session().State.ScheduleFolder = home_.toStdString();
        // Tables that cannot be used stay closed after the switch.
        window_.Session().State.SharedTablesUsable = c.tablesOpen;
        window_.Session().State.TablesOpen = c.tablesOpen;
        scheduler_.setAliasName("");
        tw_.Fill(0);
        ChooseAlias(tw_, "Branch");
        tw_.ChangeDefaultsClick();
        EXPECT_EQ(QString::fromStdString(window_.Session().State.ScheduleAlias), "Branch") << c.name;
        EXPECT_EQ(QString::fromStdString(window_.Session().State.ScheduleFolder), branch) << c.name;
        EXPECT_EQ(scheduler_.aliasName(), "Branch") << c.name;
        EXPECT_EQ(window_.TWDatabaseInUse()->text(), "Branch: " + branch) << c.name;
        EXPECT_EQ(BoxTexts(), c.boxes) << c.name;
        EXPECT_EQ(tw_.StatusText(), c.status) << c.name;
        EXPECT_EQ(Child<QLineEdit>(tw_, "AliasInUse")->text(), c.aliasInUse) << c.name;
        EXPECT_EQ(RegistryValue("TW alias name"), c.kept) << c.name;
    }
}

// The tables must not be left on a folder that holds no schedule, and the
// next start must not try it either.
TEST_F(DatabaseSelectionTest, AFailedSwitchLeavesTheProgramOnItsDatabase)
{
    AddAlias("Plain", MakeDatabase("Plain", "crews.dbf"));
    AddAlias("Gone", user_.DataFolder() + "/databases/Gone");
    window_.TWDatabaseInUse()->setText("Home: " + home_);
    window_.Session().State.TablesOpen = true;
    for (const char* alias : {"Plain", "Gone"}) {
        recorder_.Boxes.clear();
        tw_.Fill(0);
        ChooseAlias(tw_, alias);
        tw_.ChangeDefaultsClick();
        EXPECT_EQ(BoxTexts(), QStringList("Error: Invalid database selection")) << alias;
        EXPECT_EQ(QString::fromStdString(window_.Session().State.ScheduleAlias), "Home") << alias;
        EXPECT_EQ(QString::fromStdString(window_.Session().State.ScheduleFolder), home_) << alias;
        EXPECT_EQ(scheduler_.aliasName(), "Home") << alias;
        EXPECT_EQ(window_.TWDatabaseInUse()->text(), "Home: " + home_) << alias;
        EXPECT_EQ(Child<QLineEdit>(tw_, "AliasInUse")->text(), "Home") << alias;
        EXPECT_EQ(RegistryValue("TW alias name"), "Home") << alias;
    }
}

TEST_F(DatabaseSelectionTest, TheEstimatingSwitchNeedsNoScheduleAndAlwaysReports)
{
    const QString bids = MakeDatabase("Bids", "Estimate.dbf");
    AddAlias("Bids", bids);
    window_.Session().State.TablesOpen = false;
    qm_.Fill(0);
    ChooseAlias(qm_, "Bids");
    qm_.ChangeDefaultsClick();
    EXPECT_TRUE(recorder_.Boxes.empty()) << BoxTexts().join(" | ").toStdString();
    EXPECT_EQ(QString::fromStdString(window_.Session().State.EstimatorAlias), "Bids");
    EXPECT_EQ(QString::fromStdString(window_.Session().State.EstimatorFolder), bids);
    EXPECT_EQ(window_.QMDatabaseInUse()->text(), "Bids: " + bids);
    EXPECT_EQ(qm_.StatusText(), "Tarnwick db switched to " + bids);
    EXPECT_EQ(Child<QLineEdit>(qm_, "AliasInUse")->text(), "Bids");
    EXPECT_EQ(RegistryValue("QM alias name"), "Bids");
    EXPECT_EQ(RegistryValue("TW alias name"), "Home");
    EXPECT_EQ(QString::fromStdString(window_.Session().State.ScheduleAlias), "Home");
}

TEST_F(DatabaseSelectionTest, CreateReportsCreatedOrUpdatedOnceTheNamesAreSaved)
{
    const QString branch = MakeDatabase("Branch", "ICharts.dbf");
    const struct {
        const char* name;
        DatabaseSelection& dialog;
        const char* alias;
        QString status;
    } cases[] = {
        {"a new schedule name", tw_, "Branch", "Database name Branch created"},
        {"the same name again", tw_, "Branch", "Database name Branch updated"},
        {"a new estimating name", qm_, "Bids", "Database name Bids created"},
        {"an existing name", qm_, "Home", "Database name Home updated"},
    };
    for (const auto& c : cases) {
        recorder_.Boxes.clear();
        c.dialog.Fill(0);
        c.dialog.show();
        Create(c.dialog, c.alias, branch);
        EXPECT_EQ(c.dialog.StatusText(), QStringLiteral("Saving database name: ") + c.alias) << c.name;
        EXPECT_TRUE(c.dialog.SavePending) << c.name;
        EXPECT_TRUE(c.dialog.WaitOnSave->isActive()) << c.name;
        EXPECT_EQ(c.dialog.WaitOnSave->interval(), 3000) << c.name;

        ReportSave(c.dialog);
        EXPECT_EQ(c.dialog.StatusText(), c.status) << c.name;
        EXPECT_FALSE(c.dialog.SavePending) << c.name;
        EXPECT_FALSE(c.dialog.WaitOnSave->isActive()) << c.name;
        EXPECT_EQ(db::AliasFolder(db::AliasConfig(), c.alias), branch.toStdString()) << c.name;
        EXPECT_EQ(Child<QLineEdit>(c.dialog, "AliasPath")->text(), "") << c.name;
        // The saved name takes effect at once: no advice to close the program.
        EXPECT_TRUE(recorder_.Boxes.empty()) << c.name;
        EXPECT_TRUE(c.dialog.isVisible()) << c.name;
        EXPECT_GE(Child<QComboBox>(c.dialog, "AliasCombo")->findText(c.alias), 0) << c.name;
        c.dialog.hide();
    }
}

// A save that failed must say so, never "created".
TEST_F(DatabaseSelectionTest, AFailedSaveIsReportedAsAnErrorNotAsCreated)
{
    tw_.Fill(0);
    tw_.show();
    const QString names = QString::fromStdString(session_.path());
    ASSERT_TRUE(QFile::remove(names));
    ASSERT_TRUE(QDir().mkpath(names));  // no file can be put in its place now
    Create(tw_, "Branch", MakeDatabase("Branch", "ICharts.dbf"));
    ReportSave(tw_);
    ASSERT_EQ(recorder_.Boxes.size(), 1u);
    EXPECT_EQ(recorder_.Boxes[0].Caption, "Error");
    EXPECT_TRUE(recorder_.Boxes[0].Text.contains(names)) << recorder_.Boxes[0].Text.toStdString();
    EXPECT_EQ(tw_.StatusText(), "");
    EXPECT_FALSE(tw_.SavePending);
    EXPECT_FALSE(tw_.WaitOnSave->isActive());
    EXPECT_TRUE(tw_.isVisible());
}

// The timer may fire while the worker still saves (another copy holds the
// names file): the outcome is reported at a later tick, once there is one.
TEST_F(DatabaseSelectionTest, ASaveStillRunningIsNotReportedYet)
{
    const std::string lockFile = session_.path() + ".lock";
    const int lock = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(lock, 0);
    struct flock held {};
    held.l_type = F_WRLCK;
    held.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(lock, F_OFD_SETLK, &held), 0);

    tw_.Fill(0);
    Create(tw_, "Branch", MakeDatabase("Branch", "ICharts.dbf"));
    tw_.WaitOnSaveTimer();
    EXPECT_EQ(tw_.StatusText(), "Saving database name: Branch");
    EXPECT_TRUE(tw_.SavePending);
    EXPECT_TRUE(tw_.WaitOnSave->isActive());

    ::close(lock);
    ReportSave(tw_);
    EXPECT_EQ(tw_.StatusText(), "Database name Branch created");
    EXPECT_TRUE(recorder_.Boxes.empty());
}

TEST_F(DatabaseSelectionTest, TheProgramFolderIsNoPlaceForADatabase)
{
    QDir().mkpath(QString::fromStdString(window_.Session().State.ProgramFolder));
    tw_.Fill(0);
    tw_.show();
    Create(tw_, "Branch", QString::fromStdString(window_.Session().State.ProgramFolder));
    EXPECT_EQ(BoxTexts(), QStringList("Create database name error: Illegal database location"));
    EXPECT_FALSE(tw_.isVisible());
    EXPECT_FALSE(tw_.SavePending);
    EXPECT_FALSE(session_.AliasExists("Branch"));
}

TEST_F(DatabaseSelectionTest, ChoosingAVolumePointsTheTreeAtItsRoot)
{
    auto* volumes = Child<QComboBox>(tw_, "DriveComboBox");
    const int root = volumes->findText(QDir::rootPath());
    ASSERT_GE(root, 0);
    Child<TFcShellLocator>(tw_, "DirectoryListBox")->SetPathName(home_);
    volumes->setCurrentIndex(root);
    tw_.DriveComboBoxChange();
    EXPECT_EQ(Child<TFcShellLocator>(tw_, "DirectoryListBox")->GetPathName(), QDir::rootPath());
    EXPECT_EQ(tw_.StatusText(), "");
}

TEST(VolumeRoots, TheRootFolderIsAlwaysAVolume)
{
    const struct {
        QStringList mounted;
        QStringList listed;
    } kCases[] = {
        {{}, {"/"}},
        {{"/proc", "/etc/hosts", "/work"}, {"/", "/etc/hosts", "/proc", "/work"}},
        {{"/work", "/", "/work"}, {"/", "/work"}},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(VolumeRoots(c.mounted), c.listed) << c.mounted.join(' ').toStdString();
}

TEST_F(DatabaseSelectionTest, HelpOpensEachDialogsOwnPage)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    testing::PressButton(Child<controls::TFcBitBtn>(tw_, "Help"));
    testing::PressButton(Child<controls::TFcBitBtn>(qm_, "Help"));
    QDesktopServices::unsetUrlHandler("file");
    const QDir folder(QString::fromStdString(window_.Session().State.ProgramFolder));
    EXPECT_EQ(catcher.Opened,
              QList<QUrl>({QUrl::fromLocalFile(folder.filePath("Finding_TW_database.htm")),
                           QUrl::fromLocalFile(folder.filePath("Finding_QM_database.htm"))}));
}

TEST_F(DatabaseSelectionTest, TheUtilitiesPageOpensBothDialogs)
{
    const struct {
        const char* button;
        const char* text;
        const char* hint;
        QDialog* dialog;
    } cases[] = {
        {"TWDbManagement", "Find Tarnwick database", "Locate Tarnwick database", &tw_},
        {"QMDbManagement", "Find Quillmark database", "Locate Quillmark database", &qm_},
    };
    for (const auto& c : cases) {
        auto* button = window_.findChild<controls::TFcBitBtn*>(c.button);
        ASSERT_NE(button, nullptr) << c.button;
        EXPECT_EQ(button->Caption(), c.text);
        EXPECT_EQ(button->toolTip(), c.hint);
        bool shownModally = false;
        QTimer::singleShot(0, c.dialog, [&] {
            shownModally = c.dialog->isModal() && c.dialog->isVisible();
            c.dialog->reject();
        });
        testing::PressButton(button);
        EXPECT_TRUE(shownModally) << c.button;
    }
}

}  // namespace
}  // namespace tw::app
