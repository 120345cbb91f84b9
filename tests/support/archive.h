// Test support: a real temporary archive that is the current directory while it lives, and a
// record of the messages the engine shows.
#pragma once

#include <string>
#include <vector>

#include "../../platform/message.h"
#include "../../tagger/tagging.h"

class CTempArchive {
public:
    CTempArchive();
    CTempArchive(const CTempArchive&) = delete;
    CTempArchive& operator=(const CTempArchive&) = delete;
    ~CTempArchive();

    const std::string& Root() const noexcept { return m_strRoot; }
    // Paths are relative to the archive root.
    void MakeDir(const std::string& strPath) const;
    void WriteFile(const std::string& strPath, const std::string& strBytes) const;
    std::string ReadFile(const std::string& strPath) const;
    bool Exists(const std::string& strPath) const;

private:
    std::string m_strRoot;
    std::string m_strPreviousDir;
};

// The engine's messages as a log records them.
inline const std::string kWritten{kTextTagsWritten};
inline const std::string kFailed{kTextTagsFailed};
inline const std::string kNotFound{kTextFileNotFound};
using Messages = std::vector<std::string>;

// Records every message while it lives, in place of a front end.
class CMessageLog {
public:
    CMessageLog();
    CMessageLog(const CMessageLog&) = delete;
    CMessageLog& operator=(const CMessageLog&) = delete;
    ~CMessageLog();

    std::vector<std::string> m_messages;

private:
    MessageHook m_previous;
};

// n bytes of track content that holds no tag anywhere.
std::string TrackBytes(std::size_t nSize, char cFill = 'x');
// What a track of these bytes becomes once tagged with this song title.
std::string Tagged(const std::string& strOriginal, const std::string& strSongTitle);
