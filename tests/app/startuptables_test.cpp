// The start-up's reads of the settings tables and the shutdown's write, on
// the program folder's own new tables, without a window.
#include "app/startuptables.h"
#include "data/services/tablecreation.h"
#include "platform/db/table.h"
#include "testfolder.h"

#include <gtest/gtest.h>

namespace tw::app {
namespace {

class StartupTablesTest : public testing::TestFolder {
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        std::filesystem::create_directories(dir_);
        data::CreateMissingProgramTables(dir_.string());
        for (auto [table, file] : {std::pair{&params_, "params.dbf"}, std::pair{&qbSetup_, "qbsetup.dbf"},
                                   std::pair{&email_, "eparams.dbf"}}) {
            table->setFolder(dir_.string());
            table->setTableName(file);
            table->open();
        }
        flags_.StartMoment = 46000.5;
    }

    SettingsTables Tables() { return {params_, qbSetup_, email_, company_}; }
    StartupSettingsTables Store() { return {Tables(), state_, settings_, chart_, flags_}; }

    db::Table params_, qbSetup_, email_, company_;  // no company record: the table stays closed
    data::MainScreenState state_;
    RunSettings settings_;
    ChartState chart_;
    RunFlags flags_;
};

TEST_F(StartupTablesTest, WhatTheShutdownSavesTheNextStartReadsBack)
{
    state_.HelpLevel = 1;
    state_.HintMode = 3;
    state_.HintDetail = false;
    state_.ReadOnlyCopy = true;
    state_.AverageRate = 42.5;
    settings_.SetupChoice1 = 2;
    settings_.SetupChoice2 = 4;
    settings_.RestrictCustomer = true;
    chart_.ChartSortBy = 3;
    chart_.ChartStartAt = 46010.25;
    chart_.ChartEndAt = 46040.75;
    Store().SaveRunSettings(CalendarPage, 17, 23, 5);

    data::MainScreenState state;
    RunSettings settings;
    ChartState chart;
    StartupSettingsTables next(Tables(), state, settings, chart, flags_);
    next.ReadFirstSettings();
    next.ReadChartPeriod();
    next.ReadSelectionSettings();
    next.ReadBackupSettings();
    next.ReadSortChoice();
    EXPECT_EQ(state.HelpLevel, 1);
    EXPECT_EQ(state.HintMode, 3);
    EXPECT_FALSE(state.HintDetail);
    EXPECT_TRUE(state.ReadOnlyCopy);
    EXPECT_DOUBLE_EQ(state.AverageRate, 42.5);
    EXPECT_EQ(state.CurrentResourceId, 5);
    EXPECT_EQ(settings.SetupChoice1, 2);
    EXPECT_EQ(settings.SetupChoice2, 4);
    EXPECT_TRUE(settings.RestrictCustomer);
    EXPECT_EQ(settings.SavedPage, CalendarPage);
    EXPECT_EQ(settings.SavedCustomerId, 17);
    EXPECT_EQ(settings.SavedScheduleItemId, 23);
    EXPECT_EQ(chart.ChartSortBy, 3);
    EXPECT_DOUBLE_EQ(chart.ChartStartAt, 46010.25);
    EXPECT_DOUBLE_EQ(chart.ChartEndAt, 46040.75);
    EXPECT_DOUBLE_EQ(chart.TaskStartDate, flags_.StartMoment);
    EXPECT_DOUBLE_EQ(chart.TaskEndDate, flags_.StartMoment + 7);
}

TEST_F(StartupTablesTest, ABlankRecordGivesTheDefaults)
{
    StartupSettingsTables store = Store();
    store.ReadChartPeriod();
    store.ReadJobStatusTexts();
    store.ReadEmailSettings();
    EXPECT_DOUBLE_EQ(chart_.ChartStartAt, flags_.StartMoment);
    EXPECT_DOUBLE_EQ(chart_.ChartEndAt, flags_.StartMoment + 15.0 / (24 * 60));
    EXPECT_EQ(settings_.JobStatusTexts,
              (QStringList{"Awarded", "Closed", "In progress", "None", "Not awarded", "Pending"}));
    // A port of 0 is no port: the default is stored for the next start.
    EXPECT_EQ(settings_.Email.SmtpPort, 25);
    email_.first();
    EXPECT_EQ(email_.fieldByName("EMAILPRT").asInteger(), 25);
    // Without the company's table the mode stays as it is.
    state_.WorkCalendarMode = 1;
    EXPECT_EQ(store.ReadWorkCalendarMode(), 1);
    EXPECT_EQ(store.StoredPassword(), "");
}

TEST_F(StartupTablesTest, TheIndexesAreRebuiltEveryFewDaysAndOnAFirstRun)
{
    const struct {
        double daysSinceReindex;
        bool firstRun;
        bool due;
    } kCases[] = {
        {1, false, false}, {5, false, false}, {5.9, false, false}, {6, false, true}, {1, true, true}};
    for (const auto& c : kCases) {
        params_.first();
        params_.edit();
        params_.fieldByName("RIDATE1").setAsDate(std::trunc(flags_.StartMoment)
                                                 - std::trunc(c.daysSinceReindex));
        params_.post();
        state_.FirstRun = c.firstRun;
        EXPECT_EQ(Store().ReindexDue(), c.due) << c.daysSinceReindex << " days, first run " << c.firstRun;
    }
}

TEST_F(StartupTablesTest, AFirstRunStoresTheInstallersBackupFolderAndCreatesIt)
{
    state_.FirstRun = true;
    state_.RestoreFolder = (dir_ / "Restore").string();
    settings_.FirstRunPaths.Backups = (dir_ / "Backups").string();
    Store().SetUpBackupFolders();
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "Backups"));

    data::MainScreenState later;
    StartupSettingsTables(Tables(), later, settings_, chart_, flags_).SetUpBackupFolders();
    EXPECT_EQ(later.BackupFolder, (dir_ / "Backups").string());
    EXPECT_EQ(later.RestoreFolder, (dir_ / "Restore").string());
}

// The page format code is two per size plus one for landscape; any
// orientation but portrait is landscape, and an unknown size keeps the code.
TEST_F(StartupTablesTest, PageFormatCodeFromSizeAndOrientation)
{
    const struct { int size, orientation, code; } cases[] = {
        {0, 0, 0}, {0, 1, 1}, {1, 0, 2}, {1, 1, 3}, {2, 0, 4}, {2, 1, 5},
        {1, 2, 3}, {2, 7, 5}, {0, -1, 1},
        {3, 0, 9}, {-1, 1, 9},  // unknown sizes keep the code before
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "size " << c.size << ", orientation " << c.orientation);
        if (params_.isEmpty())
            params_.append();
        else
            params_.edit();
        params_.fieldByName("PAPERSZ").setAsInteger(c.size);
        params_.fieldByName("PAPERO").setAsInteger(c.orientation);
        params_.post();
        settings_.PaperCode = 9;
        Store().ReadPageFormat();
        EXPECT_EQ(settings_.PaperCode, c.code);
    }
}

}  // namespace
}  // namespace tw::app
