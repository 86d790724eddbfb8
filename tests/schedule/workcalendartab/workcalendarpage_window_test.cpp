#include "schedule/workcalendartab/workcalendarpage.h"

#include "pressbutton.h"
#include "../schedule/workcalendartab/calendartables.h"
#include "app/appservices.h"
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "controls/fccalendar.h"
#include "controls/fccmbobx.h"
#include "platform/datetime/localetexts.h"
#include "testapplication.h"

#include <QDateTimeEdit>
#include <QFile>
#include "controls/choices/fcglyphbutton.h"
#include "controls/panels/fcgroupbox.h"
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextCharFormat>

#include <QStyle>
#include <QStyleOptionComboBox>

#include <gtest/gtest.h>

#include "support/calendarink.h"
#include "support/recordinguserinterface.h"

namespace tw::app {
namespace {

using schedule::testing::CalendarTables;

class WorkCalendarPageTest : public ::testing::Test, public schedule::CalendarSchedule {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        state.StartupDone = true;
    }

    void Attach(TWorkCalendarPage& p) { p.Attach(tables.Cursors(), state, holidays, recorded, *this); }
    template <typename T>
    T* Find(const char* name)
    {
        T* widget = page.findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void RecomputeAllTaskEnds() override { ++recomputations; }
    void Click(const char* button) { testing::PressButton(Find<controls::TFcBitBtn>(button)); }
    // A check box as the user changes it: its handler runs.
    void Toggle(const char* box) { Find<controls::TFcCheckBox>(box)->ChangeState(); }
    QString Text(const char* edit) { return Find<QLineEdit>(edit)->text(); }
    bool ShownBold(QDate date)
    {
        const auto* calendar = Find<controls::TFcCalendar>("HolidayCalendar");
        return calendar->dateTextFormat(date).fontWeight() == QFont::Bold;
    }

    testing::ApplicationInUse application;
    CalendarTables tables;
    data::MainScreenState state;
    schedule::HolidayList holidays;
    data::RecordingUserInterface recorded;
    int recomputations = 0;
    TWorkCalendarPage page;
};

TEST_F(WorkCalendarPageTest, ComponentsCarryTheirCaptions)
{
    const struct {
        const char* name;
        const char* caption;
    } captions[] = {
        {"WorkingDaysPanel", "Working days"},
        {"HoursPanel", "Working hours"},
        {"StartDayPanel", "Start working day at"},
        {"EndDayPanel", "End working day at"},
        {"StartDownPanel2", "Start daily down time"},
        {"EndDownPanel3", "End daily down time"},
        {"WorkingHoursPanel", "Working hours"},
        {"CalendarSelectionPanel", "Select resource"},
        {"HolidaysPanel", "Holidays for all"},
        {"CalendarOk", "Save"},
        {"Create247", "Create 24 / 7 calendar"},
        {"SetHoliday", "Specify a holiday"},
        {"ClearHoliday", "Remove a holiday"},
        {"ClearAllHolidays", "Remove all holidays"},
        {"Saturday", "Saturday"},
        {"SpecifyWorkingDay", "Specify working day"},
        {"SpecifyDownTime3", "Specify down time 3"},
        {"Override", "Override calculated hours per day"},
    };
    for (const auto& c : captions) {
        EXPECT_EQ(Find<controls::TFcControl>(c.name)->Caption(), c.caption) << c.name;
    }
    EXPECT_EQ(Find<controls::TFcBitBtn>("Create247")->toolTip(), "Set calendar for seven day, 24 hour working week.");
    EXPECT_EQ(Find<QWidget>("HolidayCalendar")->toolTip(), "Holidays are in boldface");
    EXPECT_TRUE(Find<QLineEdit>("WorkingHours")->isReadOnly());
    EXPECT_TRUE(Find<QLineEdit>("WorkingHoursPerWeek")->isReadOnly());
}

TEST_F(WorkCalendarPageTest, OneCalendarForAllShowsTheDefaultWithTheListDisabled)
{
    Attach(page);
    page.RefreshWorkCalendar();
    auto* list = Find<controls::TFcCustomComboBox>("ResourceList");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->currentText(), "Default for all resources");
    EXPECT_FALSE(Find<controls::TFcGroupBox>("CalendarSelectionPanel")->isEnabled());
    EXPECT_EQ(Find<controls::TFcGroupBox>("HoursPanel")->Caption(), "Working hours for all");
    EXPECT_EQ(Find<controls::TFcGroupBox>("WorkingDaysPanel")->Caption(), "Working days for all");
    EXPECT_TRUE(Find<controls::TFcCheckBox>("Monday")->Checked());
    EXPECT_FALSE(Find<controls::TFcCheckBox>("Sunday")->Checked());
    EXPECT_EQ(Find<QDateTimeEdit>("EndDayTime")->time(), QTime(18, 0));
    EXPECT_EQ(Find<QDateTimeEdit>("StartDownTime3")->time(), QTime(14, 0));
    EXPECT_EQ(Text("WorkingHours"), "8.5");
    EXPECT_EQ(Text("WorkingHoursPerWeek"), "42.5");
}

TEST_F(WorkCalendarPageTest, TheResourceChoiceShowsItsWholeText)
{
    Attach(page);
    page.RefreshWorkCalendar();
    page.resize(page.sizeHint());
    page.show();
    auto* list = Find<controls::TFcCustomComboBox>("ResourceList");
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QRect text =
        list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    EXPECT_GE(text.width(), list->fontMetrics().horizontalAdvance(list->currentText()))
        << list->currentText().toStdString();
    // The documentation's picture, written only on request.
    const QString folder = qEnvironmentVariable("TARNWICK_SCREENSHOTS");
    if (!folder.isEmpty()) {
        page.resize(980, 700);
        EXPECT_TRUE(page.grab().save(folder + "/work-calendar.png"));
    }
}

TEST_F(WorkCalendarPageTest, ChoosingAResourceShowsItsCalendarUnlessTablesAreBusy)
{
    state.WorkCalendarMode = 1;
    state.CurrentResourceId = 3;
    tables.AddResource(7, "Anna");
    tables.AddResource(3, "Ben");
    Attach(page);
    page.RefreshWorkCalendar();
    auto* list = Find<controls::TFcCustomComboBox>("ResourceList");
    EXPECT_TRUE(Find<controls::TFcGroupBox>("CalendarSelectionPanel")->isEnabled());
    EXPECT_EQ(list->currentText(), "Ben");
    EXPECT_EQ(Find<controls::TFcGroupBox>("HoursPanel")->Caption(), "Working hours for Ben");

    state.TablesBusy = true;
    list->setCurrentIndex(0);
    EXPECT_EQ(Find<controls::TFcGroupBox>("HoursPanel")->Caption(), "Working hours for Ben");
    state.TablesBusy = false;
    list->setCurrentIndex(1);
    list->setCurrentIndex(0);
    EXPECT_EQ(Find<controls::TFcGroupBox>("HoursPanel")->Caption(), "Working hours for Anna");
    EXPECT_EQ(Find<controls::TFcGroupBox>("WorkingDaysPanel")->Caption(), "Working days for Anna");
}

TEST_F(WorkCalendarPageTest, TheBoxesSwitchThePanelsAndTheFiguresFollow)
{
    Attach(page);
    page.RefreshWorkCalendar();
    Toggle("SpecifyDownTime2");
    EXPECT_FALSE(Find<controls::TFcGroupBox>("StartDownPanel2")->isEnabled());
    EXPECT_EQ(Text("WorkingHours"), "9");
    Toggle("Friday");
    EXPECT_EQ(Text("WorkingHoursPerWeek"), "36");

    Toggle("SpecifyWorkingDay");
    for (const char* box : {"SpecifyDownTime1", "SpecifyDownTime2", "SpecifyDownTime3"}) {
        EXPECT_FALSE(Find<controls::TFcCheckBox>(box)->Checked()) << box;
        EXPECT_FALSE(Find<controls::TFcCheckBox>(box)->isEnabled()) << box;
    }
    EXPECT_FALSE(Find<controls::TFcGroupBox>("StartDayPanel")->isEnabled());
    EXPECT_FALSE(Find<controls::TFcGroupBox>("EndDownPanel1")->isEnabled());
    EXPECT_EQ(Text("WorkingHours"), "24");
    EXPECT_EQ(Text("WorkingHoursPerWeek"), "96");

    Toggle("SpecifyWorkingDay");
    EXPECT_TRUE(Find<controls::TFcCheckBox>("SpecifyDownTime1")->isEnabled());
    EXPECT_EQ(Text("WorkingHours"), "10");

    Find<QDateTimeEdit>("EndDayTime")->setTime(QTime(17, 0));
    EXPECT_EQ(Text("WorkingHours"), "9");
}

TEST_F(WorkCalendarPageTest, OverriddenHoursThatAreNoNumberAreRefusedOnSave)
{
    Attach(page);
    page.RefreshWorkCalendar();
    auto* hours = Find<QLineEdit>("WorkingHours");
    Toggle("Override");
    EXPECT_FALSE(hours->isReadOnly());
    hours->clear();
    QTest::keyClicks(hours, "6");
    EXPECT_EQ(Text("WorkingHoursPerWeek"), "30");
    QTest::keyClicks(hours, "x");
    EXPECT_EQ(Text("WorkingHoursPerWeek"), "0");

    Click("CalendarOk");
    ASSERT_EQ(recorded.Messages.size(), 1u);
    EXPECT_EQ(recorded.Messages[0].text, "Work calendar has no working hours");
    EXPECT_EQ(recorded.Messages[0].caption, "Work calendar error");
    EXPECT_EQ(recomputations, 0);

    Toggle("Override");
    EXPECT_TRUE(hours->isReadOnly());
    EXPECT_EQ(Text("WorkingHours"), "8.5");
}

TEST_F(WorkCalendarPageTest, SaveWritesTheCalendarRecomputesTasksAndSaysSo)
{
    Attach(page);
    page.RefreshWorkCalendar();
    Toggle("Saturday");
    Find<QDateTimeEdit>("EndDayTime")->setTime(QTime(18, 40));
    Click("CalendarOk");
    EXPECT_TRUE(recorded.Messages.empty());
    EXPECT_EQ(recomputations, 1);
    EXPECT_EQ(recorded.Status[0], "Schedule tasks updated");
    EXPECT_EQ(recorded.Status[1], "Work calendar saved");
    EXPECT_TRUE(state.ChartRefreshNeeded);
    EXPECT_EQ(Find<QDateTimeEdit>("EndDayTime")->time(), QTime(18, 45));

    ASSERT_TRUE(tables.CalendarTable.locate("CREWID", 0.0));
    EXPECT_TRUE(tables.CalendarTable.fieldByName("SATURDAY").asBoolean());
    EXPECT_EQ(tables.CalendarTable.fieldByName("THOURSDY").asFloat(), 9.25);
}

TEST_F(WorkCalendarPageTest, HolidaysShowInBoldAsTheyAreSpecifiedAndRemoved)
{
    Attach(page);
    page.LoadHolidays();
    auto* calendar = Find<controls::TFcCalendar>("HolidayCalendar");
    calendar->setSelectedDate(QDate(2026, 12, 25));
    EXPECT_FALSE(ShownBold(QDate(2026, 12, 25)));

    Click("SetHoliday");
    EXPECT_EQ(recorded.Status[0], "12/25/2026 added as holiday");
    EXPECT_TRUE(ShownBold(QDate(2026, 12, 25)));
    calendar->setSelectedDate(QDate(2026, 12, 31));
    Click("SetHoliday");
    EXPECT_TRUE(ShownBold(QDate(2026, 12, 31)));

    Click("ClearHoliday");
    EXPECT_EQ(recorded.Status[0], "12/31/2026 removed as holiday");
    EXPECT_FALSE(ShownBold(QDate(2026, 12, 31)));
    EXPECT_TRUE(ShownBold(QDate(2026, 12, 25)));

    Click("ClearAllHolidays");
    EXPECT_EQ(recorded.Status[0], "All holidays removed");
    EXPECT_FALSE(ShownBold(QDate(2026, 12, 25)));
}

// Drawn, not only formatted: the holiday's digits take more ink, under the
// locale the process runs in (see the LocaleRuns tests in CMakeLists.txt).
TEST_F(WorkCalendarPageTest, LocaleRunsAHolidayIsDrawnBold)
{
    locale::PinLocale("");
    Attach(page);
    page.LoadHolidays();
    page.resize(900, 600);
    auto* calendar = Find<controls::TFcCalendar>("HolidayCalendar");
    calendar->setSelectedDate(QDate(2026, 12, 10));
    calendar->setCurrentPage(2026, 12);
    const int plain = tw::testing::InkOfDay(*calendar, 25);
    calendar->setSelectedDate(QDate(2026, 12, 25));
    Click("SetHoliday");
    calendar->setSelectedDate(QDate(2026, 12, 10));
    const int bold = tw::testing::InkOfDay(*calendar, 25);
    ASSERT_GT(plain, 0);
    EXPECT_GT(bold, plain);
    EXPECT_EQ(holidays.Days(),
              std::vector<std::int64_t>{static_cast<std::int64_t>(EncodeDate(2026, 12, 25))});
    locale::PinLocale("en_US");
}

TEST_F(WorkCalendarPageTest, TwentyFourSevenChecksEveryDayAndTakesTheHolidays)
{
    tables.AddHoliday(1, EncodeDate(2026, 12, 24));
    Attach(page);
    page.RefreshWorkCalendar();
    page.LoadHolidays();
    Find<controls::TFcCalendar>("HolidayCalendar")->setCurrentPage(2026, 12);
    EXPECT_TRUE(ShownBold(QDate(2026, 12, 24)));

    Click("Create247");
    for (const char* day : {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"})
        EXPECT_TRUE(Find<controls::TFcCheckBox>(day)->Checked()) << day;
    EXPECT_FALSE(Find<controls::TFcCheckBox>("SpecifyWorkingDay")->Checked());
    EXPECT_EQ(Text("WorkingHours"), "24");
    EXPECT_EQ(Text("WorkingHoursPerWeek"), "168");
    EXPECT_FALSE(ShownBold(QDate(2026, 12, 24)));
    EXPECT_TRUE(holidays.Texts().empty());
    EXPECT_EQ(recomputations, 0);
}

TEST_F(WorkCalendarPageTest, TheMainWindowCarriesThePageOnItsWorkCalendarTab)
{
    testing::FreshUser user;
    testing::Recorder recorder;
    TMainScreen window;
    TWorkCalendarPage* inWindow = window.Features().Calendar->Page();
    ASSERT_NE(inWindow, nullptr);
    EXPECT_TRUE(window.TabControl()->widget(TMainScreen::CalendarPage)->isAncestorOf(inWindow));

    // Before the tables are attached the calendar members do nothing.
    window.Features().Calendar->ShowWorkCalendar(0);
    EXPECT_EQ(tables.CalendarTable.recordCount(), 0);

    Attach(*inWindow);
    window.Features().Calendar->FillCalendarResourceList(true);
    window.Features().Calendar->SelectCalendarResource(0);
    window.Features().Calendar->ShowWorkCalendar(0);
    EXPECT_EQ(tables.CalendarTable.recordCount(), 1);
    EXPECT_EQ(inWindow->findChild<controls::TFcGroupBox*>("HoursPanel")->Caption(), "Working hours for all");
    tables.AddHoliday(1, EncodeDate(2026, 12, 24));
    window.Features().Calendar->LoadHolidays();
    EXPECT_EQ(holidays.Texts(), std::vector<std::string>{"12/24/2026"});
}

TEST_F(WorkCalendarPageTest, ItsHelpPageGoesIntoTheProgramFolderAndTheContentsLinkToIt)
{
    testing::FreshUser user;
    ASSERT_TRUE(InstallHelpPages(user.ProgramFolder()).isEmpty());
    QFile page(user.ProgramFolder() + "/Work_calendar.htm");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("Create 24 / 7 calendar"));
    QFile contents(user.ProgramFolder() + "/Table_of_contents.htm");
    ASSERT_TRUE(contents.open(QIODevice::ReadOnly));
    EXPECT_TRUE(contents.readAll().contains("href=\"Work_calendar.htm\""));
}

}  // namespace
}  // namespace tw::app
