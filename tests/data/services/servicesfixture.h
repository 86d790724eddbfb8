#pragma once
// Two workstation folders in one: a program folder and a schedule folder of
// their own per test, the database names in a scratch alias file, and the data
// module with the table operations over them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <stdlib.h>

#include "data/services/estimatedata.h"
#include "data/services/mainstate.h"
#include "data/services/networklock.h"
#include "data/services/tableoperations.h"
#include "data/services/userinterface.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/tableops.h"

namespace tw::data::testing {

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::locale::PinLocale("en_US");
        char tmpl[] = "/tmp/twservicesXXXXXX";
        root_ = ::mkdtemp(tmpl);
        program_ = root_ + "/program";
        schedule_ = root_ + "/schedule";
        std::filesystem::create_directories(program_);
        std::filesystem::create_directories(schedule_);
        data_ = std::make_unique<TEstimateData>(root_ + "/aliases.conf");
        data_->Aliases.AddStandardAlias("TWUXData", program_);
        data_->Aliases.AddStandardAlias("DOZOrez", schedule_);
        data_->ParametersDatabase.setAliasName("TWUXData");
        data_->SchedulerDatabase.setAliasName("DOZOrez");
        state_.ProgramFolder = program_;
        state_.ScheduleFolder = schedule_;
        state_.FirstRun = true;
        data_->Bind(state_, hooks_);
        lock_ = std::make_unique<NetworkLock>(data_->AccessTable, state_, ui_);
        ops_ = std::make_unique<TableOperations>(*data_, state_, ui_, *lock_);
    }

    void TearDown() override
    {
        ops_.reset();
        lock_.reset();
        data_.reset();
        std::filesystem::remove_all(root_);
    }

    // Opens every table of a new installation, then forgets what was shown.
    void OpenFreshTables()
    {
        ops_->OpenAllTables(true);
        ASSERT_TRUE(state_.TablesOpen);
        ASSERT_TRUE(ui_.Messages.empty()) << ui_.Messages.front().text;
        state_.FirstRun = false;
    }

    // A table of the given fields in a folder, replacing what is there.
    static void WriteTable(const std::string& folder, const std::string& name,
                           const std::vector<db::FieldDef>& fields,
                           const std::vector<db::IndexDef>& indexes = {})
    {
        db::CreateTable(folder, name, fields, indexes, true);
    }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream f(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    }

    std::string root_, program_, schedule_;
    MainScreenState state_;
    DataModuleHooks hooks_;
    RecordingUserInterface ui_;
    std::unique_ptr<TEstimateData> data_;
    std::unique_ptr<NetworkLock> lock_;
    std::unique_ptr<TableOperations> ops_;
};

}  // namespace tw::data::testing
