// The headless front end as scripts use it: its exit status and its lines on stderr.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../tagger/tagging.h"
#include "support/archive.h"

namespace {

struct SResult {
    int nStatus;
    std::string strOut;
    std::string strErr;
};

std::string Slurp(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs the front end in the current directory (the archive root).
SResult RunCli(const std::string& strArgs = "") {
    const std::string strOut = "../zt-cli-out-" + std::to_string(::getpid());
    const std::string strErr = "../zt-cli-err-" + std::to_string(::getpid());
    const std::string strCommand =
        std::string("'") + ZT_CLI_PATH + "' " + strArgs + " >" + strOut + " 2>" + strErr;
    const int nWait = std::system(strCommand.c_str());
    SResult result{WIFEXITED(nWait) ? WEXITSTATUS(nWait) : -1, Slurp(strOut), Slurp(strErr)};
    std::remove(strOut.c_str());
    std::remove(strErr.c_str());
    return result;
}

const std::string kTrack = TrackBytes(500);

}  // namespace

TEST(Cli, ExitStatusTellsHowTheRunEnded) {
    CTempArchive archive;
    SResult r = RunCli();
    EXPECT_EQ(r.nStatus, 1);
    EXPECT_EQ(r.strErr, std::string(kTextTagsFailed) + "\n");

    archive.MakeDir("Альбом");
    archive.MakeDir("Альбом/folder.mp3");
    archive.WriteFile("Альбом/01 - Ночь.mp3", kTrack);
    r = RunCli();
    EXPECT_EQ(r.nStatus, 0);
    EXPECT_EQ(r.strErr,
              std::string(kTextFileNotFound) + "\n" + std::string(kTextTagsWritten) + "\n");
    EXPECT_EQ(archive.ReadFile("Альбом/01 - Ночь.mp3"), Tagged(kTrack, "\xCD\xEE\xF7\xFC"));
    EXPECT_TRUE(r.strOut.empty());

    std::filesystem::remove(archive.Root() + "/Альбом/folder.mp3");
    archive.WriteFile("Альбом/02 - Short.mp3", "tiny");
    r = RunCli();
    EXPECT_EQ(r.nStatus, 2);
    ASSERT_FALSE(r.strErr.empty());
    EXPECT_EQ(r.strErr.find('\n'), r.strErr.size() - 1) << r.strErr;  // one line
    EXPECT_NE(r.strErr.find("«Альбом/02 - Short.mp3»"), std::string::npos) << r.strErr;
    EXPECT_EQ(archive.ReadFile("Альбом/02 - Short.mp3"), "tiny");
}

TEST(Cli, ArgumentsAreHelpVersionOrAMistake) {
    CTempArchive archive;
    archive.MakeDir("A");
    archive.WriteFile("A/01 - Song.mp3", kTrack);
    const SResult version = RunCli("--version");
    EXPECT_EQ(version.nStatus, 0);
    EXPECT_EQ(version.strOut, "zelivar-tagger-cli 1.0.0.1\n");
    const SResult help = RunCli("--help");
    EXPECT_EQ(help.nStatus, 0);
    EXPECT_NE(help.strOut.find("Usage:"), std::string::npos);
    for (const char* pszWrong : {"--frobnicate", "some/folder", "--help --version"}) {
        const SResult wrong = RunCli(pszWrong);
        EXPECT_EQ(wrong.nStatus, 64) << pszWrong;
        EXPECT_NE(wrong.strErr.find("Usage:"), std::string::npos) << pszWrong;
    }
    EXPECT_EQ(archive.ReadFile("A/01 - Song.mp3"), kTrack);  // none of them ran
}
