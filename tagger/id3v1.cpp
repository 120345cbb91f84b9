#include "id3v1.h"

#include <algorithm>

#include "tagging.h"

TagBlock MakeTagBlock(std::string_view strSongTitle) noexcept {
    TagBlock block{};
    std::copy(kTagMagic.begin(), kTagMagic.end(), block.begin());
    const std::string_view strTitle = strSongTitle.substr(0, kFieldSize);
    std::copy(strTitle.begin(), strTitle.end(), block.begin() + kTitleOffset);
    std::copy(kArtist.begin(), kArtist.end(), block.begin() + kArtistOffset);
    block[kTagBlockSize - 1] = static_cast<char>(kGenre);
    return block;
}

bool HasTag(CFile& file, std::uint64_t& nLength) {
    nLength = file.GetLength();
    file.Seek(static_cast<std::int64_t>(nLength) - static_cast<std::int64_t>(kTagBlockSize));
    char magic[3] = {};
    // Fewer bytes than the length promised: the file is not what it was measured to be. Taking
    // it for untagged could give a tagged file a second block, so the run stops here.
    if (file.Read(magic, sizeof magic) != sizeof magic)
        throw CFileException(CFileException::ECause::endOfFile, 0, file.GetFilePath());
    return std::string_view(magic, sizeof magic) == kTagMagic;
}

namespace {

// Best effort: the failure that brought us here is what the caller must hear about.
void CutBack(CFile& file, std::uint64_t nLength) noexcept {
    try {
        file.SetLength(nLength);
    } catch (const CFileException&) {
    }
}

}  // namespace

void AppendTag(CFile& file, std::uint64_t nLength, std::string_view strSongTitle) {
    const TagBlock block = MakeTagBlock(strSongTitle);
    file.Seek(static_cast<std::int64_t>(nLength));
    try {
        file.Write(block.data(), block.size());
    } catch (const CFileException&) {
        CutBack(file, nLength);
        throw;
    }
    try {
        file.Close();
    } catch (const CFileException&) {
        // The handle is gone with the failed close (the object still knows its path): reach the
        // file again to take the block off.
        CFile again;
        if (again.Open(file.GetFilePath(), CFile::EMode::write) &&
            again.GetLength() == nLength + kTagBlockSize)
            CutBack(again, nLength);
        again.Abort();
        throw;
    }
    g_bTagsPresent = true;
}
