// Work done in a child process, so that a hang, a crash or a changed identity stays there.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>

struct SChildResult {
    bool m_bTimedOut = false;
    int m_nStatus = 0;         // as waitpid gives it
    std::string m_strOutput;   // what the child wrote to its pipe (or its standard error)
    struct rusage m_usage {};  // the child's own, from wait4
};

// Runs fnBody in a forked child that writes to the descriptor it is given; the child's result
// is its exit status. A child still running after timeout is killed.
SChildResult RunInChild(const std::function<int(int fdOut)>& fnBody,
                        std::chrono::milliseconds timeout);

// Starts the headless front end in strDir with its standard error on a pipe; fnSetUp runs in
// the child just before the program is started (limits, say).
pid_t StartCli(const std::string& strDir, int* pfdStderr,
               const std::function<void()>& fnSetUp = {});
// Waits for a child started by StartCli, reading its standard error to the end.
SChildResult WaitCli(pid_t pid, int fdStderr);
// Starts, then waits.
SChildResult RunCli(const std::string& strDir, const std::function<void()>& fnSetUp = {});

// The exit status, or -1 when the child did not exit normally.
int ExitStatus(const SChildResult& result);
