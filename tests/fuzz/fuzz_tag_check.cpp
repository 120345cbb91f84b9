// Any file content: the tag check answers from the last 128 bytes, or raises for a short file,
// and a block appended to an untagged file is found by the next check.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../../platform/file.h"
#include "../../platform/file_exception.h"
#include "../../tagger/id3v1.h"
#include "../../tagger/tagging.h"

namespace {

std::string g_strDir;
std::string g_strPath;

void Require(bool bHolds) {
    if (!bHolds) std::abort();
}

void WriteWhole(std::string_view strBytes) {
    const int fd = ::open(g_strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    Require(fd >= 0);
    Require(::write(fd, strBytes.data(), strBytes.size()) == static_cast<ssize_t>(strBytes.size()));
    ::close(fd);
}

std::string ReadWhole() {
    std::string strBytes;
    const int fd = ::open(g_strPath.c_str(), O_RDONLY);
    Require(fd >= 0);
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        strBytes.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    return strBytes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A memory file system where there is one: the target rewrites its file every run.
    std::string strTemplate = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    strTemplate += "/zt-fuzz-XXXXXX";
    char* szDir = strTemplate.data();
    Require(::mkdtemp(szDir) != nullptr);
    g_strDir = szDir;
    g_strPath = g_strDir + "/01 - Track.mp3";
    std::atexit([] {
        ::unlink(g_strPath.c_str());
        ::rmdir(g_strDir.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    const std::string_view strBytes(reinterpret_cast<const char*>(pData), nSize);
    WriteWhole(strBytes);

    CFile file;
    Require(file.Open(g_strPath, CFile::EMode::read));
    std::uint64_t nLength = 0;
    bool bTagged = false;
    try {
        bTagged = HasTag(file, nLength);
    } catch (const CFileException& e) {
        Require(nSize < kTagBlockSize && e.m_eCause == CFileException::ECause::badSeek);
        return 0;
    }
    Require(nSize >= kTagBlockSize && nLength == nSize);
    Require(bTagged == (strBytes.substr(nSize - kTagBlockSize, 3) == kTagMagic));
    file.Close();
    if (bTagged) return 0;

    const std::string strSong = SongTitle(strBytes.substr(0, 40));
    Require(file.Open(g_strPath, CFile::EMode::write) && file.GetLength() == nLength);
    AppendTag(file, nLength, strSong);
    Require(!file.IsOpen());
    const TagBlock block = MakeTagBlock(strSong);
    Require(ReadWhole() == std::string(strBytes) + std::string(block.data(), block.size()));
    Require(file.Open(g_strPath, CFile::EMode::read) && HasTag(file, nLength));
    return 0;
}
