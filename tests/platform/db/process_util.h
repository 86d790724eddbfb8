#pragma once
// Runs the helper program (tool/tw_db_tool.cpp) as another process.
#include <string>
#include <vector>

#include "support/childprocess.h"

namespace tw::db::test {

inline pid_t Spawn(const std::vector<std::string>& args)
{
    return tw::testing::SpawnTool(TW_DB_TOOL, args);
}

// The exit code, or -1 when the process did not exit by itself.
inline int Wait(pid_t pid)
{
    return tw::testing::WaitExitCode(pid);
}

}  // namespace tw::db::test
