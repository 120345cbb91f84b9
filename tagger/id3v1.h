// The ID3v1 tag block that ends a tagged track file, and the two operations on it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "../platform/file.h"

inline constexpr std::size_t kTagBlockSize = 128;
inline constexpr std::string_view kTagMagic = "TAG";
inline constexpr std::size_t kTitleOffset = 3;
inline constexpr std::size_t kArtistOffset = 33;
inline constexpr std::size_t kFieldSize = 30;
// The band, "Зеливар Тромбуксия", as its 18 Windows-1251 bytes.
inline constexpr std::string_view kArtist =
    "\xC7\xE5\xEB\xE8\xE2\xE0\xF0\x20\xD2\xF0\xEE\xEC\xE1\xF3\xEA\xF1\xE8\xFF";
// A value to which the genre list assigns no genre.
inline constexpr unsigned char kGenre = 255;

using TagBlock = std::array<char, kTagBlockSize>;

// The block for a song title: its first 30 bytes, the artist, genre 255, zeros elsewhere.
TagBlock MakeTagBlock(std::string_view strSongTitle) noexcept;

// Whether the file, open for reading, ends in a tag block; nLength receives its length.
// A file shorter than a block raises the file exception (bad seek).
bool HasTag(CFile& file, std::uint64_t& nLength);

// Appends the block to the file, open for writing and still nLength bytes long, closes it and
// records that tags are present. On a failure the file is cut back to nLength before the file
// exception passes on, so that it never ends in part of a block.
void AppendTag(CFile& file, std::uint64_t nLength, std::string_view strSongTitle);
