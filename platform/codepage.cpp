#include "codepage.h"

#include <array>
#include <cstdint>
#include <optional>

namespace {

// The characters of the bytes 0x80 to 0xFF; 0 where Windows-1251 has none (0x98).
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  //
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  //
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  //
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  //
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 0xC0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // 0xD0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // 0xE0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // 0xF0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  //
};

char ToCp1251(char32_t c) noexcept {
    if (c < 0x80) return static_cast<char>(c);
    if (c >= 0x0410 && c <= 0x044F) return static_cast<char>(0xC0 + (c - 0x0410));  // А..я
    for (std::size_t i = 0; i < kUpperHalf.size(); ++i)
        if (kUpperHalf[i] != 0 && kUpperHalf[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

// Decodes one strictly valid UTF-8 sequence at strText[i]; advances i past it.
std::optional<char32_t> DecodeUtf8(std::string_view strText, std::size_t& i) noexcept {
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
    if (c < nMin || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    i += nTrail + 1;
    return c;
}

void AppendUtf8(std::string& strOut, char32_t c) {
    if (c < 0x80) {
        strOut += static_cast<char>(c);
    } else if (c < 0x800) {
        strOut += static_cast<char>(0xC0 | (c >> 6));
        strOut += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        strOut += static_cast<char>(0xE0 | (c >> 12));
        strOut += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string Utf8ToCp1251(std::string_view strUtf8) {
    std::string strOut;
    strOut.reserve(strUtf8.size());
    for (std::size_t i = 0; i < strUtf8.size();) {
        const auto c = DecodeUtf8(strUtf8, i);
        if (!c) return std::string(strUtf8);
        strOut += ToCp1251(*c);
    }
    return strOut;
}

std::string Cp1251ToUtf8(std::string_view strCp1251) {
    std::string strOut;
    strOut.reserve(strCp1251.size() * 2);
    for (const char b : strCp1251) {
        const auto u = static_cast<std::uint8_t>(b);
        if (u < 0x80) {
            strOut += b;
        } else {
            const char16_t c = kUpperHalf[u - 0x80];
            AppendUtf8(strOut, c != 0 ? c : 0xFFFD);
        }
    }
    return strOut;
}
