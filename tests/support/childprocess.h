#pragma once
// A helper program of a test run in a process of its own, and its exit code.

#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace tw::testing {

inline pid_t SpawnTool(std::string tool, std::vector<std::string> args)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv{tool.data()};
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(tool.c_str(), argv.data());
        ::_exit(127);
    }
    return pid;
}

// The child's exit code; -1 when a signal ended it.
inline int WaitExitCode(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tw::testing
