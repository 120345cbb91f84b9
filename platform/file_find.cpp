#include "file_find.h"

bool CFileFind::FindFile(const std::string& strDir, const std::string& strPattern) {
    Close();
    m_bCurrent = false;
    SysError nError = 0;
    m_pSearch = FileSystem().FindFiles(strDir, strPattern, &nError);
    return m_pSearch != nullptr;
}

bool CFileFind::FindNextFile() noexcept {
    m_bCurrent = m_pSearch && m_pSearch->FindNextFile();
    return m_bCurrent;
}

const std::string& CFileFind::GetFileName() const noexcept {
    static const std::string kNone;
    return m_bCurrent ? m_pSearch->GetFileName() : kNone;
}

bool CFileFind::IsDirectory() noexcept { return m_bCurrent && m_pSearch->IsDirectory(); }

bool CFileFind::IsDots() noexcept {
    const std::string& strName = GetFileName();
    return (strName == "." || strName == "..") && IsDirectory();
}
