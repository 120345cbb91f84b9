#include <gtest/gtest.h>

#include <filesystem>

#include "../tagger/id3v1.h"
#include "../tagger/tagging.h"
#include "support/archive.h"

namespace {

std::string Field(const TagBlock& block, std::size_t nOffset, std::size_t nSize) {
    return std::string(block.data() + nOffset, nSize);
}

}  // namespace

TEST(TagBlock, HoldsTitleArtistAndGenreAtTheirOffsets) {
    std::string strForty;  // 40 Cyrillic letters
    for (int i = 0; i < 40; ++i) strForty += "Ж";
    strForty = SongTitle("01 - " + strForty);
    const struct {
        std::string strSong;
        std::string strTitleField;  // all 30 bytes
    } kCases[] = {
        {"", std::string(30, '\0')},
        {std::string(29, 'a'), std::string(29, 'a') + '\0'},
        {std::string(30, 'b'), std::string(30, 'b')},
        {std::string(45, 'c'), std::string(30, 'c')},
        {"\xCD\xEE\xF7\xFC", std::string("\xCD\xEE\xF7\xFC") + std::string(26, '\0')},
        {strForty, std::string(30, '\xC6')},  // 40 Cyrillic letters: 40 bytes, cut to 30
    };
    for (const auto& c : kCases) {
        const TagBlock block = MakeTagBlock(c.strSong);
        EXPECT_EQ(Field(block, 0, 3), "TAG");
        EXPECT_EQ(Field(block, 3, 30), c.strTitleField) << c.strSong;
        EXPECT_EQ(Field(block, 33, 18), kArtist);
        EXPECT_EQ(Field(block, 51, 76),
                  std::string(76, '\0'));  // artist padding, album, year, comment
        EXPECT_EQ(static_cast<unsigned char>(block[127]), 255);
    }
}

TEST(SongTitle, IsTheTrackTitleInWindows1251LessItsFirstFiveBytes) {
    const struct {
        std::string_view strEntry;
        std::string_view strSong;
    } kCases[] = {
        {"01 - Song.mp3", "Song"},
        {"01 - Ночь.mp3", "\xCD\xEE\xF7\xFC"},
        {"1 - Song.mp3", "ong"},
        {"01 - A.Live.mp3", "A.Live"},
        {"Songs.mp3", ""},
        {"Song.mp3", ""},
        {".mp3", ""},
        {"a.b.mp3", ""},
        {"Ночь!.mp3", ""},  // five Windows-1251 bytes, though nine in UTF-8
        {"Ночь!!.mp3", "!"},
        {"01 - \xCD\xEE\xF7\xFC.mp3", "\xCD\xEE\xF7\xFC"},  // a legacy name keeps its bytes
        {"01 - 日本.mp3", "??"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(SongTitle(TrackTitle(c.strEntry)), c.strSong) << c.strEntry;
}

// HasTag as the run sees it: one track in one album, one run.
TEST(HasTag, JudgesOnlyTheFirstThreeBytesOfTheLast128) {
    const std::string strId3v2 = "ID3\x03" + std::string(300, 'v');
    const struct {
        const char* pszWhat;
        std::string strContent;
        bool bTagged;
    } kCases[] = {
        {"exactly 128 bytes, a block", "TAG" + std::string(125, 'z'), true},
        {"exactly 128 bytes, no block", std::string(128, 'z'), false},
        {"lower-case magic", std::string(200, 'z') + "tag" + std::string(125, 'z'), false},
        {"mixed-case magic", std::string(200, 'z') + "TaG" + std::string(125, 'z'), false},
        {"magic with a wrong third byte", std::string(200, 'z') + "TAH" + std::string(125, 'z'),
         false},
        {"magic one byte early", std::string(200, 'z') + "TAG" + std::string(126, 'z'), false},
        {"a block of another artist", std::string(300, 'z') + "TAGother" + std::string(120, '\0'),
         true},
        {"a tag only at the start", strId3v2, false},
    };
    for (const auto& c : kCases) {
        CTempArchive archive;
        CMessageLog log;
        archive.MakeDir("A");
        archive.WriteFile("A/01 - Song.mp3", c.strContent);
        TagArchive();
        const std::string strExpected = c.bTagged ? c.strContent : Tagged(c.strContent, "Song");
        EXPECT_EQ(archive.ReadFile("A/01 - Song.mp3"), strExpected) << c.pszWhat;
        EXPECT_EQ(log.m_messages, std::vector<std::string>{std::string(kTextTagsWritten)})
            << c.pszWhat;
    }
}

TEST(HasTag, FailsWithTheFileExceptionOnAFileShorterThanABlock) {
    for (const std::size_t nSize : {0u, 1u, 127u}) {
        CTempArchive archive;
        archive.WriteFile("short.mp3", std::string(nSize, 'x'));
        CFile file;
        ASSERT_TRUE(file.Open("short.mp3", CFile::EMode::read));
        std::uint64_t nLength = 0;
        try {
            HasTag(file, nLength);
            ADD_FAILURE() << nSize << " bytes counted as a track";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_eCause, CFileException::ECause::badSeek);
            EXPECT_EQ(e.m_strFileName, "short.mp3");
        }
        file.Close();
        EXPECT_EQ(archive.ReadFile("short.mp3"), std::string(nSize, 'x'));
    }
}

TEST(AppendTag, AFileGrownBeyond4GiBGetsItsBlockAtItsTrueEnd) {
    CTempArchive archive;
    archive.MakeDir("A");
    archive.WriteFile("A/01 - Big.mp3", "");
    const std::uint64_t nLength = 5ull << 30;
    std::filesystem::resize_file(archive.Root() + "/A/01 - Big.mp3", nLength);  // sparse
    CMessageLog log;
    TagArchive();
    EXPECT_EQ(std::filesystem::file_size(archive.Root() + "/A/01 - Big.mp3"), nLength + 128);
    CFile file;
    ASSERT_TRUE(file.Open("A/01 - Big.mp3", CFile::EMode::read));
    TagBlock block{};
    file.Seek(static_cast<std::int64_t>(nLength));
    ASSERT_EQ(file.Read(block.data(), block.size()), block.size());
    EXPECT_EQ(block, MakeTagBlock("Big"));
}
