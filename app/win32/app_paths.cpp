#include "app_paths.h"

#include <windows.h>

namespace {

// Where the last path component starts: after the last "\", "/" or ":".
std::size_t NameStart(std::wstring_view strPath) {
    const std::size_t nSeparator = strPath.find_last_of(L"\\/:");
    return nSeparator == std::wstring_view::npos ? 0 : nSeparator + 1;
}

// Where the extension starts, or the end. Only a dot of the last component counts: a dot in a
// folder name (C:\Program.Files\tagger) is no extension.
std::size_t ExtensionStart(std::wstring_view strPath) {
    const std::size_t nDot = strPath.rfind(L'.');
    return nDot == std::wstring_view::npos || nDot < NameStart(strPath) ? strPath.size() : nDot;
}

}  // namespace

std::wstring ApplicationTitle(std::wstring_view strExePath) {
    const std::size_t nStart = NameStart(strExePath);
    return std::wstring(strExePath.substr(nStart, ExtensionStart(strExePath) - nStart));
}

std::wstring HelpFilePath(std::wstring_view strExePath) {
    return std::wstring(strExePath.substr(0, ExtensionStart(strExePath))) + L".HLP";
}

std::wstring ExecutablePath() {
    // The path may be longer than MAX_PATH: grow the buffer until it fits.
    std::wstring strPath(MAX_PATH, L'\0');
    for (;;) {
        const DWORD nLength =
            ::GetModuleFileNameW(nullptr, strPath.data(), static_cast<DWORD>(strPath.size()));
        if (nLength == 0) return std::wstring();
        if (nLength < strPath.size()) {
            strPath.resize(nLength);
            return strPath;
        }
        strPath.resize(strPath.size() * 2);
    }
}
