#include "controls/foundation/fcroutines.h"

#include <gtest/gtest.h>

#include <set>

namespace tw::controls {
namespace {

TEST(FcRoutines, StringRoutines)
{
    EXPECT_EQ(CountChar(u',', QString()), 0);
    EXPECT_EQ(CountChar(u',', QStringLiteral("a,b,,c")), 3);
    EXPECT_EQ(LastChar(QStringLiteral("abc")), QChar(u'c'));

    QString s = QStringLiteral("abc");
    EXPECT_FALSE(RemoveChar(s, u'x'));
    EXPECT_EQ(s, QStringLiteral("abc"));
    s = QStringLiteral("a-b-c");
    EXPECT_TRUE(RemoveChar(s, u'-'));
    EXPECT_EQ(s, QStringLiteral("ab-c"));

    struct Case {
        const char* text;
        int start;
        int count;
        const char* expected;
    };
    const Case cases[] = {
        {"a,b,c", 1, 2, "a,b,"},   // up to and including the second comma
        {"a,b,c", 1, 5, "a,b,c"},  // fewer commas than asked: all of it
        {"a,b,c", 9, 1, "a,b,c"},  // shorter than start
        {"a,b,c", 1, 0, "a"},      // a count of 0 stops at the first other character
        {",,x", 1, 0, ",,x"},      // starting on a comma the count passes 0 and never returns
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CopyEx(QString::fromLatin1(c.text), c.start, u',', c.count),
                  QString::fromLatin1(c.expected))
            << c.text << " " << c.start << " " << c.count;
    }
    int a = 1, b = 2;
    Swap(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(Min(3, -1), -1);
    EXPECT_EQ(Max(3, -1), 3);
}

TEST(FcRoutines, ValidIdentifiers)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"Button1", "Button1"}, {"2 Fast", "Fast"}, {"a b.c", "abc"},
        {"---", "Default"},     {"", "Default"},    {"_x-y", "_xy"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CreateValidIdent(QString::fromLatin1(c.text), QStringLiteral("Default")),
                  QString::fromLatin1(c.expected))
            << c.text;
    }
}

TEST(FcRoutines, NewComponentNames)
{
    const std::set<QString> names{QStringLiteral("Panel"), QStringLiteral("Panel1")};
    const auto taken = [&](const QString& n) { return names.count(n) > 0; };
    EXPECT_EQ(GetNewComponentName(taken, QStringLiteral("Panel"), true), QStringLiteral("Panel2"));
    EXPECT_EQ(GetNewComponentName(taken, QStringLiteral("Edit"), true), QStringLiteral("Edit"));
    EXPECT_EQ(GetNewComponentName(taken, QStringLiteral("Edit"), false), QStringLiteral("Edit1"));

    QObject owner;
    QObject panel(&owner);
    panel.setObjectName(QStringLiteral("Panel"));
    EXPECT_EQ(GetNewComponentName(&owner, QStringLiteral("Panel"), true), QStringLiteral("Panel1"));
    EXPECT_EQ(GetNewComponentName(&owner, QStringLiteral("Label"), true), QStringLiteral("Label"));
}

TEST(FcRoutines, IsoWeekNumbers)
{
    struct Case {
        int y, m, d, week;
    };
    const Case cases[] = {
        {2010, 1, 1, 53},   // a Friday: still the last week of 2009
        {2008, 12, 31, 1},  // a Wednesday: already the first week of 2009
        {2010, 1, 4, 1},    {2009, 12, 31, 53}, {2015, 12, 31, 53},
        {2016, 1, 3, 53},   {2021, 1, 4, 1},    {2024, 12, 30, 1},  // leap year ending on a Tuesday
        {2020, 12, 31, 53},                                         // leap year ending on a Thursday
        {2026, 6, 15, 25},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WeekOf(EncodeDate(c.y, c.m, c.d) + 0.75), c.week) << c.y << "-" << c.m << "-" << c.d;
}

TEST(FcRoutines, CalendarSteps)
{
    const TDateTime jan31 = EncodeDate(2024, 1, 31) + 0.5;
    EXPECT_EQ(IncMonth(jan31, 1), EncodeDate(2024, 2, 29) + 0.5);
    EXPECT_EQ(IncMonth(jan31, -2), EncodeDate(2023, 11, 30) + 0.5);
    EXPECT_EQ(IncYear(EncodeDate(2024, 2, 29), 1), EncodeDate(2025, 2, 28));
    EXPECT_EQ(IncDay(EncodeDate(2024, 2, 28), 2), EncodeDate(2024, 3, 1));
    EXPECT_DOUBLE_EQ(IncHour(EncodeDate(2024, 1, 1), 36), EncodeDate(2024, 1, 2) + 0.5);
    EXPECT_DOUBLE_EQ(IncMinute(EncodeDate(2024, 1, 1), -90), EncodeDate(2023, 12, 31) + 22.5 / 24);
}

TEST(FcRoutines, DesktopLessTaskBar)
{
    const TRect desk{0, 0, 1000, 800};
    struct Case {
        TRect bar;
        TRect expected;
    };
    const Case cases[] = {
        {{0, 760, 1000, 800}, {0, 0, 1000, 760}},  // bottom
        {{0, 0, 1000, 40}, {0, 40, 1000, 800}},    // top
        {{0, 0, 60, 800}, {60, 0, 1000, 800}},     // left
        {{940, 0, 1000, 800}, {0, 0, 940, 800}},   // right
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopClientRect(desk, c.bar), c.expected);
    EXPECT_EQ(DesktopClientRect(desk, std::nullopt), desk);
}

TEST(FcRoutines, CentringStaysOnTheWorkArea)
{
    // Centred over the reference when it fits.
    EXPECT_EQ(CenterInWorkArea({100, 100, 500, 400}, 200, 100, {0, 0, 1000, 800}), (TPlacement{200, 200}));
    // Past the right and bottom: pulled back in.
    EXPECT_EQ(CenterInWorkArea({900, 750, 1000, 800}, 200, 100, {0, 0, 1000, 800}), (TPlacement{800, 700}));
    // A monitor left of and above the primary one: the window stays on it
    // rather than being pushed to x = 0, y = 0 (the other monitor).
    const TRect leftMonitor{-1280, -200, 0, 824};
    EXPECT_EQ(CenterInWorkArea({-1280, -200, -1180, -100}, 400, 300, leftMonitor), (TPlacement{-1280, -200}));
    EXPECT_EQ(CenterInWorkArea({-800, 100, -400, 500}, 200, 100, leftMonitor), (TPlacement{-700, 250}));
}

}  // namespace
}  // namespace tw::controls
