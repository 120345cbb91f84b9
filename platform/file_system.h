// The operating system's files and directory searches, as the engine needs them.
//
// Everything the engine does to the disk goes through one CFileSystem. The native one is the
// default; a test may put a wrapper in front of it (SetFileSystem) to watch or fail operations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "file_exception.h"

// An open file as the system knows it (a descriptor, a handle).
using NativeHandle = std::intptr_t;
inline constexpr NativeHandle kNoHandle = -1;

// The system's error code of a failed operation; 0 means success.
using SysError = int;

enum class EAccess { read, write };

// One directory search. Destroying it ends the search.
class CDirSearch {
public:
    virtual ~CDirSearch() = default;
    // Makes the next matching entry current. False at the end of the listing and when it
    // cannot be read any further.
    virtual bool FindNextFile() noexcept = 0;
    // The current entry's bare name.
    virtual const std::string& GetFileName() const noexcept = 0;
    // Whether the current entry is a directory, a link to one counting as one.
    virtual bool IsDirectory() noexcept = 0;
};

class CFileSystem {
public:
    virtual ~CFileSystem() = default;

    // Opens an existing regular file without creating or truncating it, and denies it to every
    // other opener (taken without waiting). Fails on anything that is not a regular file, and
    // never blocks. On success gives the handle and the length measured once access is held.
    virtual SysError OpenExisting(const std::string& strPath, EAccess eAccess, NativeHandle* phFile,
                                  std::uint64_t* pnLength) noexcept = 0;
    virtual SysError ReadAt(NativeHandle hFile, std::uint64_t nPosition, void* pBuffer,
                            std::size_t nCount, std::size_t* pnRead) noexcept = 0;
    // A short count without an error is the system storing fewer bytes than asked.
    virtual SysError WriteAt(NativeHandle hFile, std::uint64_t nPosition, const void* pBuffer,
                             std::size_t nCount, std::size_t* pnWritten) noexcept = 0;
    virtual SysError SetLength(NativeHandle hFile, std::uint64_t nLength) noexcept = 0;
    // Releases the handle whatever the result.
    virtual SysError Close(NativeHandle hFile) noexcept = 0;

    // Starts a search of the folder strDir for names matching strPattern ("*" or "*.ext",
    // letters matched without regard to case). Null with *pError set when it cannot start.
    virtual std::unique_ptr<CDirSearch> FindFiles(const std::string& strDir,
                                                  const std::string& strPattern,
                                                  SysError* pError) = 0;

    // What kind of failure an error code is, and the system's own words for it.
    virtual CFileException::ECause CauseOf(SysError nError) const noexcept = 0;
    virtual std::string ErrorText(SysError nError) const = 0;
};

// The file system every file object and search uses.
CFileSystem& FileSystem() noexcept;
// The one the operating system provides.
CFileSystem& NativeFileSystem() noexcept;
// Puts pFileSystem in place (null: the native one) and gives the one it replaces.
CFileSystem* SetFileSystem(CFileSystem* pFileSystem) noexcept;
