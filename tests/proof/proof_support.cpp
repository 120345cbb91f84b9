#include "proof_support.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::set<std::string> OpenDescriptors() {
    std::set<std::string> fds;
    // Listing the folder itself takes a descriptor; it is gone once the listing ends.
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd", ec)) {
        const fs::path target = fs::read_symlink(entry.path(), ec);
        fds.insert(entry.path().filename().string() + " -> " + (ec ? "?" : target.string()));
    }
    std::set<std::string> stable;
    for (const auto& strFd : fds)
        if (strFd.find("/proc/") == std::string::npos) stable.insert(strFd);
    return stable;
}

std::map<std::string, SEntry> SnapshotTree(const std::string& strRoot) {
    std::map<std::string, SEntry> tree;
    for (const auto& entry : fs::recursive_directory_iterator(strRoot)) {
        const std::string strPath = fs::relative(entry.path(), strRoot).string();
        const fs::file_status st = entry.symlink_status();
        if (fs::is_symlink(st)) {
            tree[strPath] = {'l', fs::read_symlink(entry.path()).string()};
        } else if (fs::is_directory(st)) {
            tree[strPath] = {'d', {}};
        } else if (fs::is_regular_file(st)) {
            std::ifstream in(entry.path(), std::ios::binary);
            tree[strPath] = {'f', std::string(std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>())};
        } else {
            tree[strPath] = {'o', {}};
        }
    }
    return tree;
}
