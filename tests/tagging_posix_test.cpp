// What only a POSIX system can show: users without rights, FIFOs, links, file-size limits.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "../platform/file_exception.h"
#include "../platform/process.h"
#include "../tagger/tagging.h"
#include "support/archive.h"

namespace {

const std::string kTrack = TrackBytes(1000);
constexpr uid_t kNobody = 65534;

// In a child process, as a user without rights to the files: the run's messages must be these.
void ExpectMessagesAsUnprivileged(const CTempArchive& archive, const Messages& expected) {
    ::chmod(archive.Root().c_str(), 0755);
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                std::_Exit(3);
            CMessageLog log;
            TagArchive();
            std::_Exit(log.m_messages == expected ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

// The whole run, in a child process under a file-size limit; exits 0 when it ended as it must.
[[noreturn]] void RunUnderFileSizeLimit(rlim_t nLimit) {
    PrepareProcess();  // the limit must fail the write, not kill the process
    const rlimit limit{nLimit, nLimit};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(3);
    try {
        TagArchive();
    } catch (const CFileException& e) {
        const bool bAsExpected =
            e.m_eCause == CFileException::ECause::diskFull && e.m_strFileName == "A/01 - Song.mp3";
        std::_Exit(bAsExpected ? 0 : 1);
    }
    std::_Exit(2);
}

}  // namespace

TEST(TagAlbum, AReadOnlyUntaggedTrackIsReportedAndLeftAlone) {
    CTempArchive archive;
    archive.MakeDir("A");
    ::chmod("A", 0755);
    archive.WriteFile("A/01 - Song.mp3", kTrack);
    ::chmod("A/01 - Song.mp3", 0444);
    ExpectMessagesAsUnprivileged(archive, {kNotFound, kFailed});
    EXPECT_EQ(archive.ReadFile("A/01 - Song.mp3"), kTrack);
}

TEST(TagAlbum, AReadOnlyTaggedTrackCountsAsTagged) {
    CTempArchive archive;
    archive.MakeDir("A");
    ::chmod("A", 0755);
    archive.WriteFile("A/01 - Song.mp3", Tagged(kTrack, "Song"));
    ::chmod("A/01 - Song.mp3", 0444);
    ExpectMessagesAsUnprivileged(archive, {kWritten});
}

TEST(TagAlbum, AFifoNamedLikeATrackDoesNotHoldTheRun) {
    CTempArchive archive;
    CMessageLog log;
    archive.MakeDir("A");
    ASSERT_EQ(::mkfifo("A/01 - Pipe.mp3", 0644), 0);
    archive.WriteFile("A/02 - Song.mp3", kTrack);
    TagArchive();
    EXPECT_EQ(archive.ReadFile("A/02 - Song.mp3"), Tagged(kTrack, "Song"));
    EXPECT_EQ(log.m_messages, (Messages{kNotFound, kWritten}));
}

TEST(TagArchive, ALinkToAFolderIsAnAlbum) {
    std::string strElsewhere =
        (std::filesystem::temp_directory_path() / "zt-elsewhere-XXXXXX").string();
    ASSERT_NE(::mkdtemp(strElsewhere.data()), nullptr);
    {
        CTempArchive archive;
        CMessageLog log;
        archive.WriteFile(
            "../" + std::filesystem::path(strElsewhere).filename().string() + "/01 - Song.mp3",
            kTrack);
        std::filesystem::create_directory_symlink(strElsewhere, "Linked album");
        TagArchive();
        EXPECT_EQ(archive.ReadFile("Linked album/01 - Song.mp3"), Tagged(kTrack, "Song"));
        EXPECT_EQ(log.m_messages, Messages{kWritten});
    }
    std::filesystem::remove_all(strElsewhere);
}

TEST(AppendTag, AWriteStoppedByAFileSizeLimitLeavesTheTrackAsItWas) {
    // At the old end (nothing stored), inside the block (a short write), one byte before its end.
    for (const rlim_t nLimit : {1000u, 1050u, 1127u}) {
        CTempArchive archive;
        archive.MakeDir("A");
        archive.WriteFile("A/01 - Song.mp3", kTrack);
        EXPECT_EXIT(RunUnderFileSizeLimit(nLimit), testing::ExitedWithCode(0), "")
            << "limit " << nLimit;
        EXPECT_EQ(archive.ReadFile("A/01 - Song.mp3"), kTrack) << "limit " << nLimit;
    }
}
