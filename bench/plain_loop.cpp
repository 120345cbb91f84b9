#include "plain_loop.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace {

constexpr int kOpenFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

bool EndsInMp3(const char* pszName) {
    const std::size_t n = std::strlen(pszName);
    return n >= 4 && ::strcasecmp(pszName + n - 4, ".mp3") == 0;
}

// open, flock, fstat: what each opening of the engine costs.
int OpenLocked(const std::string& strPath, int nAccess, off_t* pnSize) {
    const int fd = ::open(strPath.c_str(), nAccess | kOpenFlags);
    struct stat st {};
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &st) != 0 ||
        !S_ISREG(st.st_mode)) {
        if (fd >= 0) ::close(fd);
        return -1;
    }
    *pnSize = st.st_size;
    return fd;
}

void VisitTrack(const std::string& strPath) {
    off_t nSize = 0;
    int fd = OpenLocked(strPath, O_RDONLY, &nSize);
    if (fd < 0 || nSize < 128) {
        if (fd >= 0) ::close(fd);
        return;
    }
    char magic[3];
    const bool bTagged =
        ::pread(fd, magic, 3, nSize - 128) == 3 && std::memcmp(magic, "TAG", 3) == 0;
    ::close(fd);
    if (bTagged) return;
    off_t nNow = 0;
    fd = OpenLocked(strPath, O_WRONLY, &nNow);
    if (fd < 0) return;
    char block[128] = {'T', 'A', 'G'};
    block[127] = '\xFF';
    if (nNow == nSize && ::pwrite(fd, block, sizeof block, nSize) != sizeof block) {
        ::close(fd);
        return;
    }
    ::close(fd);
}

}  // namespace

std::size_t PlainLoop() {
    std::size_t nTracks = 0;
    DIR* pRoot = ::opendir(".");
    if (pRoot == nullptr) return 0;
    while (const dirent* pAlbum = ::readdir(pRoot)) {
        if (pAlbum->d_type != DT_DIR || pAlbum->d_name[0] == '.') continue;
        const std::string strAlbum = pAlbum->d_name;
        DIR* pDir = ::opendir(strAlbum.c_str());
        if (pDir == nullptr) continue;
        while (const dirent* pEntry = ::readdir(pDir)) {
            if (!EndsInMp3(pEntry->d_name)) continue;
            VisitTrack(strAlbum + "/" + pEntry->d_name);
            ++nTracks;
        }
        ::closedir(pDir);
    }
    ::closedir(pRoot);
    return nTracks;
}
