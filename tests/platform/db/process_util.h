#pragma once
// Runs the helper program (tool/tw_db_tool.cpp) as another process.
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace tw::db::test {

inline pid_t Spawn(const std::vector<std::string>& args)
{
    pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv;
        std::string tool = TW_DB_TOOL;
        argv.push_back(tool.data());
        std::vector<std::string> copy = args;
        for (auto& a : copy) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(tool.c_str(), argv.data());
        ::_exit(127);
    }
    return pid;
}

// The exit code, or -1 when the process did not exit by itself.
inline int Wait(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tw::db::test
