#include "../platform/codepage.h"

#include <gtest/gtest.h>

#include "../platform/wildcard.h"
#include "../tagger/id3v1.h"

TEST(Codepage, ConvertsUtf8ToWindows1251) {
    const struct {
        std::string_view strUtf8;
        std::string_view strCp1251;
    } kCases[] = {
        {"Song 1", "Song 1"},
        {"Ночь", "\xCD\xEE\xF7\xFC"},
        {"ЁёЎў№€", "\xA8\xB8\xA1\xA2\xB9\x88"},
        {"日本 ♪", "?? ?"},                        // not in the code page
        {"\xF0\x9F\x8E\xB5!", "?!"},               // four-byte sequence, one character
        {"\xCD\xEE\xF7\xFC", "\xCD\xEE\xF7\xFC"},  // already Windows-1251: not UTF-8, kept
        {"ab\xC0\xAF", "ab\xC0\xAF"},              // overlong encoding is not UTF-8
        {"\xED\xA0\x80", "\xED\xA0\x80"},          // a lone surrogate is not UTF-8
        {"Ночь\xD0", "Ночь\xD0"},                  // cut short in the middle of a character
        {"", ""},
    };
    for (const auto& c : kCases) EXPECT_EQ(Utf8ToCp1251(c.strUtf8), c.strCp1251) << c.strUtf8;
}

TEST(Codepage, EveryWindows1251CharacterRoundTrips) {
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (b == 0x98) continue;  // the one byte without a character
        const std::string strByte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(strByte)), strByte) << std::hex << b;
    }
}

TEST(Codepage, ArtistIsTheBandNameInWindows1251) {
    EXPECT_EQ(kArtist, Utf8ToCp1251("Зеливар Тромбуксия"));
    EXPECT_EQ(kArtist.size(), 18u);
}

TEST(Wildcard, MatchesTrackNamesWithoutRegardToCase) {
    const struct {
        std::string_view strName;
        bool bMatches;
    } kCases[] = {
        {"01 - Song.mp3", true}, {"02 - Song.MP3", true},
        {"x.Mp3", true},         {".mp3", true},
        {"a.mp3.mp3", true},     {"x.mp3x", false},
        {"mp3", false},          {"x.mp", false},
        {"x.m4a", false},        {"", false},
        {"Ночь.mp3", true},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(MatchesWildcard(c.strName, "*.mp3"), c.bMatches) << c.strName;
    EXPECT_TRUE(MatchesWildcard("..", "*"));
    EXPECT_TRUE(MatchesWildcard("", "*"));
    EXPECT_TRUE(MatchesWildcard("a1c", "a?c"));
}
