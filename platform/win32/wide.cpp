#include "wide.h"

#include <cstdint>

namespace {

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

void AppendUtf16(std::wstring& strOut, char32_t c) {
    if (c < 0x10000) {
        strOut += static_cast<wchar_t>(c);
    } else {
        c -= 0x10000;
        strOut += static_cast<wchar_t>(0xD800 + (c >> 10));
        strOut += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    }
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::string WideToUtf8(std::wstring_view strWide) {
    std::string strOut;
    strOut.reserve(strWide.size());
    for (std::size_t i = 0; i < strWide.size(); ++i) {
        char32_t c = static_cast<std::uint16_t>(strWide[i]);
        if (IsHighSurrogate(c) && i + 1 < strWide.size()) {
            const char32_t cLow = static_cast<std::uint16_t>(strWide[i + 1]);
            if (IsLowSurrogate(cLow)) {
                c = 0x10000 + ((c - 0xD800) << 10) + (cLow - 0xDC00);
                ++i;
            }
        }
        AppendUtf8(strOut, c);
    }
    return strOut;
}

std::wstring Utf8ToWide(std::string_view strUtf8) {
    std::wstring strOut;
    strOut.reserve(strUtf8.size());
    const auto Byte = [&](std::size_t k) { return static_cast<std::uint8_t>(strUtf8[k]); };
    for (std::size_t i = 0; i < strUtf8.size();) {
        const std::uint8_t b0 = Byte(i);
        std::size_t nTrail = 0;
        char32_t c = 0, nMin = 0;
        if (b0 < 0x80) {
            strOut += static_cast<wchar_t>(b0);
            ++i;
            continue;
        } else if (b0 >= 0xC2 && b0 <= 0xDF) {
            nTrail = 1, c = b0 & 0x1F, nMin = 0x80;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            nTrail = 2, c = b0 & 0x0F, nMin = 0x800;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            nTrail = 3, c = b0 & 0x07, nMin = 0x10000;
        }
        bool bValid = nTrail != 0 && strUtf8.size() - i > nTrail;
        for (std::size_t k = 1; bValid && k <= nTrail; ++k) {
            bValid = (Byte(i + k) & 0xC0) == 0x80;
            c = (c << 6) | (Byte(i + k) & 0x3F);
        }
        if (!bValid || c < nMin || c > 0x10FFFF) {
            strOut += L'\xFFFD';
            ++i;
            continue;
        }
        AppendUtf16(strOut, c);
        i += nTrail + 1;
    }
    return strOut;
}
