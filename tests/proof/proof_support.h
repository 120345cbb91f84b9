// What the proofs compare: the process's open descriptors and every entry of an archive.
#pragma once

#include <map>
#include <set>
#include <string>

// The descriptors this process holds, each with what it refers to.
std::set<std::string> OpenDescriptors();

struct SEntry {
    char m_cKind;           // 'f' file, 'd' folder, 'l' link, 'o' anything else
    std::string m_strData;  // a file's bytes, a link's target
    bool operator==(const SEntry&) const = default;
};
// Every entry below strRoot (links not followed), by path relative to it.
std::map<std::string, SEntry> SnapshotTree(const std::string& strRoot);
