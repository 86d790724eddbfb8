#include "platform/datetime/localetexts.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <gtest/gtest.h>

namespace tw::locale {
namespace {

class LocaleTexts : public ::testing::Test {
protected:
    void SetUp() override { PinLocale("en_US"); }
    void TearDown() override { PinLocale("en_US"); }
    const TDateTime morning = EncodeDate(2026, 12, 8) + EncodeTime(10, 15, 0, 0);
    const TDateTime afternoon = EncodeDate(2026, 12, 8) + EncodeTime(14, 30, 5, 7);
};

TEST_F(LocaleTexts, UnitedStatesFormats)
{
    EXPECT_EQ(DateToStr(morning), "12/8/2026");
    EXPECT_EQ(TimeToStr(morning), "10:15:00 AM");
    EXPECT_EQ(DateTimeToStr(morning), "12/8/2026 10:15:00 AM");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2026, 12, 8)), "12/8/2026");
}

TEST_F(LocaleTexts, TwentyFourHourDayFirstLocale)
{
    PinLocale("de_DE");
    EXPECT_EQ(TimeToStr(afternoon), "14:30:05");
    EXPECT_EQ(DateToStr(afternoon), "08.12.2026");
}

TEST_F(LocaleTexts, PatternSpecifiers)
{
    struct Case {
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {"yyyy-mm-dd hh:nn:ss.zzz", "2026-12-08 14:30:05.007"},
        {"d/m/yy", "8/12/26"},
        {"h:mm am/pm", "2:30 pm"},  // m after h means minutes
        {"H:MM AM/PM", "2:30 PM"},
        {"h a/p", "2 p"},
        {"hh:nn AMPM", "02:30 PM"},
        {"ddd mmm d", "Tue Dec 8"},
        {"dddd, mmmm", "Tuesday, December"},
        {"\"at\" h 'o''clock'", "at 14 oclock"},
        {"ddddd", "12/8/2026"},
        {"tt", "2:30:05 PM"},
        {"hh:nn", "14:30"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.pattern, afternoon), c.expected) << c.pattern;
}

// Qt reads m as minutes: a pattern handed over untranslated shows month 0.
TEST_F(LocaleTexts, PatternsTranslateToQtsNotation)
{
    struct Case {
        const char* pattern;
        const char* qt;
    };
    const Case cases[] = {
        {"m/d/yyyy", "M/d/yyyy"},
        {"dd.mm.yy", "dd.MM.yy"},
        {"ddd mmm d", "ddd MMM d"},
        {"dddd, mmmm", "dddd, MMMM"},
        {"h:mm am/pm", "h:mm ap"},  // m after h means minutes
        {"hh:nn:ss.zzz AMPM", "hh:mm:ss.zzz AP"},
        {"\"at\" h 'o''clock'", "'at' h 'o''clock'"},
        {"ddddd", "M/d/yyyy"},
        {"t", "h:mm AP"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QtPattern(c.pattern), c.qt) << c.pattern;
}

// Every locale's date picker shows the date the program writes for it.
TEST_F(LocaleTexts, ThePickersShortDateMatchesTheProgramsInEveryLocale)
{
    for (const char* name : {"en_US", "de_DE", "C", "en_GB", "fr_FR", "ja_JP"}) {
        PinLocale(name);
        for (const TDateTime day : {EncodeDate(2026, 10, 23), EncodeDate(2027, 3, 5)}) {
            const DateFields d = DecodeDate(day);
            const QString shown = QLocale(QString::fromStdString(Formats().name))
                                      .toString(QDate(d.year, d.month, d.day),
                                                QString::fromStdString(QtShortDatePattern()));
            EXPECT_EQ(shown.toStdString(), DateToStr(day)) << name << " " << QtShortDatePattern();
        }
    }
}

TEST_F(LocaleTexts, MidnightAndNoonOnTheTwelveHourClock)
{
    EXPECT_EQ(FormatDateTime("h:nn AMPM", EncodeDate(2026, 1, 1)), "12:00 AM");
    EXPECT_EQ(FormatDateTime("h:nn AMPM", EncodeDate(2026, 1, 1) + 0.5), "12:00 PM");
}

TEST_F(LocaleTexts, ReadsDatesInTheShortDateOrder)
{
    TDateTime d = 0;
    ASSERT_TRUE(TryStrToDate("12/8/2026", d));
    EXPECT_DOUBLE_EQ(d, EncodeDate(2026, 12, 8));
    ASSERT_TRUE(TryStrToDate("1/2/26", d));
    EXPECT_DOUBLE_EQ(d, EncodeDate(2026, 1, 2));
    EXPECT_FALSE(TryStrToDate("13/1/2026", d));
    EXPECT_FALSE(TryStrToDate("", d));
    EXPECT_FALSE(TryStrToDate("12/x/2026", d));

    PinLocale("de_DE");
    ASSERT_TRUE(TryStrToDate("8.12.2026", d));
    EXPECT_DOUBLE_EQ(d, EncodeDate(2026, 12, 8));
}

// A time as typed into a time field, on the 12-hour and the 24-hour clock.
TEST_F(LocaleTexts, ReadsTypedTimes)
{
    PinLocale("en_US");
    const struct {
        const char* Text;
        double Minutes;  // -1: refused
    } cases[] = {
        {"7:00 AM", 7 * 60}, {" 7:00 am ", 7 * 60}, {"12:00 AM", 0},  {"12:30 PM", 12 * 60 + 30},
        {"1:15PM", 13 * 60 + 15}, {"13:30", 13 * 60 + 30}, {"0:05", 5}, {"13:00 PM", -1},
        {"25:00", -1}, {"7", -1}, {"7:60", -1}, {"noon", -1}, {"", -1}, {"7:00 XM", -1},
    };
    for (const auto& c : cases) {
        TDateTime t = -5;
        const bool read = TryStrToTime(c.Text, t);
        EXPECT_EQ(read, c.Minutes >= 0) << c.Text;
        if (read)
            EXPECT_NEAR(t * 24 * 60, c.Minutes, 1e-6) << c.Text;
        else
            EXPECT_EQ(t, -5) << c.Text;
    }
}

}  // namespace
}  // namespace tw::locale
