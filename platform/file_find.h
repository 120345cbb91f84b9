// A directory search; the search ends when the object goes.
#pragma once

#include <memory>
#include <string>

#include "file_system.h"

class CFileFind {
public:
    // Starts the search of strDir for names matching strPattern; false when it cannot start.
    bool FindFile(const std::string& strDir, const std::string& strPattern);
    // Makes the next entry current; false when there is none (or no search).
    bool FindNextFile() noexcept;
    const std::string& GetFileName() const noexcept;
    bool IsDirectory() noexcept;
    // "." and "..", which are never albums.
    bool IsDots() noexcept;
    void Close() noexcept { m_pSearch.reset(); }

private:
    std::unique_ptr<CDirSearch> m_pSearch;
    bool m_bCurrent = false;
};
