#include "app_paths.h"

namespace {

// Where the file name begins: after the last separator of either kind or a drive colon.
std::size_t FileNameStart(std::string_view strPath) {
    const std::size_t nSeparator = strPath.find_last_of("\\/:");
    return nSeparator == std::string_view::npos ? 0 : nSeparator + 1;
}

// Where the extension of the file name begins, or the path's end. Only the file name is looked
// at, so a dot in a folder name (~/.local/bin/zelivar-tagger) is no extension; nor is the leading
// dot of a name like ".hidden".
std::size_t ExtensionStart(std::string_view strPath) {
    const std::size_t nName = FileNameStart(strPath);
    const std::size_t nDot = strPath.rfind('.');
    return nDot == std::string_view::npos || nDot <= nName ? strPath.size() : nDot;
}

}  // namespace

std::string ApplicationTitle(std::string_view strExePath) {
    const std::size_t nName = FileNameStart(strExePath);
    return std::string(strExePath.substr(nName, ExtensionStart(strExePath) - nName));
}

std::string HelpFilePath(std::string_view strExePath) {
    return std::string(strExePath.substr(0, ExtensionStart(strExePath))) + ".HLP";
}
