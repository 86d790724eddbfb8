// The arithmetic of the task editor's length, spin, validation and cost.
#include <gtest/gtest.h>

#include "schedule/calendars.h"
#include "tasks/editor/lengthrules.h"

namespace tw::tasks {
namespace {

using schedule::testing::Time;

// Monday to Friday, 8:00 to 16:00.
schedule::WorkCalendar EightHourWeekdays()
{
    schedule::CalendarRecord r;
    r.START1 = Time(8, 0);
    r.END1 = Time(16, 0);
    return schedule::testing::Loaded(r);
}

TEST(LengthRules, LengthsInEveryUnitBecomeQuarterHoursOfTheCalendar)
{
    const schedule::WorkCalendar calendar = EightHourWeekdays();
    const struct {
        const char* length;
        int unit;
        float hours;
    } rows[] = {
        {"1", UnitDays, 8.0f},      {"1", UnitWeeks, 40.0f},
        {"1", UnitMonths, 173.5f},  // 40 x 52 / 12 = 173.33, up to the quarter
        {"0.1", UnitHours, 0.25f},  {"2.25", UnitHours, 2.25f},
        {" 1.5 ", UnitDays, 12.0f}, {"abc", UnitDays, 0.0f},  // not a number: no hours, no failure
        {"-3", UnitHours, 0.0f},    {"", UnitHours, 0.0f},
        {"1,5", UnitHours, 1.5f},  // as a decimal-comma locale writes it
        {"1,5.0", UnitHours, 0.0f}, {"1,000,5", UnitHours, 0.0f},
        {"1,000", UnitHours, 0.0f},  // a thousand or one: refused, not guessed
        {"1,25", UnitHours, 1.25f},
    };
    for (const auto& row : rows)
        EXPECT_FLOAT_EQ(LengthToHours(calendar, row.unit, row.length), row.hours)
            << row.length << " in unit " << row.unit;
}

TEST(LengthRules, SpinButtonsStopAtTheirLowerLimits)
{
    const struct {
        const char* length;
        int unit;
        bool up;
        const char* result;
    } rows[] = {
        {"0.50", UnitHours, false, "0.25"},     {"0.25", UnitHours, false, "0.25"},
        {"0.1", UnitHours, false, "0.25"},      {"0.25", UnitHours, true, "0.50"},
        {"19200", UnitHours, true, "19200.25"},  // the limit is the length handler's business
        {"1.0", UnitDays, false, "1.0"},        {"2", UnitWeeks, false, "1.0"},
        {"2", UnitMonths, true, "3.0"},         {"x", UnitDays, true, "1.0"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SpinLength(row.length, row.unit, row.up), row.result)
            << row.length << (row.up ? " up" : " down") << " in unit " << row.unit;
}

TEST(LengthRules, WholeLengthKeepsTextThatIsNoNumber)
{
    EXPECT_EQ(WholeLength("2.75"), "2");
    EXPECT_EQ(WholeLength("-1.5"), "-1");
    EXPECT_EQ(WholeLength("two"), "two");
}

TEST(LengthRules, ValidationRefusesWithTheTextTheUserSees)
{
    const struct {
        const char* length;
        const char* rate;
        const char* description;
        const char* refusal;
    } rows[] = {
        {"0", "10", "Paint", "Enter task length"},       {"-1", "10", "Paint", "Enter task length"},
        {"one", "10", "Paint", "Enter task length"},     {"1", "-5", "Paint", "Enter task hourly rate"},
        {"1", "ten", "Paint", "Enter task hourly rate"}, {"1", "", "Paint", "Enter task hourly rate"},
        {"1", "10", "   ", "Enter task description"}, {"1", "1,000", "Paint", "Enter task hourly rate"},
    };
    for (const auto& row : rows) {
        const Validation v = ValidateTaskInput(row.length, row.rate, row.description);
        EXPECT_FALSE(v.Input.has_value()) << row.refusal;
        EXPECT_EQ(v.Refusal, row.refusal);
    }
    const Validation ok = ValidateTaskInput("1", " 37.5 ", "  " + std::string(50, 'x') + " ");
    ASSERT_TRUE(ok.Input.has_value());
    EXPECT_EQ(ok.Input->Description, std::string(41, 'x'));
    EXPECT_EQ(ok.Input->HourlyRate.ToText(2), "37.50");
    EXPECT_TRUE(ValidateTaskInput("1", "0", "Free work").Input.has_value());
    EXPECT_EQ(ValidateTaskInput("1,5", "37,25", "Paint").Input->HourlyRate.ToText(2), "37.25");
}

TEST(LengthRules, TotalCostCutsTheProductToFourDecimals)
{
    EXPECT_EQ(TotalCost(*Currency::FromText("37.5"), 7.25f).ToText(), "271.8750");
    // 0.3333 x 0.25 = 0.083325: cut, not rounded, at the fourth decimal.
    EXPECT_EQ(TotalCost(*Currency::FromText("0.3333"), 0.25f).ToText(), "0.0833");
    EXPECT_EQ(TotalCost(Currency(), 19200.0f).ToText(), "0.0000");
}

TEST(LengthRules, NumberedDescriptionReplacesTheLastWord)
{
    EXPECT_EQ(NumberedDescription("Mow lawn", 0), "Mow 1");
    EXPECT_EQ(NumberedDescription("Mow 1", 1), "Mow 2");
    EXPECT_EQ(NumberedDescription("Mow", 2), "Mow 3");
}

}  // namespace
}  // namespace tw::tasks
