// Entries that are no plain track, or that change under the run: each ends as it should, none
// blocks the run and none crashes it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../../platform/file_exception.h"
#include "../../platform/message.h"
#include "../../tagger/id3v1.h"
#include "../../tagger/tagging.h"
#include "../support/archive.h"
#include "child.h"
#include "fault_file_system.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kGiB = 1ULL << 30;
const std::string kNormal = "A/00 - Normal.mp3";

void Check(bool bOk, const char* pszWhat) {
    if (!bOk) throw std::runtime_error(pszWhat);
}

void Link(const CTempArchive& archive, const std::string& strTarget, const std::string& strPath) {
    Check(::symlink(strTarget.c_str(), (archive.Root() + "/" + strPath).c_str()) == 0, "symlink");
}

void MakeSocket(const CTempArchive& archive, const std::string& strPath) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string strFull = archive.Root() + "/" + strPath;
    Check(strFull.size() < sizeof address.sun_path, "socket path too long");
    strFull.copy(address.sun_path, strFull.size());
    Check(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0, "bind");
    ::close(fd);  // the socket file stays
}

void MakeSparse(const CTempArchive& archive, const std::string& strPath, std::uint64_t nSize) {
    const int fd = ::open((archive.Root() + "/" + strPath).c_str(), O_CREAT | O_WRONLY, 0644);
    Check(fd >= 0 && ::pwrite(fd, "ID3", 3, 0) == 3 &&
              ::ftruncate(fd, static_cast<off_t>(nSize)) == 0,
          "sparse file");
    ::close(fd);
}

// A file's size, first bytes and last block, enough to compare even a file of gigabytes.
struct SFileView {
    std::uint64_t m_nSize = 0;
    std::string m_strHead;
    std::string m_strTail;
};

SFileView ViewFile(const std::string& strPath) {
    SFileView view;
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_NONBLOCK);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0) ::close(fd);
        return view;
    }
    view.m_nSize = static_cast<std::uint64_t>(st.st_size);
    const auto Read = [&](std::uint64_t nAt, std::size_t nCount) {
        std::string strBytes(nCount, '\0');
        const ssize_t n = ::pread(fd, strBytes.data(), nCount, static_cast<off_t>(nAt));
        strBytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return strBytes;
    };
    view.m_strHead = Read(0, 4096);
    view.m_strTail =
        Read(view.m_nSize > kTagBlockSize ? view.m_nSize - kTagBlockSize : 0, kTagBlockSize);
    ::close(fd);
    return view;
}

struct SRowResult {
    std::vector<std::string> m_messages;
    std::string m_strExceptionFile;  // empty when the run completed
};

struct SHostileCase {
    const char* m_pszName;
    std::function<void(const CTempArchive&)> m_fnSetUp;
    int m_nNotFound = 0;                                             // "File not found :("
    std::vector<std::pair<std::string, std::string>> m_tagged = {};  // track, song title
    std::vector<std::string> m_unchanged = {};
    std::string m_strEndsAt = {};  // the file whose exception ends the run; empty: it completes
    bool m_bAsNobody = false;
    // Changes the archive as the run reaches an operation, through the file layer's seam.
    std::function<void(const CTempArchive&, const SOpRecord&)> m_fnDuringRun = {};
};

void PrintTo(const SHostileCase& hostile, std::ostream* pOut) { *pOut << hostile.m_pszName; }

// One run in a child process (so that a hang or a crash shows as such), reported line by line.
SChildResult RunEngineInChild(const CTempArchive& archive, const SHostileCase& hostile) {
    return RunInChild(
        [&](int fdOut) {
            const auto Say = [fdOut](const std::string& strLine) {
                const std::string strOut = strLine + '\x1e';
                return ::write(fdOut, strOut.data(), strOut.size()) ==
                       static_cast<ssize_t>(strOut.size());
            };
            if (hostile.m_bAsNobody && ::getuid() == 0 &&
                (::setgid(65534) != 0 || ::setuid(65534) != 0))
                return 3;
            SetMessageHook([&](const std::string& strText) { Say(strText); });
            CFaultFileSystem seam(0, EFault::none);
            if (hostile.m_fnDuringRun) {
                seam.SetOnOp([&](const SOpRecord& op) { hostile.m_fnDuringRun(archive, op); });
                SetFileSystem(&seam);
            }
            try {
                TagArchive();
            } catch (const CFileException& e) {
                Say("exception:" + e.m_strFileName);
            }
            SetFileSystem(nullptr);
            return 0;
        },
        std::chrono::seconds(20));
}

class HostileEntries : public testing::TestWithParam<SHostileCase> {};

TEST_P(HostileEntries, EndsAsItShould) {
    const SHostileCase& hostile = GetParam();
    CTempArchive archive;
    archive.MakeDir("A");
    archive.WriteFile(kNormal, TrackBytes(300));
    hostile.m_fnSetUp(archive);
    if (hostile.m_bAsNobody) {
        fs::permissions(archive.Root(), fs::perms::all, fs::perm_options::add);
        ::chmod((archive.Root() + "/" + kNormal).c_str(), 0666);
    }
    std::map<std::string, SFileView> before;
    for (const auto& [strPath, strTitle] : hostile.m_tagged)
        before[strPath] = ViewFile(archive.Root() + "/" + strPath);
    for (const std::string& strPath : hostile.m_unchanged)
        before[strPath] = ViewFile(archive.Root() + "/" + strPath);
    before[kNormal] = ViewFile(archive.Root() + "/" + kNormal);

    const SChildResult child = RunEngineInChild(archive, hostile);
    ASSERT_FALSE(child.m_bTimedOut) << "the run blocked";
    ASSERT_EQ(ExitStatus(child), 0) << "status " << child.m_nStatus;

    std::vector<std::string> lines;
    for (std::size_t i = 0, j; (j = child.m_strOutput.find('\x1e', i)) != std::string::npos;
         i = j + 1)
        lines.push_back(child.m_strOutput.substr(i, j - i));
    ASSERT_FALSE(lines.empty());
    if (hostile.m_strEndsAt.empty()) {
        EXPECT_EQ(lines.back(), kTextTagsWritten);
        lines.pop_back();
        EXPECT_EQ(lines, std::vector<std::string>(static_cast<std::size_t>(hostile.m_nNotFound),
                                                  std::string(kTextFileNotFound)));
        EXPECT_EQ(ViewFile(archive.Root() + "/" + kNormal).m_strTail, Tagged("", "Normal"));
    } else {
        EXPECT_EQ(lines.back(), "exception:" + hostile.m_strEndsAt);
    }
    for (const auto& [strPath, strTitle] : hostile.m_tagged) {
        const SFileView& old = before[strPath];
        const SFileView now = ViewFile(archive.Root() + "/" + strPath);
        EXPECT_EQ(now.m_nSize, old.m_nSize + kTagBlockSize) << strPath;
        EXPECT_EQ(now.m_strTail, Tagged("", strTitle)) << strPath;
        EXPECT_EQ(now.m_strHead.substr(0, std::min<std::size_t>(old.m_nSize, 4096)),
                  old.m_strHead.substr(0, std::min<std::size_t>(old.m_nSize, 4096)))
            << strPath;
    }
    for (const std::string& strPath : hostile.m_unchanged) {
        const SFileView now = ViewFile(archive.Root() + "/" + strPath);
        EXPECT_EQ(now.m_nSize, before[strPath].m_nSize) << strPath;
        EXPECT_EQ(now.m_strHead, before[strPath].m_strHead) << strPath;
    }
}

const std::string kLong = "01 - " + std::string(246, 'x');  // with ".mp3", 255 bytes

// The first operation that touches strPrefix, and only that one.
std::function<void(const CTempArchive&, const SOpRecord&)> OnFirst(
    EOp eOp, const std::string& strPrefix,
    const std::function<void(const CTempArchive&)>& fnChange) {
    auto pbDone = std::make_shared<bool>(false);
    return [=](const CTempArchive& archive, const SOpRecord& op) {
        if (*pbDone || op.m_eOp != eOp || op.m_strPath.rfind(strPrefix, 0) != 0) return;
        *pbDone = true;
        fnChange(archive);
    };
}

const SHostileCase kCases[] = {
    {"Fifo", [](auto& a) { ::mkfifo((a.Root() + "/A/01 - Fifo.mp3").c_str(), 0644); }, 1},
    {"Socket", [](auto& a) { MakeSocket(a, "A/01 - Socket.mp3"); }, 1},
    {"LinkToDevZero", [](auto& a) { Link(a, "/dev/zero", "A/01 - Zero.mp3"); }, 1},
    {"LinkToDevNull", [](auto& a) { Link(a, "/dev/null", "A/01 - Null.mp3"); }, 1},
    {"DanglingLink", [](auto& a) { Link(a, "missing.mp3", "A/01 - Dangling.mp3"); }, 1},
    {"LinkLoop",
     [](auto& a) {
         Link(a, "02 - Loop.mp3", "A/01 - Loop.mp3");
         Link(a, "01 - Loop.mp3", "A/02 - Loop.mp3");
     },
     2},
    {"FolderNamedLikeATrack", [](auto& a) { a.MakeDir("A/01 - Folder.mp3"); }, 1},
    {"UnreadableAsUnprivilegedUser",
     [](auto& a) {
         a.WriteFile("A/01 - Locked.mp3", TrackBytes(300));
         ::chmod((a.Root() + "/A/01 - Locked.mp3").c_str(), 0);
         ::chmod((a.Root() + "/A").c_str(), 0755);
     },
     1,
     {},
     {"A/01 - Locked.mp3"},
     "",
     true},
    {"NewlineInName",
     [](auto& a) { a.WriteFile("A/01 - a\nb.mp3", TrackBytes(200)); },
     0,
     {{"A/01 - a\nb.mp3", "a\nb"}}},
    {"NameNotUtf8",
     [](auto& a) { a.WriteFile("A/01 - \xCD\xEE\xF7\xFC.mp3", TrackBytes(200)); },
     0,
     {{"A/01 - \xCD\xEE\xF7\xFC.mp3", "\xCD\xEE\xF7\xFC"}}},
    {"NameOf255Bytes",
     [](auto& a) { a.WriteFile("A/" + kLong + ".mp3", TrackBytes(200)); },
     0,
     {{"A/" + kLong + ".mp3", std::string(30, 'x')}}},
    {"TrackOf0Bytes",
     [](auto& a) { a.WriteFile("A/01 - Empty.mp3", ""); },
     0,
     {},
     {"A/01 - Empty.mp3"},
     "A/01 - Empty.mp3"},
    {"TrackOf127Bytes",
     [](auto& a) { a.WriteFile("A/01 - Short.mp3", TrackBytes(127)); },
     0,
     {},
     {"A/01 - Short.mp3"},
     "A/01 - Short.mp3"},
    {"TrackOf128Bytes",
     [](auto& a) { a.WriteFile("A/01 - Exact.mp3", TrackBytes(128)); },
     0,
     {{"A/01 - Exact.mp3", "Exact"}}},
    {"TrackOf129Bytes",
     [](auto& a) { a.WriteFile("A/01 - Over.mp3", TrackBytes(129)); },
     0,
     {{"A/01 - Over.mp3", "Over"}}},
    {"SparseTrackOf5GiB",
     [](auto& a) { MakeSparse(a, "A/01 - Huge.mp3", 5 * kGiB + 1); },
     0,
     {{"A/01 - Huge.mp3", "Huge"}}},
    {"AlbumFolderIsALink",
     [](auto& a) {
         a.MakeDir("Real");
         a.WriteFile("Real/01 - Linked.mp3", TrackBytes(200));
         Link(a, "Real", "Link");
     },
     0,
     {{"Real/01 - Linked.mp3", "Linked"}}},
    {"AlbumVanishesBeforeItsSearch",
     [](auto& a) {
         a.MakeDir("Gone");
         a.WriteFile("Gone/01 - Lost.mp3", TrackBytes(200));
     },
     0,
     {},
     {},
     "",
     false,
     OnFirst(EOp::findFiles, "Gone", [](auto& a) { fs::remove_all(a.Root() + "/Gone"); })},
    {"AlbumVanishesDuringItsSearch",
     [](auto& a) {
         a.MakeDir("Gone");
         a.WriteFile("Gone/01 - Lost.mp3", TrackBytes(200));
     },
     1,
     {},
     {},
     "",
     false,
     OnFirst(EOp::open, "Gone/", [](auto& a) { fs::remove_all(a.Root() + "/Gone"); })},
    {"AlbumReplacedDuringItsSearch",
     [](auto& a) {
         a.MakeDir("Swap");
         a.WriteFile("Swap/01 - Swapped.mp3", TrackBytes(200));
         a.MakeDir("Elsewhere");
     },
     1,
     {},
     {},
     "",
     false,
     OnFirst(EOp::open, "Swap/",
             [](auto& a) {
                 fs::rename(a.Root() + "/Swap", a.Root() + "/Elsewhere/Swap");
                 a.MakeDir("Swap");
                 Link(a, "/dev/zero", "Swap/01 - Swapped.mp3");
             })},
};

INSTANTIATE_TEST_SUITE_P(Table, HostileEntries, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

}  // namespace
