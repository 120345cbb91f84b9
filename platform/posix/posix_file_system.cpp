// The file system of a POSIX system.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "../file_system.h"
#include "../wildcard.h"

namespace {

class CPosixDirSearch final : public CDirSearch {
public:
    CPosixDirSearch(DIR* pDir, std::string strPattern)
        : m_pDir(pDir), m_strPattern(std::move(strPattern)) {}
    CPosixDirSearch(const CPosixDirSearch&) = delete;
    CPosixDirSearch& operator=(const CPosixDirSearch&) = delete;
    ~CPosixDirSearch() override { ::closedir(m_pDir); }

    bool FindNextFile() noexcept override {
        // Entries come in the system's order, one at a time: nothing is collected or sorted.
        while (const dirent* pEntry = ::readdir(m_pDir)) {
            if (!MatchesWildcard(pEntry->d_name, m_strPattern)) continue;
            m_strName = pEntry->d_name;
            m_nType = pEntry->d_type;
            return true;
        }
        return false;  // the end, or a listing that cannot be read further
    }

    const std::string& GetFileName() const noexcept override { return m_strName; }

    bool IsDirectory() noexcept override {
        if (m_nType == DT_DIR) return true;
        if (m_nType != DT_LNK && m_nType != DT_UNKNOWN) return false;
        // A link is what it leads to; some file systems do not tell the type at all.
        struct stat st {};
        if (::fstatat(::dirfd(m_pDir), m_strName.c_str(), &st, 0) != 0) return false;
        m_nType = S_ISDIR(st.st_mode) ? DT_DIR : DT_REG;
        return m_nType == DT_DIR;
    }

private:
    DIR* m_pDir;
    std::string m_strPattern;
    std::string m_strName;
    unsigned char m_nType = DT_UNKNOWN;
};

// Some network file systems cannot lock at all, or not a file opened for reading only (NFS
// emulates these locks with record locks). Refusing every track there would make the archive
// untaggable; only a lock that somebody else holds stops an opening.
bool LockingUnsupported(int nError) noexcept {
    return nError == ENOLCK || nError == EOPNOTSUPP || nError == ENOTSUP || nError == EBADF ||
           nError == EINVAL;
}

class CPosixFileSystem final : public CFileSystem {
public:
    SysError OpenExisting(const std::string& strPath, EAccess eAccess, NativeHandle* phFile,
                          std::uint64_t* pnLength) noexcept override {
        // Never O_CREAT or O_TRUNC; O_NONBLOCK so that a FIFO or a device cannot hold us.
        const int nFlags =
            (eAccess == EAccess::read ? O_RDONLY : O_WRONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        int fd = -1;
        do fd = ::open(strPath.c_str(), nFlags);
        while (fd < 0 && errno == EINTR);
        if (fd < 0) return errno;
        // Sharing is denied by an exclusive lock, taken without waiting; the length is measured
        // only once the lock is held, so no other copy of the program can change it unseen.
        struct stat st {};
        SysError nError = 0;
        if ((::flock(fd, LOCK_EX | LOCK_NB) != 0 && !LockingUnsupported(errno)) ||
            ::fstat(fd, &st) != 0)
            nError = errno;
        else if (!S_ISREG(st.st_mode))
            nError = S_ISDIR(st.st_mode) ? EISDIR : ENODEV;
        if (nError != 0) {
            ::close(fd);
            return nError;
        }
        *phFile = fd;
        *pnLength = static_cast<std::uint64_t>(st.st_size);
        return 0;
    }

    SysError ReadAt(NativeHandle hFile, std::uint64_t nPosition, void* pBuffer, std::size_t nCount,
                    std::size_t* pnRead) noexcept override {
        *pnRead = 0;
        auto* pBytes = static_cast<char*>(pBuffer);
        while (*pnRead < nCount) {
            const ssize_t n = ::pread(static_cast<int>(hFile), pBytes + *pnRead, nCount - *pnRead,
                                      static_cast<off_t>(nPosition + *pnRead));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return errno;
            if (n == 0) break;
            *pnRead += static_cast<std::size_t>(n);
        }
        return 0;
    }

    SysError WriteAt(NativeHandle hFile, std::uint64_t nPosition, const void* pBuffer,
                     std::size_t nCount, std::size_t* pnWritten) noexcept override {
        *pnWritten = 0;
        ssize_t n = -1;
        do n = ::pwrite(static_cast<int>(hFile), pBuffer, nCount, static_cast<off_t>(nPosition));
        while (n < 0 && errno == EINTR);
        if (n < 0) return errno;
        *pnWritten = static_cast<std::size_t>(n);
        return 0;
    }

    SysError SetLength(NativeHandle hFile, std::uint64_t nLength) noexcept override {
        int r = -1;
        do r = ::ftruncate(static_cast<int>(hFile), static_cast<off_t>(nLength));
        while (r != 0 && errno == EINTR);
        return r == 0 ? 0 : errno;
    }

    SysError Close(NativeHandle hFile) noexcept override {
        // On Linux the descriptor is gone even when close reports EINTR: never retry it.
        if (::close(static_cast<int>(hFile)) == 0 || errno == EINTR) return 0;
        return errno;
    }

    std::unique_ptr<CDirSearch> FindFiles(const std::string& strDir, const std::string& strPattern,
                                          SysError* pError) override {
        DIR* pDir = ::opendir(strDir.c_str());
        if (pDir == nullptr) {
            *pError = errno;
            return nullptr;
        }
        *pError = 0;
        return std::make_unique<CPosixDirSearch>(pDir, strPattern);
    }

    CFileException::ECause CauseOf(SysError nError) const noexcept override {
        switch (nError) {
            case ENOSPC:
            case EFBIG:
            case EDQUOT:
                return CFileException::ECause::diskFull;
            case EIO:
                return CFileException::ECause::hardIO;
            case EACCES:
            case EPERM:
            case EROFS:
                return CFileException::ECause::accessDenied;
            case ESPIPE:
            case EOVERFLOW:
            case EINVAL:
                return CFileException::ECause::badSeek;
            default:
                return CFileException::ECause::generic;
        }
    }

    std::string ErrorText(SysError nError) const override { return std::strerror(nError); }
};

}  // namespace

CFileSystem& NativeFileSystem() noexcept {
    static CPosixFileSystem s_fileSystem;
    return s_fileSystem;
}
