// The archives the benchmark times: albums of small untagged tracks in a temporary folder.
#pragma once

#include <cstddef>
#include <string>

class CBenchArchive {
public:
    CBenchArchive(std::size_t nAlbums, std::size_t nPerAlbum);
    CBenchArchive(const CBenchArchive&) = delete;
    CBenchArchive& operator=(const CBenchArchive&) = delete;
    ~CBenchArchive();

    const std::string& Root() const noexcept { return m_strRoot; }
    std::size_t Tracks() const noexcept { return m_nAlbums * m_nPerAlbum; }
    // Takes every block off again, so that the next run finds the archive untagged.
    void Untag() const;
    // How many tracks now carry one block.
    std::size_t CountTagged() const;

private:
    std::string TrackPath(std::size_t nAlbum, std::size_t nTrack) const;
    static std::size_t TrackSize(std::size_t nTrack) noexcept { return 200 + nTrack % 7; }

    std::size_t m_nAlbums;
    std::size_t m_nPerAlbum;
    std::string m_strRoot;
};
