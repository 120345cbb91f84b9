#include "wide.h"

#include <cstdint>

#include "../utf8.h"

namespace {

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
        AppendUtf8(strOut, c);  // a lone surrogate as its own sequence
    }
    return strOut;
}

std::wstring Utf8ToWide(std::string_view strUtf8) {
    std::wstring strOut;
    strOut.reserve(strUtf8.size());
    for (std::size_t i = 0; i < strUtf8.size();) {
        const auto c = DecodeUtf8(strUtf8, i, true);
        if (!c) {
            strOut += L'\xFFFD';
            ++i;
        } else if (*c < 0x10000) {
            strOut += static_cast<wchar_t>(*c);
        } else {
            strOut += static_cast<wchar_t>(0xD800 + ((*c - 0x10000) >> 10));
            strOut += static_cast<wchar_t>(0xDC00 + ((*c - 0x10000) & 0x3FF));
        }
    }
    return strOut;
}
