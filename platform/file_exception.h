// The failure of a file operation other than an opening.
#pragma once

#include <stdexcept>
#include <string>

class CFileException : public std::runtime_error {
public:
    enum class ECause {
        generic,
        badSeek,
        hardIO,
        diskFull,
        accessDenied,
        endOfFile,
    };

    CFileException(ECause eCause, int nOsError, std::string strFileName);

    ECause m_eCause;
    int m_nOsError;             // the system's error code, 0 when the system reported none
    std::string m_strFileName;  // the file the failing operation worked on
};

// One sentence in Russian naming the cause and the file, for the user.
std::string DescribeFileException(const CFileException& e);
