// The tagging run over the archive and the album pass over one album folder.
#pragma once

#include <string>
#include <string_view>

// Whether any track file of the current run was found tagged or received a tag.
extern bool g_bTagsPresent;

inline constexpr std::string_view kTextTagsWritten = "Таги прописаны успешно :)";
inline constexpr std::string_view kTextTagsFailed = "Не смог прописать таги :(";
inline constexpr std::string_view kTextFileNotFound = "File not found :(";

// Tags every album folder of the current directory, then shows the completion message.
// A file exception ends the run and passes on to the caller.
void TagArchive();

// Tags the untagged "*.mp3" track files of one album folder.
void TagAlbum(std::string strAlbum);

// The entry's name less its last extension.
std::string TrackTitle(std::string_view strEntryName);
// The track title in Windows-1251 less its first five bytes (the track number prefix).
std::string SongTitle(std::string_view strTrackTitle);
