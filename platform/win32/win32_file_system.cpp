// The file system of Windows, through its wide-character calls. The engine's names are UTF-8;
// they are converted at this boundary only, so the engine sees the same names as elsewhere.
#include <windows.h>

#include <algorithm>
#include <limits>

#include "../file_system.h"
#include "../wildcard.h"
#include "wide.h"

namespace {

HANDLE ToHandle(NativeHandle hFile) noexcept { return reinterpret_cast<HANDLE>(hFile); }

OVERLAPPED AtPosition(std::uint64_t nPosition) noexcept {
    OVERLAPPED overlapped{};
    overlapped.Offset = static_cast<DWORD>(nPosition);
    overlapped.OffsetHigh = static_cast<DWORD>(nPosition >> 32);
    return overlapped;
}

// A single ReadFile or WriteFile moves at most this much.
constexpr std::size_t kMaxChunk = std::numeric_limits<DWORD>::max() / 2 + 1;

class CWin32DirSearch final : public CDirSearch {
public:
    CWin32DirSearch(HANDLE hFind, const WIN32_FIND_DATAW& first, std::string strPattern)
        : m_hFind(hFind),
          m_data(first),
          m_bPending(hFind != INVALID_HANDLE_VALUE),
          m_strPattern(std::move(strPattern)) {}
    CWin32DirSearch(const CWin32DirSearch&) = delete;
    CWin32DirSearch& operator=(const CWin32DirSearch&) = delete;
    ~CWin32DirSearch() override {
        if (m_hFind != INVALID_HANDLE_VALUE) ::FindClose(m_hFind);
    }

    bool FindNextFile() noexcept override {
        while (m_bPending ||
               (m_hFind != INVALID_HANDLE_VALUE && ::FindNextFileW(m_hFind, &m_data))) {
            m_bPending = false;
            m_strName = WideToUtf8(m_data.cFileName);
            // The system also matches the short 8.3 name: "x.mp3x" is delivered for "*.mp3"
            // through its short name X~1.MP3. Only the real name counts here.
            if (MatchesWildcard(m_strName, m_strPattern)) return true;
        }
        return false;  // the end, or a listing that cannot be read further
    }

    const std::string& GetFileName() const noexcept override { return m_strName; }

    bool IsDirectory() noexcept override {
        return (m_data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }

private:
    HANDLE m_hFind;
    WIN32_FIND_DATAW m_data;
    bool m_bPending;  // the entry FindFirstFileW delivered, not yet made current
    std::string m_strPattern;
    std::string m_strName;
};

class CWin32FileSystem final : public CFileSystem {
public:
    SysError OpenExisting(const std::string& strPath, EAccess eAccess, NativeHandle* phFile,
                          std::uint64_t* pnLength) noexcept override {
        // Share mode 0 denies the file to every other opener while it is open; OPEN_EXISTING
        // never creates and never truncates. A folder cannot be opened this way at all.
        const HANDLE hFile = ::CreateFileW(
            Utf8ToWide(strPath).c_str(), eAccess == EAccess::read ? GENERIC_READ : GENERIC_WRITE, 0,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile == INVALID_HANDLE_VALUE) return static_cast<SysError>(::GetLastError());
        // A device name (CON, NUL, COM1 and so on, with any extension) opens a device.
        SysError nError = 0;
        BY_HANDLE_FILE_INFORMATION info{};
        if (::GetFileType(hFile) != FILE_TYPE_DISK)
            nError = ERROR_BAD_FILE_TYPE;
        else if (!::GetFileInformationByHandle(hFile, &info))
            nError = static_cast<SysError>(::GetLastError());
        else if (eAccess == EAccess::write && (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY))
            nError = ERROR_ACCESS_DENIED;  // Windows refuses this itself; Wine run as root does not
        if (nError != 0) {
            ::CloseHandle(hFile);
            return nError;
        }
        *phFile = reinterpret_cast<NativeHandle>(hFile);
        *pnLength = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
        return 0;
    }

    SysError ReadAt(NativeHandle hFile, std::uint64_t nPosition, void* pBuffer, std::size_t nCount,
                    std::size_t* pnRead) noexcept override {
        *pnRead = 0;
        auto* pBytes = static_cast<char*>(pBuffer);
        while (*pnRead < nCount) {
            OVERLAPPED overlapped = AtPosition(nPosition + *pnRead);
            const DWORD nAsk = static_cast<DWORD>(std::min(nCount - *pnRead, kMaxChunk));
            DWORD nRead = 0;
            if (!::ReadFile(ToHandle(hFile), pBytes + *pnRead, nAsk, &nRead, &overlapped)) {
                const DWORD nError = ::GetLastError();
                if (nError == ERROR_HANDLE_EOF) break;  // a position at or past the end
                return static_cast<SysError>(nError);
            }
            if (nRead == 0) break;
            *pnRead += nRead;
        }
        return 0;
    }

    SysError WriteAt(NativeHandle hFile, std::uint64_t nPosition, const void* pBuffer,
                     std::size_t nCount, std::size_t* pnWritten) noexcept override {
        *pnWritten = 0;
        const auto* pBytes = static_cast<const char*>(pBuffer);
        while (*pnWritten < nCount) {
            OVERLAPPED overlapped = AtPosition(nPosition + *pnWritten);
            const DWORD nAsk = static_cast<DWORD>(std::min(nCount - *pnWritten, kMaxChunk));
            DWORD nWritten = 0;
            if (!::WriteFile(ToHandle(hFile), pBytes + *pnWritten, nAsk, &nWritten, &overlapped))
                return static_cast<SysError>(::GetLastError());
            *pnWritten += nWritten;
            if (nWritten < nAsk) break;  // stored fewer bytes than asked: the caller decides
        }
        return 0;
    }

    SysError SetLength(NativeHandle hFile, std::uint64_t nLength) noexcept override {
        LARGE_INTEGER position{};
        position.QuadPart = static_cast<LONGLONG>(nLength);
        if (!::SetFilePointerEx(ToHandle(hFile), position, nullptr, FILE_BEGIN) ||
            !::SetEndOfFile(ToHandle(hFile)))
            return static_cast<SysError>(::GetLastError());
        return 0;
    }

    SysError Close(NativeHandle hFile) noexcept override {
        return ::CloseHandle(ToHandle(hFile)) ? 0 : static_cast<SysError>(::GetLastError());
    }

    std::unique_ptr<CDirSearch> FindFiles(const std::string& strDir, const std::string& strPattern,
                                          SysError* pError) override {
        WIN32_FIND_DATAW data{};
        const HANDLE hFind =
            ::FindFirstFileW(Utf8ToWide(strDir + '\\' + strPattern).c_str(), &data);
        if (hFind == INVALID_HANDLE_VALUE) {
            const DWORD nError = ::GetLastError();
            // A folder that exists but holds no match is a search with no entries, as elsewhere.
            if (nError != ERROR_FILE_NOT_FOUND && nError != ERROR_NO_MORE_FILES) {
                *pError = static_cast<SysError>(nError);
                return nullptr;
            }
        }
        *pError = 0;
        return std::make_unique<CWin32DirSearch>(hFind, data, strPattern);
    }

    CFileException::ECause CauseOf(SysError nError) const noexcept override {
        switch (static_cast<DWORD>(nError)) {
            case ERROR_DISK_FULL:
            case ERROR_HANDLE_DISK_FULL:
            case ERROR_FILE_TOO_LARGE:
                return CFileException::ECause::diskFull;
            case ERROR_CRC:
            case ERROR_READ_FAULT:
            case ERROR_WRITE_FAULT:
            case ERROR_GEN_FAILURE:
            case ERROR_IO_DEVICE:
            case ERROR_SECTOR_NOT_FOUND:
                return CFileException::ECause::hardIO;
            case ERROR_ACCESS_DENIED:
            case ERROR_SHARING_VIOLATION:
            case ERROR_LOCK_VIOLATION:
            case ERROR_WRITE_PROTECT:
                return CFileException::ECause::accessDenied;
            case ERROR_NEGATIVE_SEEK:
            case ERROR_SEEK:
            case ERROR_SEEK_ON_DEVICE:
                return CFileException::ECause::badSeek;
            case ERROR_HANDLE_EOF:
                return CFileException::ECause::endOfFile;
            default:
                return CFileException::ECause::generic;
        }
    }

    std::string ErrorText(SysError nError) const override {
        wchar_t* pszText = nullptr;
        const DWORD nLength =
            ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, static_cast<DWORD>(nError), 0,
                             reinterpret_cast<wchar_t*>(&pszText), 0, nullptr);
        if (nLength == 0 || pszText == nullptr) return "error " + std::to_string(nError);
        std::wstring strText(pszText, nLength);
        ::LocalFree(pszText);
        // The system's texts end in a full stop and a line break; the caller adds its own.
        while (!strText.empty() && (strText.back() == L'\n' || strText.back() == L'\r' ||
                                    strText.back() == L' ' || strText.back() == L'.'))
            strText.pop_back();
        return WideToUtf8(strText);
    }
};

}  // namespace

CFileSystem& NativeFileSystem() noexcept {
    static CWin32FileSystem s_fileSystem;
    return s_fileSystem;
}
