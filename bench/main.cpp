// The front end against a plain loop of the system calls it needs, side by side, then the
// front end alone on archives of growing size: time per track and peak memory.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_archive.h"
#include "plain_loop.h"

namespace {

using Clock = std::chrono::steady_clock;

struct SSample {
    double m_dSeconds = 0;
    long m_nMaxRssKiB = 0;
};

// One run of the front end in strDir, its messages thrown away.
SSample RunFrontEnd(const std::string& strDir) {
    const auto start = Clock::now();
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (::chdir(strDir.c_str()) != 0 || !std::freopen("/dev/null", "w", stderr)) ::_exit(126);
        ::execl(ZT_CLI_PATH, ZT_CLI_PATH, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int nStatus = 0;
    rusage usage{};
    if (::wait4(pid, &nStatus, 0, &usage) != pid) throw std::runtime_error("wait4 failed");
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    if (!WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0)
        throw std::runtime_error("the front end did not succeed");
    return {elapsed.count(), usage.ru_maxrss};
}

SSample RunPlainLoop(const std::string& strDir) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(strDir);
    const auto start = Clock::now();
    PlainLoop();
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    std::filesystem::current_path(previous);
    return {elapsed.count(), 0};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Require(bool bHolds, const char* pszWhat) {
    if (!bHolds) throw std::runtime_error(pszWhat);
}

// First run and re-run, front end and loop interleaved so that both meet the same machine.
void SideBySide(int nRounds) {
    CBenchArchive archive(100, 100);
    std::vector<double> frontFirst, frontAgain, loopFirst, loopAgain;
    for (int r = 0; r < nRounds; ++r) {
        archive.Untag();
        frontFirst.push_back(RunFrontEnd(archive.Root()).m_dSeconds);
        Require(archive.CountTagged() == archive.Tracks(), "front end left tracks untagged");
        frontAgain.push_back(RunFrontEnd(archive.Root()).m_dSeconds);
        archive.Untag();
        loopFirst.push_back(RunPlainLoop(archive.Root()).m_dSeconds);
        Require(archive.CountTagged() == archive.Tracks(), "plain loop left tracks untagged");
        loopAgain.push_back(RunPlainLoop(archive.Root()).m_dSeconds);
    }
    const auto n = static_cast<double>(archive.Tracks());
    std::printf("100 albums x 100 tracks, median of %d rounds\n", nRounds);
    std::printf("%-22s %12s %12s %7s %14s %14s\n", "run", "front end ms", "plain ms", "ratio",
                "front tracks/s", "plain tracks/s");
    const auto Row = [n](const char* pszRun, double dFront, double dLoop) {
        std::printf("%-22s %12.1f %12.1f %7.2f %14.0f %14.0f\n", pszRun, dFront * 1e3, dLoop * 1e3,
                    dFront / dLoop, n / dFront, n / dLoop);
    };
    Row("first run (untagged)", Median(frontFirst), Median(loopFirst));
    Row("re-run (all tagged)", Median(frontAgain), Median(loopAgain));
}

void Scale(const std::vector<std::size_t>& sizes, int nRounds) {
    std::printf("\nfront end alone, median of %d rounds\n", nRounds);
    std::printf("%9s %16s %16s %16s %16s\n", "tracks", "first us/track", "re-run us/track",
                "first max KiB", "re-run max KiB");
    for (const std::size_t nTracks : sizes) {
        CBenchArchive archive(nTracks / 100, 100);
        std::vector<double> first, again;
        long nFirstRss = 0, nAgainRss = 0;
        for (int r = 0; r < nRounds; ++r) {
            archive.Untag();
            const SSample a = RunFrontEnd(archive.Root());
            const SSample b = RunFrontEnd(archive.Root());
            first.push_back(a.m_dSeconds);
            again.push_back(b.m_dSeconds);
            nFirstRss = std::max(nFirstRss, a.m_nMaxRssKiB);
            nAgainRss = std::max(nAgainRss, b.m_nMaxRssKiB);
        }
        Require(archive.CountTagged() == archive.Tracks(), "front end left tracks untagged");
        const auto n = static_cast<double>(nTracks);
        std::printf("%9zu %16.2f %16.2f %16ld %16ld\n", nTracks, Median(first) / n * 1e6,
                    Median(again) / n * 1e6, nFirstRss, nAgainRss);
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // --quick: a smaller, faster pass, to see that the benchmark works.
    const bool bQuick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    try {
        SideBySide(bQuick ? 1 : 5);
        if (bQuick)
            Scale({1000, 10000}, 1);
        else
            Scale({1000, 10000, 100000}, 3);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zt-bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
