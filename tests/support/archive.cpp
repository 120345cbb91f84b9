#include "archive.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "../../tagger/id3v1.h"

namespace fs = std::filesystem;

namespace {

// Paths are UTF-8 here, as in the engine; a plain std::string would be taken in the system's
// ANSI code page on Windows.
fs::path Utf8Path(const std::string& strPath) {
    return fs::path(std::u8string(strPath.begin(), strPath.end()));
}

std::string Utf8(const fs::path& path) {
    const std::u8string strPath = path.u8string();
    return std::string(strPath.begin(), strPath.end());
}

std::string MakeTempDir() {
#ifdef _WIN32
    // Windows has no mkdtemp: fresh random names until one can be made.
    std::random_device random;
    for (int i = 0; i < 100; ++i) {
        const fs::path dir = fs::temp_directory_path() / ("zt-archive-" + std::to_string(random()));
        if (fs::create_directory(dir)) return Utf8(dir);
    }
    throw std::runtime_error("cannot make a temporary folder");
#else
    std::string strTemplate = (fs::temp_directory_path() / "zt-archive-XXXXXX").string();
    if (::mkdtemp(strTemplate.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return strTemplate;
#endif
}

}  // namespace

CTempArchive::CTempArchive()
    : m_strRoot(MakeTempDir()), m_strPreviousDir(Utf8(fs::current_path())) {
    fs::current_path(Utf8Path(m_strRoot));
}

CTempArchive::~CTempArchive() {
    std::error_code ec;
    fs::current_path(Utf8Path(m_strPreviousDir), ec);
    // Tests make folders unreadable on purpose; give them back before removing.
    for (auto it = fs::recursive_directory_iterator(
             Utf8Path(m_strRoot), fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(Utf8Path(m_strRoot), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(Utf8Path(m_strRoot), ec);
}

void CTempArchive::MakeDir(const std::string& strPath) const {
    fs::create_directories(Utf8Path(m_strRoot) / Utf8Path(strPath));
}

void CTempArchive::WriteFile(const std::string& strPath, const std::string& strBytes) const {
    std::ofstream out(Utf8Path(m_strRoot) / Utf8Path(strPath), std::ios::binary | std::ios::trunc);
    out.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
    if (!out) throw std::runtime_error("cannot write " + strPath);
}

std::string CTempArchive::ReadFile(const std::string& strPath) const {
    std::ifstream in(Utf8Path(m_strRoot) / Utf8Path(strPath), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + strPath);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool CTempArchive::Exists(const std::string& strPath) const {
    std::error_code ec;
    return fs::symlink_status(Utf8Path(m_strRoot) / Utf8Path(strPath), ec).type() !=
           fs::file_type::not_found;
}

CMessageLog::CMessageLog()
    : m_previous(
          SetMessageHook([this](const std::string& strText) { m_messages.push_back(strText); })) {}

CMessageLog::~CMessageLog() { SetMessageHook(std::move(m_previous)); }

std::string TrackBytes(std::size_t nSize, char cFill) { return std::string(nSize, cFill); }

std::string Tagged(const std::string& strOriginal, const std::string& strSongTitle) {
    const TagBlock block = MakeTagBlock(strSongTitle);
    return strOriginal + std::string(block.data(), block.size());
}
