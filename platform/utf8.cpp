#include "utf8.h"

#include <cstdint>

std::optional<char32_t> DecodeUtf8(std::string_view strText, std::size_t& i,
                                   bool bSurrogates) noexcept {
    const auto Byte = [&](std::size_t k) { return static_cast<std::uint8_t>(strText[k]); };
    const std::uint8_t b0 = Byte(i);
    std::size_t nTrail = 0;
    char32_t c = 0, nMin = 0;
    if (b0 < 0x80) {
        ++i;
        return b0;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        nTrail = 1, c = b0 & 0x1F, nMin = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        nTrail = 2, c = b0 & 0x0F, nMin = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        nTrail = 3, c = b0 & 0x07, nMin = 0x10000;
    } else {
        return std::nullopt;
    }
    if (strText.size() - i <= nTrail) return std::nullopt;
    for (std::size_t k = 1; k <= nTrail; ++k) {
        if ((Byte(i + k) & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (Byte(i + k) & 0x3F);
    }
    if (c < nMin || c > 0x10FFFF || (!bSurrogates && c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;
    i += nTrail + 1;
    return c;
}

void AppendUtf8(std::string& strOut, char32_t c) {
    if (c < 0x80) {
        strOut += static_cast<char>(c);
    } else if (c < 0x800) {
        strOut += static_cast<char>(0xC0 | (c >> 6));
        strOut += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        strOut += static_cast<char>(0xE0 | (c >> 12));
        strOut += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        strOut += static_cast<char>(0xF0 | (c >> 18));
        strOut += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        strOut += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (c & 0x3F));
    }
}
