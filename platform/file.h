// A file object: one open track file at a time, closed when the object goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "file_system.h"

class CFile {
public:
    enum class EMode { read, write };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile();

    // Opens an existing regular file, never creating or truncating it, with no sharing.
    // Failure is reported by the result, never raised.
    bool Open(const std::string& strPath, EMode eMode);

    // The length measured when the file was opened, kept current by this object's own writes.
    std::uint64_t GetLength() const noexcept { return m_nLength; }
    // Counted from the beginning; a target before the start is a bad seek.
    void Seek(std::int64_t nOffset);
    std::uint64_t SeekToEnd() noexcept;
    // Gives the count read, smaller than asked only at the end of the file.
    std::size_t Read(void* pBuffer, std::size_t nCount);
    // Storing fewer bytes than asked is a failure (disk full).
    void Write(const void* pBuffer, std::size_t nCount);
    void SetLength(std::uint64_t nLength);
    // Raises when the system reports an error on release; the file is released either way.
    void Close();
    // Releases the file, ignoring any error.
    void Abort() noexcept;

    bool IsOpen() const noexcept { return m_hFile != kNoHandle; }
    const std::string& GetFilePath() const noexcept { return m_strPath; }

private:
    [[noreturn]] void Raise(SysError nError, CFileException::ECause eIfNone) const;

    NativeHandle m_hFile = kNoHandle;
    std::uint64_t m_nLength = 0;
    std::uint64_t m_nPosition = 0;
    std::string m_strPath;
};
