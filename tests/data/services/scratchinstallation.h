#pragma once
// A new installation in a scratch folder: a program folder and a schedule
// folder, their database names in an alias file of its own, and the data
// module with the table operations over them. Nothing is opened yet; the first
// OpenAllTables makes every table (FirstRun is set).
//
// The tests, the benchmark and the layout-writing tool all start from one.

#include <filesystem>
#include <memory>
#include <string>

#include <stdlib.h>

#include "data/services/estimatedata.h"
#include "data/services/mainstate.h"
#include "data/services/networklock.h"
#include "data/services/tableoperations.h"
#include "data/services/userinterface.h"
#include "support/recordinguserinterface.h"

namespace tw::data::testing {

class ScratchInstallation {
public:
    // root: an existing folder to work in and leave behind; empty for a
    // temporary folder that goes with this object.
    explicit ScratchInstallation(std::string root = {})
    {
        ownsRoot_ = root.empty();
        if (ownsRoot_) {
            char tmpl[] = "/tmp/twservicesXXXXXX";
            root = ::mkdtemp(tmpl);
        }
        root_ = root;
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
        data_->Bind(state_);
        lock_ = std::make_unique<NetworkLock>(data_->AccessTable, state_, ui_);
        ops_ = std::make_unique<TableOperations>(*data_, state_, ui_, *lock_);
    }

    ~ScratchInstallation()
    {
        ops_.reset();
        lock_.reset();
        data_.reset();
        if (ownsRoot_)
            std::filesystem::remove_all(root_);
    }

    ScratchInstallation(const ScratchInstallation&) = delete;
    ScratchInstallation& operator=(const ScratchInstallation&) = delete;

public:
    bool ownsRoot_ = false;
    std::string root_, program_, schedule_;
    MainScreenState state_;
    RecordingUserInterface ui_;
    std::unique_ptr<TEstimateData> data_;
    std::unique_ptr<NetworkLock> lock_;
    std::unique_ptr<TableOperations> ops_;
};

}  // namespace tw::data::testing
