// The General page: showing changes no setting, the edition and its access
// check, balloon help, chart hints, the work-calendar mode and Save.
#include "setupfixture.h"

#include <gtest/gtest.h>

namespace tw::settings::testing {
namespace {

class GeneralTest : public SetupTest {
protected:
    void SetUp() override
    {
        SetupTest::SetUp();
        settings_.QBEdition = 1;
        settings_.QBAccessChecked = true;
        settings_.HelpLevel = 1;
        settings_.ChartHintLevel = 2;
        settings_.ShowAssignedResources = false;
        settings_.WorkCalendarMode = settings_.LastWorkCalendarMode = 1;
        settings_.ResourceDisplayMode = 1;
        Write(company_, [](db::Table& t) { t.fieldByName("PAPERO").setAsInteger(1); });
    }
};

TEST_F(GeneralTest, ShowingLoadsTheControlsAndChangesNoSetting)
{
    logic_->ShowSetup();
    EXPECT_EQ(view_.Edition, 1);
    EXPECT_EQ(view_.HelpLevel, 1);
    EXPECT_EQ(view_.HintLevel, 2);
    EXPECT_FALSE(view_.ShowResources);
    EXPECT_EQ(view_.WorkCalendar, 1);
    EXPECT_EQ(view_.ResourceDisplay, 1);

    // The handlers the loaded controls would raise change nothing either.
    logic_->QuickBooksEditionClick();
    logic_->WorkCalendarClick();
    logic_->HelpLevelSelectionClick();
    logic_->TaskHintLevelClick();
    EXPECT_TRUE(settings_.QBAccessChecked);
    EXPECT_EQ(settings_.HelpLevel, 1);
    EXPECT_EQ(settings_.ChartHintLevel, 2);
    EXPECT_FALSE(settings_.ShowAssignedResources);
    EXPECT_EQ(host_.Calls, (std::vector<std::string>{"help level 1"}))
        << "no calendar records, no recompute of every task";
    EXPECT_EQ(StoredCompanyMode(), 1);
}

TEST_F(GeneralTest, HandlersAreIdleUntilShown)
{
    view_.Edition = 0;
    view_.WorkCalendar = 0;
    view_.HelpLevel = 0;
    logic_->QuickBooksEditionClick();
    logic_->WorkCalendarClick();
    logic_->HelpLevelSelectionClick();
    logic_->GeneralSettingsOKClick();
    EXPECT_EQ(settings_.QBEdition, 1);
    EXPECT_EQ(settings_.WorkCalendarMode, 1);
    EXPECT_EQ(settings_.HelpLevel, 1);
    EXPECT_TRUE(host_.Calls.empty());
    EXPECT_EQ(view_.Closes, 0);
}

TEST_F(GeneralTest, AnotherEditionClearsTheAccessCheckTheSameDoesNot)
{
    logic_->ShowSetup();
    view_.Edition = 1;
    logic_->QuickBooksEditionClick();
    EXPECT_TRUE(settings_.QBAccessChecked);
    view_.Edition = 0;
    logic_->QuickBooksEditionClick();
    EXPECT_FALSE(settings_.QBAccessChecked);
    EXPECT_EQ(settings_.QBEdition, 0);

    // The accounting edition check changes the box itself.
    settings_.QBAccessChecked = true;
    logic_->SetEditionClickEnabled(false);
    view_.Edition = 2;
    logic_->QuickBooksEditionClick();
    EXPECT_TRUE(settings_.QBAccessChecked);
    EXPECT_EQ(settings_.QBEdition, 0);
}

TEST_F(GeneralTest, HelpAndHintChoicesApplyAtOnce)
{
    logic_->ShowSetup();
    view_.HelpLevel = 0;
    logic_->HelpLevelSelectionClick();
    EXPECT_EQ(settings_.HelpLevel, 0);
    EXPECT_EQ(host_.Calls, (std::vector<std::string>{"help level 0"}));

    view_.HintLevel = 3;
    view_.ShowResources = true;
    logic_->ShowResourcesClick();
    EXPECT_EQ(settings_.ChartHintLevel, 3);
    EXPECT_TRUE(settings_.ShowAssignedResources);

    settings_.TablesOpen = false;
    view_.HintLevel = 0;
    logic_->TaskHintLevelClick();
    EXPECT_EQ(settings_.ChartHintLevel, 3) << "nothing while the tables are closed";
}

TEST_F(GeneralTest, ChangingTheWorkCalendarModeStoresItAndRecomputes)
{
    logic_->ShowSetup();
    view_.WorkCalendar = 0;
    logic_->WorkCalendarClick();
    EXPECT_EQ(settings_.WorkCalendarMode, 0);
    EXPECT_EQ(settings_.LastWorkCalendarMode, 0);
    EXPECT_EQ(StoredCompanyMode(), 0);
    EXPECT_EQ(host_.Calls, (std::vector<std::string>{"company record changed", "recompute task ends"}));

    host_.Calls.clear();
    view_.WorkCalendar = 1;
    logic_->WorkCalendarClick();
    EXPECT_EQ(StoredCompanyMode(), 1);
    EXPECT_EQ(host_.Calls, (std::vector<std::string>{"resource calendars", "company record changed",
                                                     "recompute task ends"}));
}

TEST_F(GeneralTest, SaveStoresEditionAndDisplayAndShowsTheCalendarMode)
{
    logic_->ShowSetup();
    view_.Edition = 0;
    view_.ResourceDisplay = 0;
    view_.WorkCalendar = 0;
    logic_->GeneralSettingsOKClick();
    EXPECT_EQ(StoredNumber("qbsetup.dbf", "USCAN"), 0);
    EXPECT_EQ(StoredNumber("qbsetup.dbf", "MATCH"), 0);
    EXPECT_EQ(settings_.QBEdition, 0);
    EXPECT_EQ(settings_.ResourceDisplayMode, 0);
    EXPECT_EQ(settings_.WorkCalendarMode, 0);
    EXPECT_EQ(host_.Calls, (std::vector<std::string>{"calendar mode 0"}));
    EXPECT_EQ(view_.Closes, 1);
    EXPECT_FALSE(logic_->Shown());
    // The settings were brought up to date before loading and handed back on closing.
    EXPECT_EQ(host_.Showings, 1);
    EXPECT_EQ(host_.Changes, 1);
}

}  // namespace
}  // namespace tw::settings::testing
