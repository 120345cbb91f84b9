// Every file operation of a run, failed in every way it can fail: the archive stays whole.
#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

#include "../../platform/file_exception.h"
#include "../../tagger/id3v1.h"
#include "../../tagger/tagging.h"
#include "../support/archive.h"
#include "fault_file_system.h"
#include "proof_support.h"

namespace {

struct STrack {
    std::string m_strPath;
    std::string m_strBytes;
    std::string m_strSongTitle;  // the title its block carries (Windows-1251)
};

std::string OtherBlock() {
    std::string strBlock = "TAG" + std::string(124, '\0') + "\x0c";
    strBlock.replace(3, 9, "Somebody!");
    return strBlock;
}

// Tagged, untagged, unopenable and odd-cased tracks over a few albums, with things around them
// that are no tracks at all.
std::vector<STrack> MakeMixedArchive(const CTempArchive& archive, bool bWithShortTrack) {
    std::vector<STrack> tracks = {
        {"Первый/01 - Ночь.mp3", TrackBytes(300), "\xCD\xEE\xF7\xFC"},
        {"Первый/02 - Tagged.mp3", TrackBytes(300) + OtherBlock(), ""},
        {"Первый/03 - Upper.MP3", TrackBytes(200, 'u'), "Upper"},
        {"Second/04 - Fine.mp3", TrackBytes(1000, 'f'), "Fine"},
        {"Live.1990/01 - Exact.mp3", TrackBytes(128, 'e'), "Exact"},
        {"Live.1990/02 - Tag only.mp3", OtherBlock(), ""},
    };
    if (bWithShortTrack) tracks.push_back({"Second/01 - Short.mp3", TrackBytes(50, 's'), ""});
    for (const char* pszDir : {"Первый", "Second", "Live.1990", "Scans", "Second/02 - Folder.mp3"})
        archive.MakeDir(pszDir);
    for (const STrack& track : tracks) archive.WriteFile(track.m_strPath, track.m_strBytes);
    archive.WriteFile("Scans/front.jpg", "JPEG");
    archive.WriteFile("loose.mp3", TrackBytes(300));
    archive.WriteFile("notes.txt", "not a track");
    if (::symlink("nowhere.mp3", (archive.Root() + "/Second/03 - Gone.mp3").c_str()) != 0)
        throw std::runtime_error("symlink failed");
    return tracks;
}

struct SRun {
    std::vector<SOpRecord> m_ops;
    std::vector<std::string> m_messages;
    std::optional<CFileException> m_exception;
    std::map<std::string, SEntry> m_tree;
};

SRun RunWithFault(const CTempArchive& archive, std::size_t nFailAt, EFault eFault) {
    SRun run;
    CMessageLog log;
    CFaultFileSystem fileSystem(nFailAt, eFault, &log.m_messages);
    SetFileSystem(&fileSystem);
    try {
        TagArchive();
    } catch (const CFileException& e) {
        run.m_exception = e;
    }
    SetFileSystem(nullptr);
    run.m_ops = fileSystem.Ops();
    run.m_messages = log.m_messages;
    run.m_tree = SnapshotTree(archive.Root());
    return run;
}

bool IsCompletion(const std::string& strText) {
    return strText == kTextTagsWritten || strText == kTextTagsFailed;
}

// The promise: each track as it was, or as it was plus exactly its block; a track that had a
// block never gets another; nothing but tracks ever changes.
void ExpectArchiveWhole(const std::map<std::string, SEntry>& before,
                        const std::map<std::string, SEntry>& after,
                        const std::vector<STrack>& tracks) {
    std::map<std::string, SEntry> untracked = before;
    for (const STrack& track : tracks) {
        untracked.erase(track.m_strPath);
        const auto it = after.find(track.m_strPath);
        ASSERT_NE(it, after.end()) << track.m_strPath;
        const std::string& strNow = it->second.m_strData;
        const bool bHadTag =
            track.m_strBytes.size() >= kTagBlockSize &&
            track.m_strBytes.compare(track.m_strBytes.size() - kTagBlockSize, 3, kTagMagic) == 0;
        if (bHadTag || strNow == track.m_strBytes) {
            EXPECT_EQ(strNow, track.m_strBytes) << track.m_strPath;
        } else {
            EXPECT_EQ(strNow, Tagged(track.m_strBytes, track.m_strSongTitle)) << track.m_strPath;
        }
    }
    for (const auto& [strPath, entry] : untracked) {
        const auto it = after.find(strPath);
        ASSERT_NE(it, after.end()) << strPath;
        EXPECT_EQ(it->second, entry) << strPath;
    }
}

struct SArchiveCase {
    const char* m_pszName;
    bool m_bWithShortTrack;
};

void PrintTo(const SArchiveCase& archiveCase, std::ostream* pOut) {
    *pOut << archiveCase.m_pszName;
}

class FaultSweep : public testing::TestWithParam<SArchiveCase> {};

TEST_P(FaultSweep, EveryOperationFailingInEveryWayLeavesTheArchiveWhole) {
    const bool bShort = GetParam().m_bWithShortTrack;
    SRun reference;
    std::vector<STrack> tracks;
    {
        CTempArchive archive;
        tracks = MakeMixedArchive(archive, bShort);
        reference = RunWithFault(archive, 0, EFault::none);
    }
    ASSERT_EQ(reference.m_exception.has_value(), bShort);
    // Where the short track stands in the listing is the file system's choice.
    ASSERT_GT(reference.m_ops.size(), bShort ? 4U : 30U);

    std::size_t nCases = 0;
    for (std::size_t k = 0; k < reference.m_ops.size(); ++k) {
        const SOpRecord& op = reference.m_ops[k];
        for (const EFault eFault : FaultsFor(op.m_eOp)) {
            SCOPED_TRACE(testing::Message()
                         << "operation " << k << " (" << OpName(op.m_eOp) << " " << op.m_strPath
                         << ") failing by " << FaultName(eFault));
            ++nCases;
            CTempArchive archive;
            MakeMixedArchive(archive, bShort);
            const auto before = SnapshotTree(archive.Root());
            const auto fdsBefore = OpenDescriptors();
            const SRun run = RunWithFault(archive, k, eFault);
            EXPECT_EQ(OpenDescriptors(), fdsBefore);
            ExpectArchiveWhole(before, run.m_tree, tracks);

            const bool bEndsLikeReference =
                run.m_exception.has_value() == reference.m_exception.has_value() &&
                (!run.m_exception ||
                 run.m_exception->m_strFileName == reference.m_exception->m_strFileName);
            const bool bCompleted =
                !run.m_exception && !run.m_messages.empty() && IsCompletion(run.m_messages.back());
            if (op.m_eOp == EOp::open) {
                // A failed opening is reported and the run goes on to the next entry.
                ASSERT_GT(run.m_messages.size(), op.m_nMessagesBefore);
                EXPECT_EQ(run.m_messages[op.m_nMessagesBefore], kTextFileNotFound);
                EXPECT_EQ(run.m_tree.at(op.m_strPath), before.at(op.m_strPath));
                if (reference.m_exception && reference.m_exception->m_strFileName == op.m_strPath) {
                    EXPECT_TRUE(bCompleted);
                    EXPECT_EQ(run.m_messages.back(), kTextTagsWritten);
                } else {
                    EXPECT_TRUE(bEndsLikeReference);
                }
            } else if (op.m_eOp == EOp::findFiles || op.m_eOp == EOp::findNext) {
                // A listing that cannot be had or read on ends quietly; what it held is not
                // visited.
                EXPECT_TRUE(bCompleted || bEndsLikeReference);
                for (std::size_t i = 0; i + 1 < run.m_messages.size(); ++i) {
                    EXPECT_EQ(run.m_messages[i], kTextFileNotFound);
                }
                bool bOpened = false;
                for (const SOpRecord& done : run.m_ops)
                    bOpened = bOpened || (done.m_eOp == EOp::open && done.m_bSucceeded);
                if (bCompleted && !bOpened) {
                    EXPECT_EQ(run.m_messages.back(), kTextTagsFailed);
                }
            } else if (op.m_eOp == EOp::close && op.m_bUnwinding) {
                // Releasing a file while a failure passes on must not replace that failure.
                EXPECT_TRUE(bEndsLikeReference);
            } else {
                // Any other failure ends the run with the file exception, naming the file.
                ASSERT_TRUE(run.m_exception.has_value());
                EXPECT_EQ(run.m_exception->m_strFileName, op.m_strPath);
                EXPECT_EQ(run.m_messages.size(), op.m_nMessagesBefore);
                for (const std::string& strText : run.m_messages) {
                    EXPECT_FALSE(IsCompletion(strText));
                }
                EXPECT_EQ(run.m_tree.at(op.m_strPath), before.at(op.m_strPath));
            }

            // A clean run afterwards brings the archive where one clean run brings it.
            const SRun again = RunWithFault(archive, 0, EFault::none);
            EXPECT_EQ(again.m_exception.has_value(), reference.m_exception.has_value());
            EXPECT_EQ(again.m_messages, reference.m_messages);
            ExpectArchiveWhole(before, again.m_tree, tracks);
            for (const STrack& track : tracks) {
                const SEntry& now = again.m_tree.at(track.m_strPath);
                const SEntry& expected = reference.m_tree.at(track.m_strPath);
                // Past a track that ends the run, a faulty run may have got further.
                if (!(expected.m_strData == track.m_strBytes && reference.m_exception)) {
                    EXPECT_EQ(now, expected) << track.m_strPath;
                }
            }
            if (HasFatalFailure()) return;
        }
    }
    RecordProperty("cases", static_cast<int>(nCases));
}

INSTANTIATE_TEST_SUITE_P(MixedArchives, FaultSweep,
                         testing::Values(SArchiveCase{"AllTracksReachable", false},
                                         SArchiveCase{"WithShortTrack", true}),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

}  // namespace
