#include "archive.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "../../tagger/id3v1.h"

namespace fs = std::filesystem;

CTempArchive::CTempArchive() {
    std::string strTemplate = (fs::temp_directory_path() / "zt-archive-XXXXXX").string();
    if (::mkdtemp(strTemplate.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_strRoot = strTemplate;
    m_strPreviousDir = fs::current_path().string();
    fs::current_path(m_strRoot);
}

CTempArchive::~CTempArchive() {
    std::error_code ec;
    fs::current_path(m_strPreviousDir, ec);
    // Tests make folders unreadable on purpose; give them back before removing.
    for (auto it = fs::recursive_directory_iterator(
             m_strRoot, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(m_strRoot, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_strRoot, ec);
}

void CTempArchive::MakeDir(const std::string& strPath) const {
    fs::create_directories(fs::path(m_strRoot) / strPath);
}

void CTempArchive::WriteFile(const std::string& strPath, const std::string& strBytes) const {
    std::ofstream out(fs::path(m_strRoot) / strPath, std::ios::binary | std::ios::trunc);
    out.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
    if (!out) throw std::runtime_error("cannot write " + strPath);
}

std::string CTempArchive::ReadFile(const std::string& strPath) const {
    std::ifstream in(fs::path(m_strRoot) / strPath, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + strPath);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool CTempArchive::Exists(const std::string& strPath) const {
    std::error_code ec;
    return fs::symlink_status(fs::path(m_strRoot) / strPath, ec).type() != fs::file_type::not_found;
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
