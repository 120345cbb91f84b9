// The real front end, as a whole process: killed mid-run, run twice at once, short of
// descriptors, short of room. The archive stays whole every time.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "../../tagger/id3v1.h"
#include "../../tagger/tagging.h"
#include "../support/archive.h"
#include "child.h"

namespace fs = std::filesystem;

namespace {

struct STrackFile {
    std::string m_strPath;
    std::string m_strBytes;
    std::string m_strSongTitle;
};

std::vector<STrackFile> MakeTracks(int nAlbums, int nPerAlbum, std::size_t nSize = 200,
                                   std::size_t nSpread = 7) {
    std::vector<STrackFile> tracks;
    for (int a = 0; a < nAlbums; ++a) {
        for (int t = 0; t < nPerAlbum; ++t) {
            const std::string strTitle = "Song " + std::to_string(t);
            tracks.push_back({"Album " + std::to_string(a) + "/" + std::to_string(10 + t % 90) +
                                  " - " + strTitle + ".mp3",
                              TrackBytes(nSize + static_cast<std::size_t>(t) % nSpread), strTitle});
        }
    }
    return tracks;
}

void WriteTracks(const std::string& strRoot, const std::vector<STrackFile>& tracks) {
    for (const STrackFile& track : tracks) {
        const fs::path path = fs::path(strRoot) / track.m_strPath;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary | std::ios::trunc) << track.m_strBytes;
    }
}

// Takes the blocks off again: every track is its original bytes or those plus a block.
void UntagTracks(const std::string& strRoot, const std::vector<STrackFile>& tracks) {
    for (const STrackFile& track : tracks)
        fs::resize_file(fs::path(strRoot) / track.m_strPath, track.m_strBytes.size());
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Checks that every track is as it was or as it was plus exactly its block; gives how many
// carry their block.
std::size_t CountTagged(const std::string& strRoot, const std::vector<STrackFile>& tracks) {
    std::size_t nTagged = 0;
    for (const STrackFile& track : tracks) {
        const std::string strNow = ReadAll(fs::path(strRoot) / track.m_strPath);
        if (strNow == track.m_strBytes) continue;
        EXPECT_EQ(strNow, Tagged(track.m_strBytes, track.m_strSongTitle)) << track.m_strPath;
        ++nTagged;
    }
    return nTagged;
}

std::vector<std::string> Lines(const std::string& strText) {
    std::vector<std::string> lines;
    for (std::size_t i = 0, j; (j = strText.find('\n', i)) != std::string::npos; i = j + 1)
        lines.push_back(strText.substr(i, j - i));
    return lines;
}

void SetLimit(int nResource, rlim_t nLimit) {
    const rlimit limit{nLimit, nLimit};
    if (::setrlimit(nResource, &limit) != 0) ::_exit(125);
}

TEST(WholeProcess, KilledAtRandomMomentsLeavesEveryTrackWhole) {
    CTempArchive archive;
    const auto tracks = MakeTracks(20, 100);
    WriteTracks(archive.Root(), tracks);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(ExitStatus(RunCli(archive.Root())), 0);
    const auto full = std::chrono::steady_clock::now() - start;

    const unsigned nSeed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << nSeed);
    std::mt19937 random(nSeed);
    std::uniform_int_distribution<long long> delay(
        0, std::chrono::duration_cast<std::chrono::microseconds>(full).count());
    int nMidRun = 0;
    for (int nRound = 0; nRound < 30; ++nRound) {
        UntagTracks(archive.Root(), tracks);
        int fd = -1;
        const pid_t pid = StartCli(archive.Root(), &fd);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(pid, SIGKILL);
        WaitCli(pid, fd);
        const std::size_t nTagged = CountTagged(archive.Root(), tracks);
        if (nTagged > 0 && nTagged < tracks.size()) ++nMidRun;
        if (HasFailure()) return;
    }
    RecordProperty("kills_mid_run", nMidRun);
    EXPECT_GT(nMidRun, 0);
    // Whatever the kill left, a run afterwards completes the archive.
    EXPECT_EQ(ExitStatus(RunCli(archive.Root())), 0);
    EXPECT_EQ(CountTagged(archive.Root(), tracks), tracks.size());
}

TEST(WholeProcess, TwoCopiesAtOnceNeverGiveAFileTwoBlocks) {
    CTempArchive archive;
    const auto tracks = MakeTracks(20, 100);
    WriteTracks(archive.Root(), tracks);
    int nRefused = 0;
    for (int nRound = 0; nRound < 10; ++nRound) {
        UntagTracks(archive.Root(), tracks);
        int fdFirst = -1, fdSecond = -1;
        const pid_t first = StartCli(archive.Root(), &fdFirst);
        const pid_t second = StartCli(archive.Root(), &fdSecond);
        for (const SChildResult& copy : {WaitCli(first, fdFirst), WaitCli(second, fdSecond)}) {
            EXPECT_EQ(ExitStatus(copy), 0) << copy.m_strOutput;
            auto lines = Lines(copy.m_strOutput);
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines.back(), kTextTagsWritten);
            lines.pop_back();
            for (const std::string& strLine : lines) {
                // A track the other copy holds, or changed meanwhile, is refused.
                EXPECT_EQ(strLine, kTextFileNotFound);
                ++nRefused;
            }
        }
        CountTagged(archive.Root(), tracks);
        if (HasFailure()) return;
    }
    RecordProperty("refused_openings", nRefused);
    EXPECT_EQ(ExitStatus(RunCli(archive.Root())), 0);
    EXPECT_EQ(CountTagged(archive.Root(), tracks), tracks.size());
}

TEST(WholeProcess, AFewDozenDescriptorsServeThousandsOfTracks) {
    CTempArchive archive;
    const auto tracks = MakeTracks(30, 100);
    WriteTracks(archive.Root(), tracks);
    // Untagged, then all tagged: a descriptor left open per track would soon make openings fail.
    for (int nRun = 0; nRun < 2; ++nRun) {
        const SChildResult run = RunCli(archive.Root(), [] { SetLimit(RLIMIT_NOFILE, 24); });
        EXPECT_EQ(ExitStatus(run), 0);
        EXPECT_EQ(Lines(run.m_strOutput), std::vector<std::string>{std::string(kTextTagsWritten)});
    }
    EXPECT_EQ(CountTagged(archive.Root(), tracks), tracks.size());
}

TEST(WholeProcess, AFileSizeLimitEndsTheRunWithTheTrackUnchanged) {
    CTempArchive archive;
    auto tracks = MakeTracks(1, 20, 1000);
    const STrackFile big{"Album 0/99 - Big.mp3", TrackBytes(4000, 'b'), "Big"};
    tracks.push_back(big);
    WriteTracks(archive.Root(), tracks);
    // 4000 bytes and a block cross the limit: part of the block would fit, none may stay.
    const SChildResult run = RunCli(archive.Root(), [] { SetLimit(RLIMIT_FSIZE, 4096); });
    EXPECT_EQ(ExitStatus(run), 2) << run.m_strOutput;
    const auto lines = Lines(run.m_strOutput);
    ASSERT_EQ(lines.size(), 1U) << run.m_strOutput;
    EXPECT_NE(lines[0].find("«" + big.m_strPath + "»"), std::string::npos) << lines[0];
    EXPECT_EQ(ReadAll(archive.Root() + "/" + big.m_strPath), big.m_strBytes);
    CountTagged(archive.Root(), tracks);
}

TEST(WholeProcess, AFullFileSystemEndsTheRunWithTheTrackUnchanged) {
    // A small file system of our own needs a user and mount namespace; where the system gives
    // none to us, the file-size limit above stands in for it.
    CTempArchive archive;
    // Tracks that end on a page boundary need a new page for their block.
    const auto tracks = MakeTracks(1, 10, std::size_t{4096} * 2, 1);
    WriteTracks(archive.Root() + "/source", tracks);
    fs::create_directories(archive.Root() + "/mnt");
    std::ofstream(archive.Root() + "/full.sh")
        << "cd '" << archive.Root() << "' || exit 1\n"
        << "mount -t tmpfs -o size=1m tmpfs mnt 2>/dev/null || exit 77\n"
        << "cp -r source/. mnt/ && cd mnt || exit 1\n"
        << "head -c 2m /dev/zero >fill 2>/dev/null\n"
        << "run() { '" ZT_CLI_PATH "' 2>../$1.err; echo $? >../$1.rc; cp -r Album* ../$1/; }\n"
        << "mkdir ../full ../room && run full && rm fill && run room\n";
    const std::string strCommand = "unshare -Urm sh '" + archive.Root() + "/full.sh' 2>/dev/null";
    const int nStatus = std::system(strCommand.c_str());
    if (::access((archive.Root() + "/full").c_str(), F_OK) != 0 && nStatus != 0)
        GTEST_SKIP() << "no unprivileged mount namespace with a tmpfs here";
    ASSERT_EQ(nStatus, 0);
    EXPECT_EQ(ReadAll(archive.Root() + "/full.rc"), "2\n");
    EXPECT_NE(ReadAll(archive.Root() + "/full.err").find("Не хватило места"), std::string::npos);
    EXPECT_EQ(CountTagged(archive.Root() + "/full", tracks), 0U);
    EXPECT_EQ(ReadAll(archive.Root() + "/room.rc"), "0\n");
    EXPECT_EQ(CountTagged(archive.Root() + "/room", tracks), tracks.size());
}

}  // namespace
