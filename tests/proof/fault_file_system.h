// A file system in front of the native one that records every operation and can make one of
// them fail, so that a test can walk a run's failures one by one.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "../../platform/file_system.h"

enum class EOp { open, read, write, setLength, close, findFiles, findNext };

enum class EFault {
    none,
    error,         // the operation fails with a system error and does nothing
    shortRead,     // fewer bytes than asked, without an error
    shortWrite,    // half the bytes really written, the short count reported without an error
    failingClose,  // the handle really released, an error reported
};

const char* OpName(EOp eOp) noexcept;
const char* FaultName(EFault eFault) noexcept;
// The ways in which an operation of this kind can fail.
std::vector<EFault> FaultsFor(EOp eOp);

struct SOpRecord {
    EOp m_eOp;
    std::string m_strPath;          // the file or folder the operation works on
    bool m_bUnwinding;              // it ran while a failure was already on its way out
    std::size_t m_nMessagesBefore;  // messages shown before it
    bool m_bSucceeded = true;
};

class CFaultFileSystem final : public CFileSystem {
public:
    // Fails operation nFailAt (counted from 0) in the way eFault; EFault::none fails nothing.
    // pMessages, when given, is the message log whose size each record notes.
    CFaultFileSystem(std::size_t nFailAt, EFault eFault,
                     const std::vector<std::string>* pMessages = nullptr);

    SysError OpenExisting(const std::string& strPath, EAccess eAccess, NativeHandle* phFile,
                          std::uint64_t* pnLength) noexcept override;
    SysError ReadAt(NativeHandle hFile, std::uint64_t nPosition, void* pBuffer, std::size_t nCount,
                    std::size_t* pnRead) noexcept override;
    SysError WriteAt(NativeHandle hFile, std::uint64_t nPosition, const void* pBuffer,
                     std::size_t nCount, std::size_t* pnWritten) noexcept override;
    SysError SetLength(NativeHandle hFile, std::uint64_t nLength) noexcept override;
    SysError Close(NativeHandle hFile) noexcept override;
    std::unique_ptr<CDirSearch> FindFiles(const std::string& strDir, const std::string& strPattern,
                                          SysError* pError) override;
    CFileException::ECause CauseOf(SysError nError) const noexcept override;
    std::string ErrorText(SysError nError) const override;

    // Called as each operation begins, before it reaches the native file system.
    void SetOnOp(std::function<void(const SOpRecord&)> onOp) { m_onOp = std::move(onOp); }

    const std::vector<SOpRecord>& Ops() const noexcept { return m_ops; }
    // Whether the operation just recorded is the one to fail in this way.
    bool Fails(EFault eFault) const noexcept;
    // Records one operation; gives whether it is the one to fail.
    bool Record(EOp eOp, const std::string& strPath);
    void MarkFailed() noexcept { m_ops.back().m_bSucceeded = false; }

private:
    std::size_t m_nFailAt;
    EFault m_eFault;
    const std::vector<std::string>* m_pMessages;
    std::vector<SOpRecord> m_ops;
    std::function<void(const SOpRecord&)> m_onOp;
    std::map<NativeHandle, std::string> m_paths;
};
