// Any bytes as a track file's name: the song title and its block come out well-formed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../../platform/codepage.h"
#include "../../tagger/id3v1.h"
#include "../../tagger/tagging.h"

namespace {

void Require(bool bHolds) {
    if (!bHolds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    const std::string_view strName(reinterpret_cast<const char*>(pData), nSize);

    const std::string strTrack = TrackTitle(strName);
    Require(strName.substr(0, strTrack.size()) == strTrack);
    Require(strTrack.find('.') == std::string::npos || strTrack.size() < strName.size());

    // Windows-1251 has one byte per character, so converting never lengthens a title.
    const std::string strCp1251 = Utf8ToCp1251(strTrack);
    Require(strCp1251.size() <= strTrack.size());
    const std::string strSong = SongTitle(strTrack);
    Require(strSong == (strCp1251.size() > 5 ? strCp1251.substr(5) : std::string()));

    const TagBlock block = MakeTagBlock(strSong);
    const std::string_view strBlock(block.data(), block.size());
    Require(strBlock.substr(0, 3) == kTagMagic);
    const std::size_t nTitle = std::min<std::size_t>(strSong.size(), kFieldSize);
    Require(strBlock.substr(kTitleOffset, nTitle) == std::string_view(strSong).substr(0, nTitle));
    Require(strBlock.substr(kTitleOffset + nTitle, kFieldSize - nTitle) ==
            std::string(kFieldSize - nTitle, '\0'));
    Require(strBlock.substr(kArtistOffset, kArtist.size()) == kArtist);
    Require(strBlock.substr(kArtistOffset + kArtist.size(), 127 - kArtistOffset - kArtist.size()) ==
            std::string(127 - kArtistOffset - kArtist.size(), '\0'));
    Require(static_cast<unsigned char>(strBlock[127]) == kGenre);

    // Shown as UTF-8 and taken back, Windows-1251 bytes come back as they were, except the one
    // byte that has no character.
    const std::string strBack = Utf8ToCp1251(Cp1251ToUtf8(strName));
    Require(strBack.size() == strName.size());
    for (std::size_t i = 0; i < strName.size(); ++i)
        Require(strBack[i] == (strName[i] == '\x98' ? '?' : strName[i]));
    return 0;
}
