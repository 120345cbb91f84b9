#include "file.h"

#include <limits>

CFile::~CFile() { Abort(); }

bool CFile::Open(const std::string& strPath, EMode eMode) {
    Abort();
    NativeHandle hFile = kNoHandle;
    std::uint64_t nLength = 0;
    const EAccess eAccess = eMode == EMode::read ? EAccess::read : EAccess::write;
    if (FileSystem().OpenExisting(strPath, eAccess, &hFile, &nLength) != 0) return false;
    m_hFile = hFile;
    m_nLength = nLength;
    m_nPosition = 0;
    m_strPath = strPath;
    return true;
}

void CFile::Raise(SysError nError, CFileException::ECause eIfNone) const {
    const auto eCause = nError != 0 ? FileSystem().CauseOf(nError) : eIfNone;
    throw CFileException(eCause, nError, m_strPath);
}

void CFile::Seek(std::int64_t nOffset) {
    if (nOffset < 0) Raise(0, CFileException::ECause::badSeek);
    m_nPosition = static_cast<std::uint64_t>(nOffset);
}

std::uint64_t CFile::SeekToEnd() noexcept {
    m_nPosition = m_nLength;
    return m_nPosition;
}

std::size_t CFile::Read(void* pBuffer, std::size_t nCount) {
    std::size_t nRead = 0;
    if (const SysError nError = FileSystem().ReadAt(m_hFile, m_nPosition, pBuffer, nCount, &nRead))
        Raise(nError, CFileException::ECause::hardIO);
    m_nPosition += nRead;
    return nRead;
}

void CFile::Write(const void* pBuffer, std::size_t nCount) {
    if (nCount == 0) return;
    std::size_t nWritten = 0;
    const SysError nError = FileSystem().WriteAt(m_hFile, m_nPosition, pBuffer, nCount, &nWritten);
    m_nPosition += nWritten;
    if (m_nPosition > m_nLength) m_nLength = m_nPosition;
    if (nError != 0 || nWritten < nCount) Raise(nError, CFileException::ECause::diskFull);
}

void CFile::SetLength(std::uint64_t nLength) {
    if (const SysError nError = FileSystem().SetLength(m_hFile, nLength))
        Raise(nError, CFileException::ECause::hardIO);
    m_nLength = nLength;
}

void CFile::Close() {
    if (!IsOpen()) return;
    const NativeHandle hFile = m_hFile;
    m_hFile = kNoHandle;
    if (const SysError nError = FileSystem().Close(hFile))
        Raise(nError, CFileException::ECause::hardIO);
}

void CFile::Abort() noexcept {
    if (!IsOpen()) return;
    FileSystem().Close(m_hFile);
    m_hFile = kNoHandle;
}
