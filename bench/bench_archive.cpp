#include "bench_archive.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

CBenchArchive::CBenchArchive(std::size_t nAlbums, std::size_t nPerAlbum)
    : m_nAlbums(nAlbums), m_nPerAlbum(nPerAlbum) {
    const char* pszTmp = std::getenv("TMPDIR");
    std::string strTemplate = std::string(pszTmp != nullptr ? pszTmp : "/tmp") + "/zt-bench-XXXXXX";
    if (::mkdtemp(strTemplate.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_strRoot = strTemplate;
    for (std::size_t a = 0; a < m_nAlbums; ++a) {
        fs::create_directory(m_strRoot + "/Альбом " + std::to_string(a));
        for (std::size_t t = 0; t < m_nPerAlbum; ++t)
            std::ofstream(TrackPath(a, t), std::ios::binary) << std::string(TrackSize(t), 'x');
    }
}

CBenchArchive::~CBenchArchive() {
    std::error_code ec;
    fs::remove_all(m_strRoot, ec);
}

std::string CBenchArchive::TrackPath(std::size_t nAlbum, std::size_t nTrack) const {
    return m_strRoot + "/Альбом " + std::to_string(nAlbum) + "/" +
           std::to_string(10 + nTrack % 90) + " - Песня " + std::to_string(nTrack) + ".mp3";
}

void CBenchArchive::Untag() const {
    for (std::size_t a = 0; a < m_nAlbums; ++a)
        for (std::size_t t = 0; t < m_nPerAlbum; ++t)
            if (::truncate(TrackPath(a, t).c_str(), static_cast<off_t>(TrackSize(t))) != 0)
                throw std::runtime_error("truncate failed");
}

std::size_t CBenchArchive::CountTagged() const {
    std::size_t nTagged = 0;
    for (std::size_t a = 0; a < m_nAlbums; ++a) {
        for (std::size_t t = 0; t < m_nPerAlbum; ++t) {
            struct stat st {};
            if (::stat(TrackPath(a, t).c_str(), &st) == 0 &&
                static_cast<std::size_t>(st.st_size) == TrackSize(t) + 128)
                ++nTagged;
        }
    }
    return nTagged;
}
