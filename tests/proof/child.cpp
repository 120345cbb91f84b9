#include "child.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

namespace {

// Reads fd to its end, or until the deadline; gives false on the deadline.
bool ReadAll(int fd, std::string& strOut, std::chrono::steady_clock::time_point deadline) {
    char buffer[4096];
    for (;;) {
        const auto nLeft = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (nLeft.count() <= 0) return false;
        pollfd pfd{fd, POLLIN, 0};
        const int r = ::poll(&pfd, 1, static_cast<int>(nLeft.count()));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return true;
        strOut.append(buffer, static_cast<std::size_t>(n));
    }
}

SChildResult Collect(pid_t pid, int fd, std::chrono::milliseconds timeout) {
    SChildResult result;
    if (!ReadAll(fd, result.m_strOutput, std::chrono::steady_clock::now() + timeout)) {
        result.m_bTimedOut = true;
        ::kill(pid, SIGKILL);
    }
    ::close(fd);
    while (::wait4(pid, &result.m_nStatus, 0, &result.m_usage) < 0 && errno == EINTR) {
    }
    return result;
}

}  // namespace

// Forks with a pipe from the child to us. In the parent gives the child's pid and *pfdRead;
// in the child runs fnChild with the pipe's writing end and leaves with its result.
pid_t ForkWithPipe(const std::function<int(int fdWrite)>& fnChild, int* pfdRead) {
    int fds[2];
    if (::pipe(fds) != 0) throw std::runtime_error("pipe failed");
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::close(fds[0]);
        ::_exit(fnChild(fds[1]));
    }
    ::close(fds[1]);
    *pfdRead = fds[0];
    return pid;
}

SChildResult RunInChild(const std::function<int(int fdOut)>& fnBody,
                        std::chrono::milliseconds timeout) {
    int fd = -1;
    const pid_t pid = ForkWithPipe(fnBody, &fd);
    return Collect(pid, fd, timeout);
}

pid_t StartCli(const std::string& strDir, int* pfdStderr, const std::function<void()>& fnSetUp) {
    return ForkWithPipe(
        [&](int fdWrite) {
            ::dup2(fdWrite, STDERR_FILENO);
            ::close(fdWrite);
            if (::chdir(strDir.c_str()) != 0) return 126;
            if (fnSetUp) fnSetUp();
            ::execl(ZT_CLI_PATH, ZT_CLI_PATH, static_cast<char*>(nullptr));
            return 127;
        },
        pfdStderr);
}

SChildResult WaitCli(pid_t pid, int fdStderr) {
    return Collect(pid, fdStderr, std::chrono::minutes(2));
}

SChildResult RunCli(const std::string& strDir, const std::function<void()>& fnSetUp) {
    int fd = -1;
    const pid_t pid = StartCli(strDir, &fd, fnSetUp);
    return WaitCli(pid, fd);
}

int ExitStatus(const SChildResult& result) {
    return WIFEXITED(result.m_nStatus) ? WEXITSTATUS(result.m_nStatus) : -1;
}
