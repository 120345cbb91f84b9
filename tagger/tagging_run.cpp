#include "../platform/file_find.h"
#include "../platform/message.h"
#include "tagging.h"

bool g_bTagsPresent = false;

void TagArchive() {
    // The completion text speaks of this run only.
    g_bTagsPresent = false;
    CFileFind finder;
    if (finder.FindFile(".", "*")) {
        while (finder.FindNextFile()) {
            if (finder.IsDirectory() && !finder.IsDots()) TagAlbum(finder.GetFileName());
        }
    }
    ShowMessage(std::string(g_bTagsPresent ? kTextTagsWritten : kTextTagsFailed));
}
