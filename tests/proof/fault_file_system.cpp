#include "fault_file_system.h"

#include <cerrno>
#include <exception>
#include <utility>

namespace {

// The listing of a search, counted and failed like every other operation.
class CFaultDirSearch final : public CDirSearch {
public:
    CFaultDirSearch(CFaultFileSystem& fileSystem, std::unique_ptr<CDirSearch> pInner,
                    std::string strDir)
        : m_fileSystem(fileSystem), m_pInner(std::move(pInner)), m_strDir(std::move(strDir)) {}

    bool FindNextFile() noexcept override {
        if (m_fileSystem.Record(EOp::findNext, m_strDir) && m_fileSystem.Fails(EFault::error)) {
            m_fileSystem.MarkFailed();
            return false;  // the listing cannot be read any further
        }
        return m_pInner->FindNextFile();
    }
    const std::string& GetFileName() const noexcept override { return m_pInner->GetFileName(); }
    bool IsDirectory() noexcept override { return m_pInner->IsDirectory(); }

private:
    CFaultFileSystem& m_fileSystem;
    std::unique_ptr<CDirSearch> m_pInner;
    std::string m_strDir;
};

}  // namespace

const char* OpName(EOp eOp) noexcept {
    switch (eOp) {
        case EOp::open:
            return "open";
        case EOp::read:
            return "read";
        case EOp::write:
            return "write";
        case EOp::setLength:
            return "set-length";
        case EOp::close:
            return "close";
        case EOp::findFiles:
            return "find-files";
        case EOp::findNext:
            return "find-next";
    }
    return "?";
}

const char* FaultName(EFault eFault) noexcept {
    switch (eFault) {
        case EFault::none:
            return "none";
        case EFault::error:
            return "error";
        case EFault::shortRead:
            return "short-read";
        case EFault::shortWrite:
            return "short-write";
        case EFault::failingClose:
            return "failing-close";
    }
    return "?";
}

std::vector<EFault> FaultsFor(EOp eOp) {
    switch (eOp) {
        case EOp::read:
            return {EFault::error, EFault::shortRead};
        case EOp::write:
            return {EFault::error, EFault::shortWrite};
        case EOp::close:
            return {EFault::failingClose};
        default:
            return {EFault::error};
    }
}

CFaultFileSystem::CFaultFileSystem(std::size_t nFailAt, EFault eFault,
                                   const std::vector<std::string>* pMessages)
    : m_nFailAt(nFailAt), m_eFault(eFault), m_pMessages(pMessages) {}

bool CFaultFileSystem::Record(EOp eOp, const std::string& strPath) {
    m_ops.push_back({eOp, strPath, std::uncaught_exceptions() > 0,
                     m_pMessages != nullptr ? m_pMessages->size() : 0});
    if (m_onOp) m_onOp(m_ops.back());
    return m_eFault != EFault::none && m_ops.size() - 1 == m_nFailAt;
}

bool CFaultFileSystem::Fails(EFault eFault) const noexcept {
    return m_eFault == eFault && m_ops.size() - 1 == m_nFailAt;
}

SysError CFaultFileSystem::OpenExisting(const std::string& strPath, EAccess eAccess,
                                        NativeHandle* phFile, std::uint64_t* pnLength) noexcept {
    if (Record(EOp::open, strPath)) {
        MarkFailed();
        return EACCES;
    }
    const SysError nError = NativeFileSystem().OpenExisting(strPath, eAccess, phFile, pnLength);
    if (nError != 0)
        MarkFailed();
    else
        m_paths[*phFile] = strPath;
    return nError;
}

SysError CFaultFileSystem::ReadAt(NativeHandle hFile, std::uint64_t nPosition, void* pBuffer,
                                  std::size_t nCount, std::size_t* pnRead) noexcept {
    if (Record(EOp::read, m_paths[hFile]) && Fails(EFault::error)) {
        MarkFailed();
        *pnRead = 0;
        return EIO;
    }
    const SysError nError = NativeFileSystem().ReadAt(hFile, nPosition, pBuffer, nCount, pnRead);
    if (Fails(EFault::shortRead) && *pnRead > 0) *pnRead = (*pnRead - 1) / 2;
    return nError;
}

SysError CFaultFileSystem::WriteAt(NativeHandle hFile, std::uint64_t nPosition, const void* pBuffer,
                                   std::size_t nCount, std::size_t* pnWritten) noexcept {
    if (Record(EOp::write, m_paths[hFile])) {
        MarkFailed();
        if (Fails(EFault::error)) {
            *pnWritten = 0;
            return ENOSPC;
        }
        // A disk that fills up half-way: part of the bytes really land in the file.
        return NativeFileSystem().WriteAt(hFile, nPosition, pBuffer, nCount / 2, pnWritten);
    }
    return NativeFileSystem().WriteAt(hFile, nPosition, pBuffer, nCount, pnWritten);
}

SysError CFaultFileSystem::SetLength(NativeHandle hFile, std::uint64_t nLength) noexcept {
    if (Record(EOp::setLength, m_paths[hFile])) {
        MarkFailed();
        return EIO;
    }
    return NativeFileSystem().SetLength(hFile, nLength);
}

SysError CFaultFileSystem::Close(NativeHandle hFile) noexcept {
    const bool bFail = Record(EOp::close, m_paths[hFile]);
    m_paths.erase(hFile);
    const SysError nError = NativeFileSystem().Close(hFile);
    if (!bFail) return nError;
    MarkFailed();
    return EIO;  // released all the same, as a close that fails on a network share
}

std::unique_ptr<CDirSearch> CFaultFileSystem::FindFiles(const std::string& strDir,
                                                        const std::string& strPattern,
                                                        SysError* pError) {
    if (Record(EOp::findFiles, strDir)) {
        MarkFailed();
        *pError = EIO;
        return nullptr;
    }
    auto pInner = NativeFileSystem().FindFiles(strDir, strPattern, pError);
    if (!pInner) {
        MarkFailed();
        return nullptr;
    }
    return std::make_unique<CFaultDirSearch>(*this, std::move(pInner), strDir);
}

CFileException::ECause CFaultFileSystem::CauseOf(SysError nError) const noexcept {
    return NativeFileSystem().CauseOf(nError);
}

std::string CFaultFileSystem::ErrorText(SysError nError) const {
    return NativeFileSystem().ErrorText(nError);
}
