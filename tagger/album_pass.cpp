#include <cstdint>

#include "../platform/codepage.h"
#include "../platform/file.h"
#include "../platform/file_find.h"
#include "../platform/message.h"
#include "id3v1.h"
#include "tagging.h"

namespace {

constexpr std::size_t kTrackNumberPrefix = 5;  // "01 - "

void TagTrack(const std::string& strAlbum, const std::string& strEntryName) {
    // The entry's own file, whatever the letter case of its extension.
    const std::string strPath = strAlbum + '/' + strEntryName;
    CFile file;
    if (!file.Open(strPath, CFile::EMode::read)) {
        ShowMessage(std::string(kTextFileNotFound));
        return;
    }
    const std::string strSongTitle = SongTitle(TrackTitle(strEntryName));
    std::uint64_t nLength = 0;
    if (HasTag(file, nLength)) {
        g_bTagsPresent = true;
        file.Close();
        return;
    }
    file.Close();
    // Another program may have changed the file while we held no claim on it; appending at
    // the old length would then no longer end it in exactly one block.
    if (!file.Open(strPath, CFile::EMode::write) || file.GetLength() != nLength) {
        file.Abort();
        ShowMessage(std::string(kTextFileNotFound));
        return;
    }
    AppendTag(file, nLength, strSongTitle);
}

}  // namespace

std::string TrackTitle(std::string_view strEntryName) {
    return std::string(strEntryName.substr(0, strEntryName.rfind('.')));
}

std::string SongTitle(std::string_view strTrackTitle) {
    // Converted first, so that every count is in the bytes the tag will hold.
    const std::string strTitle = Utf8ToCp1251(strTrackTitle);
    return strTitle.size() > kTrackNumberPrefix ? strTitle.substr(kTrackNumberPrefix) : "";
}

// Taken by value: the album pass works on its own copy of the name the run hands it.
// cppcheck-suppress passedByValue
void TagAlbum(std::string strAlbum) {  // NOLINT(performance-unnecessary-value-param)
    CFileFind finder;
    // A folder without tracks (scans, covers) has nothing to report.
    if (!finder.FindFile(strAlbum, "*.mp3")) return;
    while (finder.FindNextFile()) TagTrack(strAlbum, finder.GetFileName());
}
