// The setup dialog as a new user meets it from the main window: opened by the
// Utilities tab's Setup button on the page last shown, its changes taken by
// the running program at once (balloon help, the job status texts on the Add
// / Edit / Query tab, a calendar for every resource), and a refused "Log in"
// ending the program.
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "app/password.h"
#include "query/querypage.h"
#include "settings/utilitiespage.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcchoicegroup.h"
#include "controls/choices/fcglyphbutton.h"
#include "controls/tabs/fcpagecontrol.h"
#include "platform/datetime/localetexts.h"
#include "sampleschedule.h"
#include "settings/setupdialog.h"
#include "testapplication.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

namespace tw::app {
namespace {

class SetupWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen);
        examples::FillSampleSchedule(window, EncodeDate(2026, 12, 7));
        window.TabControl()->setCurrentIndex(UtilitiesPage);
        window.show();
        window.StartClock()->stop();
        QCoreApplication::processEvents();
    }

    settings::TQMSetup& Dialog() { return window.Features().Utilities->SetupDialog(); }
    template <typename T = QWidget>
    T* Find(const char* name)
    {
        T* widget = Dialog().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Presses the Utilities tab's Setup button, runs what the user does in
    // the dialog, and closes it with its close box when the user left it open.
    void OpenFromUtilities(const std::function<void()>& user)
    {
        bool ran = false;
        QTimer::singleShot(0, &Dialog(), [&] {
            ran = true;
            user();
            if (Dialog().isVisible())
                Dialog().reject();
        });
        window.Features().Utilities->Page()->findChild<controls::TFcBitBtn*>("SetupQM")->Click();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(Dialog().isVisible());
    }

    std::set<std::int32_t> CalendarOwners()
    {
        db::Table& calendars = window.Session().Data().CalendarTable;
        std::set<std::int32_t> owners;
        for (calendars.first(); !calendars.eof(); calendars.next())
            owners.insert(static_cast<std::int32_t>(calendars.fieldByName("CREWID").asInteger()));
        return owners;
    }

    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    TMainScreen window;
};

TEST_F(SetupWindowTest, TheSetupButtonOpensTheLastPageAndTheProgramTakesTheChanges)
{
    window.Session().State.HelpLevel = 0;
    auto* pages = Dialog().findChild<controls::TFcPageControl*>("GeneralSetupTabs");
    OpenFromUtilities([&] {
        EXPECT_EQ(pages->ActivePage(), Dialog().QuickBooksSetupTab())
            << "the first time: the accounting page";
        pages->SetActivePage(Dialog().GeneralSetupTab());
        Find<controls::TFcRadioGroup>("HelpLevelSelection")->Button(1)->Click();
        EXPECT_EQ(window.Session().State.HelpLevel, 1) << "balloon help goes off at once";
    });
    OpenFromUtilities([&] {
        EXPECT_EQ(pages->ActivePage(), Dialog().GeneralSetupTab()) << "the page last shown";
        pages->SetActivePage(Dialog().JobStatusTab());
        Find<QLineEdit>("PendingD")->setText(" Quoted ");
        Find<controls::TFcBitBtn>("SaveJobStatusDefs")->Click();
    });
    EXPECT_EQ(window.Session().Settings.JobStatusTexts.value(5), "Quoted");
    auto* pending = window.Features().Query->Page()->findChild<controls::TFcRadioButton*>("TaskStatus5");
    ASSERT_NE(pending, nullptr);
    EXPECT_EQ(pending->Caption(), "Quoted");
    EXPECT_TRUE(recorder.Boxes.empty());
    EXPECT_EQ(recorder.TerminateRequests, 0);
}

TEST_F(SetupWindowTest, ACalendarForEachResourceGivesEveryResourceItsRecord)
{
    ASSERT_EQ(window.Session().State.WorkCalendarMode, 0);
    std::set<std::int32_t> resources;
    db::Table& crews = window.Session().Data().CrewsTable;
    for (crews.first(); !crews.eof(); crews.next())
        resources.insert(static_cast<std::int32_t>(crews.fieldByName("CREWID").asInteger()));
    ASSERT_GE(resources.size(), 2u);
    window.Session().State.ChartRefreshNeeded = false;
    OpenFromUtilities([&] {
        Dialog()
            .findChild<controls::TFcPageControl*>("GeneralSetupTabs")
            ->SetActivePage(Dialog().GeneralSetupTab());
        Find<controls::TFcRadioGroup>("WorkCalendar")->Button(1)->Click();
        Find<controls::TFcBitBtn>("GeneralSettingsOK")->Click();
    });
    EXPECT_EQ(window.Session().State.WorkCalendarMode, 1);
    EXPECT_TRUE(window.Session().State.ChartRefreshNeeded);
    const std::set<std::int32_t> owners = CalendarOwners();
    for (std::int32_t id : resources)
        EXPECT_TRUE(owners.count(id)) << "resource " << id;
    window.Session().Data().MyCompanyTable.first();
    EXPECT_EQ(window.Session().Data().MyCompanyTable.fieldByName("PAPERO").asInteger(), 1);
}

TEST_F(SetupWindowTest, TheAccountingLinkSharesTheRunsSettingsWithTheDialog)
{
    window.Session().Settings.QBEdition = 1;
    window.Session().Settings.QBCompanyFile = "/srv/books/Shop.QBW";
    exchange::ExchangeSettings& accounting = Dialog().AccountingSettings();
    EXPECT_EQ(accounting.QBEdition(), 1) << "before the dialog was ever shown";
    EXPECT_EQ(accounting.QBCompanyFile(), "/srv/books/Shop.QBW");
    // An exchange's edition check corrects the edition and passes.
    accounting.SetQBAccessChecked(true);
    accounting.SetQBEdition(0);
    accounting.WriteUSCAN(0);
    EXPECT_EQ(window.Session().Settings.QBEdition, 0);
    db::Table& setup = window.Session().Data().QBSetupTable;
    setup.first();
    EXPECT_EQ(setup.fieldByName("USCAN").asInteger(), 0);
    OpenFromUtilities([&] {
        EXPECT_EQ(Find<controls::TFcRadioGroup>("QuickBooksEdition")->ItemIndex(), 0);
        EXPECT_EQ(Find<QLineEdit>("CompanyPath")->text(), "/srv/books/Shop.QBW");
    });
    EXPECT_TRUE(accounting.QBAccessChecked()) << "showing the dialog keeps the check's result";
}

TEST_F(SetupWindowTest, ARefusedLogInEndsTheProgram)
{
    TPassword password;
    window.Features().Startup->SetPasswordDialog(&password);
    OpenFromUtilities([&] {
        Dialog()
            .findChild<controls::TFcPageControl*>("GeneralSetupTabs")
            ->SetActivePage(Dialog().SecurityTab());
        QTimer::singleShot(0, &password, [&] { password.reject(); });
        Find<controls::TFcBitBtn>("CallLogin")->Click();
        EXPECT_FALSE(Dialog().isVisible());
    });
    EXPECT_EQ(recorder.TerminateRequests, 1);
    EXPECT_TRUE(window.Session().State.QuitWithoutSaving);
    EXPECT_FALSE(window.Session().Flags.PasswordAccepted);
}

}  // namespace
}  // namespace tw::app
