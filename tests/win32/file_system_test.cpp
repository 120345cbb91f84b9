// What only Windows can show: sharing denied for real, attributes, device names, wide names.
#include <windows.h>

#include <gtest/gtest.h>

#include "../../platform/file.h"
#include "../../platform/win32/wide.h"
#include "../../tagger/tagging.h"
#include "../support/archive.h"

namespace {

const std::string kTrack = TrackBytes(1000);

// Another program's handle on a file, opened with the sharing it allows others.
class CForeignHandle {
public:
    CForeignHandle(const std::string& strPath, DWORD nShare)
        : m_hFile(::CreateFileW(Utf8ToWide(strPath).c_str(), GENERIC_READ, nShare, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)),
          m_nError(::GetLastError()) {}
    CForeignHandle(const CForeignHandle&) = delete;
    CForeignHandle& operator=(const CForeignHandle&) = delete;
    ~CForeignHandle() {
        if (IsOpen()) ::CloseHandle(m_hFile);
    }
    bool IsOpen() const noexcept { return m_hFile != INVALID_HANDLE_VALUE; }
    DWORD Error() const noexcept { return m_nError; }

private:
    HANDLE m_hFile;
    DWORD m_nError;
};

void SetAttributes(const std::string& strPath, DWORD nAttributes) {
    ASSERT_TRUE(::SetFileAttributesW(Utf8ToWide(strPath).c_str(), nAttributes));
}

}  // namespace

TEST(Win32FileSystem, OpeningsDenySharingBothWays) {
    CTempArchive archive;
    archive.WriteFile("01 - Song.mp3", kTrack);
    for (const CFile::EMode eMode : {CFile::EMode::read, CFile::EMode::write}) {
        CFile file;
        ASSERT_TRUE(file.Open("01 - Song.mp3", eMode));
        // Even a program that shares everything is turned away while we hold the file.
        const CForeignHandle other("01 - Song.mp3",
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        EXPECT_FALSE(other.IsOpen());
        EXPECT_EQ(other.Error(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    }
    // And while another program holds it, even one that shares it, we cannot have it.
    const CForeignHandle other("01 - Song.mp3", FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(other.IsOpen());
    CFile file;
    EXPECT_FALSE(file.Open("01 - Song.mp3", CFile::EMode::read));
}

TEST(Win32FileSystem, ATrackHeldByAnotherProgramIsReportedAndLeftAlone) {
    CTempArchive archive;
    CMessageLog log;
    archive.MakeDir("A");
    archive.WriteFile("A/01 - Song.mp3", kTrack);
    archive.WriteFile("A/02 - Free.mp3", kTrack);
    {
        const CForeignHandle other("A/01 - Song.mp3", FILE_SHARE_READ);
        ASSERT_TRUE(other.IsOpen());
        TagArchive();
    }
    EXPECT_EQ(archive.ReadFile("A/01 - Song.mp3"), kTrack);
    EXPECT_EQ(archive.ReadFile("A/02 - Free.mp3"), Tagged(kTrack, "Free"));
    EXPECT_EQ(log.m_messages, (Messages{kNotFound, kWritten}));
}

TEST(Win32FileSystem, AttributesDecideOnlyWhetherATrackCanBeWritten) {
    const struct {
        DWORD nAttributes;
        bool bTaggedBefore;
        bool bTaggedAfter;
        bool bMessage;  // "File not found :("
    } kCases[] = {
        {FILE_ATTRIBUTE_READONLY, false, false, true},
        {FILE_ATTRIBUTE_READONLY, true, true, false},
        {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false, true, false},
    };
    for (const auto& c : kCases) {
        CTempArchive archive;
        CMessageLog log;
        archive.MakeDir("A");
        const std::string strBefore = c.bTaggedBefore ? Tagged(kTrack, "Song") : kTrack;
        archive.WriteFile("A/01 - Song.mp3", strBefore);
        SetAttributes("A/01 - Song.mp3", c.nAttributes);
        TagArchive();
        SetAttributes("A/01 - Song.mp3", FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(archive.ReadFile("A/01 - Song.mp3"),
                  c.bTaggedAfter ? Tagged(kTrack, "Song") : kTrack)
            << c.nAttributes;
        Messages expected;
        if (c.bMessage) expected.push_back(kNotFound);
        expected.push_back(c.bTaggedAfter ? kWritten : kFailed);
        EXPECT_EQ(log.m_messages, expected) << c.nAttributes;
    }
}

TEST(Win32FileSystem, DeviceNamesAreNoTracks) {
    CTempArchive archive;
    for (const char* pszName : {"NUL", "nul.mp3", "CON.mp3", "A/COM1.mp3"}) {
        NativeHandle hFile = kNoHandle;
        std::uint64_t nLength = 0;
        EXPECT_NE(NativeFileSystem().OpenExisting(pszName, EAccess::write, &hFile, &nLength), 0)
            << pszName;
        EXPECT_EQ(hFile, kNoHandle) << pszName;
    }
}

TEST(Win32FileSystem, NamesOutsideWindows1251AreOpenedByTheirRealName) {
    CTempArchive archive;
    CMessageLog log;
    archive.MakeDir("Альбом ☃");
    // The snowman and the Czech letters have no Windows-1251 byte: "?" in the tag, and only there.
    archive.WriteFile("Альбом ☃/01 - Šárka ☃ Ночь.mp3", kTrack);
    TagArchive();
    EXPECT_EQ(archive.ReadFile("Альбом ☃/01 - Šárka ☃ Ночь.mp3"),
              Tagged(kTrack, "??rka ? \xCD\xEE\xF7\xFC"));
    EXPECT_EQ(log.m_messages, Messages{kWritten});
}

TEST(Win32FileSystem, ErrorTextIsTheSystemsOwnSentence) {
    const std::string strText = NativeFileSystem().ErrorText(ERROR_SHARING_VIOLATION);
    ASSERT_FALSE(strText.empty());
    EXPECT_NE(strText.back(), '\n');
    EXPECT_NE(strText.back(), '.');
    EXPECT_EQ(NativeFileSystem().CauseOf(ERROR_DISK_FULL), CFileException::ECause::diskFull);
    EXPECT_EQ(NativeFileSystem().CauseOf(ERROR_NEGATIVE_SEEK), CFileException::ECause::badSeek);
    EXPECT_EQ(NativeFileSystem().CauseOf(ERROR_ACCESS_DENIED),
              CFileException::ECause::accessDenied);
}

TEST(WideNames, EveryUtf16NameComesBackTheSame) {
    const std::wstring kNames[] = {
        L"01 - Song.mp3",
        L"\x0410\x043B\x044C\x0431\x043E\x043C",  // Альбом
        L"\xD83C\xDFB5 note",                     // a pair: one character outside the BMP
        L"lone \xD800 high",                      // lone surrogates, which Windows allows
        L"lone \xDC00 low",
        L"\xDBFF",
    };
    for (const std::wstring& strName : kNames) EXPECT_EQ(Utf8ToWide(WideToUtf8(strName)), strName);
    EXPECT_EQ(WideToUtf8(L"\xD83C\xDFB5"), "\xF0\x9F\x8E\xB5");
    EXPECT_EQ(WideToUtf8(L"\x0416"), "\xD0\x96");
    // Bytes of no UTF-8 sequence each become one replacement character.
    EXPECT_EQ(Utf8ToWide("a\xFF\xC0\x80z"), L"a\xFFFD\xFFFD\xFFFDz");
    EXPECT_EQ(Utf8ToWide("\xE2\x98"), L"\xFFFD\xFFFD");
}
