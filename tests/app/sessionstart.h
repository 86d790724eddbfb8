#pragma once
// A running session without a window, as a workstation's first run starts
// one, for the tests of what works on the session alone.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "app/session/appsession.h"
#include "data/services/userinterface.h"
#include "platform/db/table.h"

namespace tw::app::testing {

// A session on its own program folder (folder/name) and the shared schedule
// folder (folder/schedule), its tables open as a first run opens them.
inline std::unique_ptr<AppSession> StartFirstRunSession(const std::filesystem::path& folder,
                                                        const std::string& name, data::UserInterface& ui)
{
    const std::filesystem::path program = folder / name;
    const std::filesystem::path schedule = folder / "schedule";
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(schedule);
    auto session = std::make_unique<AppSession>((folder / (name + ".aliases")).string());
    session->Interface().Attach(&ui);
    data::TEstimateData& d = session->Data();
    d.Aliases.AddStandardAlias("TWUXData", program.string());
    d.Aliases.AddStandardAlias("DOZOrez", schedule.string());
    d.ParametersDatabase.setAliasName("TWUXData");
    d.SchedulerDatabase.setAliasName("DOZOrez");
    session->State.ProgramFolder = program.string();
    session->State.ScheduleFolder = schedule.string();
    session->State.FirstRun = true;
    d.Bind(session->State);
    session->Tables().OpenAllTables(false);
    return session;
}

// Key -> description and hours of every schedule item of a table.
using ScheduleItems = std::map<std::int32_t, std::pair<std::string, double>>;

inline ScheduleItems ItemsOf(db::Table& t)
{
    ScheduleItems out;
    t.refresh();
    for (t.first(); !t.eof(); t.next())
        out[t.fieldByName("CHARTSID").asInteger()] = {t.fieldByName("DESC").asString(),
                                                      t.fieldByName("HOURS").asFloat()};
    return out;
}

}  // namespace tw::app::testing
