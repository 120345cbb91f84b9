// A file system that hands every operation to another one (the native one by default), for
// tests that change what one operation does and leave the rest real. It puts itself in place
// while it lives.
#pragma once

#include "../../platform/file_system.h"

class CForwardingFileSystem : public CFileSystem {
public:
    CForwardingFileSystem() : m_pTarget(&NativeFileSystem()) { m_pPrevious = SetFileSystem(this); }
    CForwardingFileSystem(const CForwardingFileSystem&) = delete;
    CForwardingFileSystem& operator=(const CForwardingFileSystem&) = delete;
    ~CForwardingFileSystem() override { SetFileSystem(m_pPrevious); }

    SysError OpenExisting(const std::string& strPath, EAccess eAccess, NativeHandle* phFile,
                          std::uint64_t* pnLength) noexcept override {
        return m_pTarget->OpenExisting(strPath, eAccess, phFile, pnLength);
    }
    SysError ReadAt(NativeHandle hFile, std::uint64_t nPosition, void* pBuffer, std::size_t nCount,
                    std::size_t* pnRead) noexcept override {
        return m_pTarget->ReadAt(hFile, nPosition, pBuffer, nCount, pnRead);
    }
    SysError WriteAt(NativeHandle hFile, std::uint64_t nPosition, const void* pBuffer,
                     std::size_t nCount, std::size_t* pnWritten) noexcept override {
        return m_pTarget->WriteAt(hFile, nPosition, pBuffer, nCount, pnWritten);
    }
    SysError SetLength(NativeHandle hFile, std::uint64_t nLength) noexcept override {
        return m_pTarget->SetLength(hFile, nLength);
    }
    SysError Close(NativeHandle hFile) noexcept override { return m_pTarget->Close(hFile); }
    std::unique_ptr<CDirSearch> FindFiles(const std::string& strDir, const std::string& strPattern,
                                          SysError* pError) override {
        return m_pTarget->FindFiles(strDir, strPattern, pError);
    }
    CFileException::ECause CauseOf(SysError nError) const noexcept override {
        return m_pTarget->CauseOf(nError);
    }
    std::string ErrorText(SysError nError) const override { return m_pTarget->ErrorText(nError); }

private:
    CFileSystem* m_pTarget;
    CFileSystem* m_pPrevious;
};
