#pragma once
// The settings of one run that the start-up reads and the setup dialog and
// the Utilities page change: the database names and folders (the alias file,
// params.dbf and the folder choices) and the help level with the chart's
// hints (params.dbf). The run's state (mainstate.h) holds them as its base;
// a reader that only reads them takes this part by const&.

#include <string>

namespace tw::data {

struct SessionSettings {
    int HelpLevel = 0;
    int HintMode = 0;
    bool HintDetail = false;

    // Database names and folders.
    std::string ScheduleAlias;
    std::string EstimatorAlias;
    std::string ScheduleFolder;
    std::string ProgramFolder;
    std::string EstimatorFolder;
    std::string BackupFolder;
    std::string RestoreFolder;
};

}  // namespace tw::data
