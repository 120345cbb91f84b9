// The tagging run and the album pass over real archives.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../platform/file.h"
#include "../tagger/id3v1.h"
#include "../tagger/tagging.h"
#include "support/archive.h"
#include "support/forwarding_file_system.h"

namespace {

const std::string kTrack = TrackBytes(1000);

}  // namespace

TEST(TagAlbum, EachEntryLeadsToItsOwnFile) {
    const struct {
        const char* pszEntry;  // created in album A; a name ending in '/' is a folder
        const char* pszSong;   // the song title written, or null when nothing is written
        bool bMessage;         // "File not found :(" for it
    } kCases[] = {
        {"01 - Song.mp3", "Song", false}, {".mp3", "", false},        {"a.b.mp3", "", false},
        {"02 - Song.MP3", "Song", false},  // the entry's own file, whatever the case
        {"03 - Song.Mp3", "Song", false}, {"x.mp3x", nullptr, false},  // not a track at all
        {"cover.jpg", nullptr, false},    {"y.mp3/", nullptr, true},  // a folder named like a track
    };
    for (const auto& c : kCases) {
        CTempArchive archive;
        CMessageLog log;
        archive.MakeDir("A");
        std::string strEntry = c.pszEntry;
        const bool bFolder = strEntry.back() == '/';
        if (bFolder)
            archive.MakeDir("A/" + strEntry);
        else
            archive.WriteFile("A/" + strEntry, kTrack);
        TagArchive();
        if (!bFolder) {
            EXPECT_EQ(archive.ReadFile("A/" + strEntry),
                      c.pszSong ? Tagged(kTrack, c.pszSong) : kTrack)
                << strEntry;
        }
        Messages expected;
        if (c.bMessage) expected.push_back(kNotFound);
        expected.push_back(c.pszSong ? kWritten : kFailed);
        EXPECT_EQ(log.m_messages, expected) << strEntry;
        // A second run appends nothing more.
        if (c.pszSong) {
            TagArchive();
            EXPECT_EQ(archive.ReadFile("A/" + strEntry), Tagged(kTrack, c.pszSong));
        }
    }
}

TEST(TagAlbum, EveryTrackGetsExactlyOneTurn) {
    for (const int nTracks : {1, 2, 17}) {
        CTempArchive archive;
        CMessageLog log;
        archive.MakeDir("A");
        for (int i = 0; i < nTracks; ++i)
            archive.WriteFile("A/" + std::to_string(10 + i) + " - T" + std::to_string(i) + ".mp3",
                              kTrack);
        TagArchive();
        for (int i = 0; i < nTracks; ++i) {
            EXPECT_EQ(archive.ReadFile("A/" + std::to_string(10 + i) + " - T" + std::to_string(i) +
                                       ".mp3"),
                      Tagged(kTrack, "T" + std::to_string(i)));
        }
        EXPECT_EQ(log.m_messages, Messages{kWritten});
    }
}

TEST(TagArchive, VisitsEveryFolderOfTheRootAndNothingElse) {
    CTempArchive archive;
    CMessageLog log;
    for (const char* pszAlbum : {"Live.1990", ".covers", "Ночной город"}) {
        archive.MakeDir(pszAlbum);
        archive.WriteFile(std::string(pszAlbum) + "/01 - Song.mp3", kTrack);
    }
    archive.WriteFile("05 - Root.mp3", kTrack);  // a track in the root is no album
    archive.MakeDir("Scans");                    // an album without tracks says nothing
    archive.WriteFile("Scans/front.jpg", "jpeg");
    archive.MakeDir("Deep/Inner");  // only the root's own folders are albums
    archive.WriteFile("Deep/Inner/01 - Song.mp3", kTrack);
    TagArchive();
    for (const char* pszAlbum : {"Live.1990", ".covers", "Ночной город"})
        EXPECT_EQ(archive.ReadFile(std::string(pszAlbum) + "/01 - Song.mp3"),
                  Tagged(kTrack, "Song"));
    EXPECT_EQ(archive.ReadFile("05 - Root.mp3"), kTrack);
    EXPECT_EQ(archive.ReadFile("Deep/Inner/01 - Song.mp3"), kTrack);
    EXPECT_EQ(archive.ReadFile("Scans/front.jpg"), "jpeg");
    EXPECT_EQ(log.m_messages, Messages{kWritten});
}

TEST(TagArchive, CompletionTextSpeaksOfThisRunOnly) {
    CTempArchive archive;
    CMessageLog log;
    TagArchive();  // an empty root
    archive.MakeDir("A");
    archive.WriteFile("A/01 - Song.mp3", kTrack);
    TagArchive();
    TagArchive();  // found tagged: still in place
    std::filesystem::remove_all(archive.Root() + "/A");
    TagArchive();  // nothing left: an earlier success must not show again
    EXPECT_EQ(log.m_messages, (Messages{kFailed, kWritten, kWritten, kFailed}));
}

TEST(TagArchive, SuccessWhenSomeTracksCannotBeOpened) {
    CTempArchive archive;
    CMessageLog log;
    archive.MakeDir("A");
    archive.MakeDir("A/one.mp3");
    archive.MakeDir("A/two.mp3");
    archive.WriteFile("A/01 - Song.mp3", kTrack);
    TagArchive();
    EXPECT_EQ(log.m_messages, (Messages{kNotFound, kNotFound, kWritten}));
}

TEST(TagArchive, AFileInUseByAnotherOpenerIsSkippedAndTaggedLater) {
    CTempArchive archive;
    CMessageLog log;
    archive.MakeDir("A");
    archive.WriteFile("A/01 - Song.mp3", kTrack);
    {
        CFile holder;  // another copy of the program working on the file
        ASSERT_TRUE(holder.Open("A/01 - Song.mp3", CFile::EMode::read));
        TagArchive();
    }
    // Read only once the holder is gone: where sharing is denied for real, we could not.
    EXPECT_EQ(archive.ReadFile("A/01 - Song.mp3"), kTrack);
    TagArchive();
    EXPECT_EQ(archive.ReadFile("A/01 - Song.mp3"), Tagged(kTrack, "Song"));
    EXPECT_EQ(log.m_messages, (Messages{kNotFound, kFailed, kWritten}));
}

TEST(TagArchive, AShortTrackEndsTheRunThereWithTheFileException) {
    CTempArchive archive;
    CMessageLog log;
    for (const char* pszAlbum : {"A", "B", "C", "D", "E"}) {
        archive.MakeDir(pszAlbum);
        for (const char* pszTrack : {"01 - One.mp3", "02 - Two.mp3", "03 - Three.mp3"})
            archive.WriteFile(std::string(pszAlbum) + "/" + pszTrack, kTrack);
    }
    archive.WriteFile("C/02 - Two.mp3", std::string(127, 's'));
    // The run takes entries in the system's order: so do we, to know what comes after.
    std::vector<std::string> order;
    for (const auto& album : std::filesystem::directory_iterator(archive.Root()))
        for (const auto& track : std::filesystem::directory_iterator(album.path()))
            order.push_back(album.path().filename().string() + "/" +
                            track.path().filename().string());

    for (int nRun = 0; nRun < 2; ++nRun) {  // every run stops at the same file again
        try {
            TagArchive();
            FAIL() << "the run went past a short track";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_eCause, CFileException::ECause::badSeek);
            EXPECT_EQ(e.m_strFileName, "C/02 - Two.mp3");
        }
        bool bAfter = false;
        for (const std::string& strTrack : order) {
            const std::string strName = strTrack.substr(2);
            if (strTrack == "C/02 - Two.mp3") {
                EXPECT_EQ(archive.ReadFile(strTrack), std::string(127, 's'));
                bAfter = true;
            } else {
                const std::string strSong = strName.substr(5, strName.size() - 9);
                EXPECT_EQ(archive.ReadFile(strTrack), bAfter ? kTrack : Tagged(kTrack, strSong))
                    << strTrack;
            }
        }
    }
    EXPECT_TRUE(log.m_messages.empty());  // no completion text
}

TEST(FileException, DescriptionNamesCauseAndFile) {
    const std::string strText = DescribeFileException(
        CFileException(CFileException::ECause::badSeek, 0, "Альбом/02 - Песня.mp3"));
    EXPECT_NE(strText.find("«Альбом/02 - Песня.mp3»"), std::string::npos) << strText;
    EXPECT_NE(strText.find("перейти"), std::string::npos) << strText;
}

namespace {

// Another program appends to every file just before we open it for writing.
class CGrowingBeforeWrite final : public CForwardingFileSystem {
public:
    SysError OpenExisting(const std::string& strPath, EAccess eAccess, NativeHandle* phFile,
                          std::uint64_t* pnLength) noexcept override {
        if (eAccess == EAccess::write)
            std::ofstream(strPath, std::ios::binary | std::ios::app) << '+';
        return CForwardingFileSystem::OpenExisting(strPath, eAccess, phFile, pnLength);
    }
};

}  // namespace

TEST(TagAlbum, AFileChangedBetweenTheTwoOpeningsIsLeftAlone) {
    CTempArchive archive;
    CMessageLog log;
    archive.MakeDir("A");
    archive.WriteFile("A/01 - Song.mp3", kTrack);
    {
        CGrowingBeforeWrite growing;
        TagArchive();
    }
    EXPECT_EQ(archive.ReadFile("A/01 - Song.mp3"), kTrack + '+');
    EXPECT_EQ(log.m_messages, (Messages{kNotFound, kFailed}));
}
