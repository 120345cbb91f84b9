// UTF-8, one character at a time.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Decodes one strictly valid sequence at strText[i] and advances i past it; nothing (and i
// unchanged) where none starts there. Surrogate code points count only where bSurrogates says
// so: Windows names may hold lone surrogates, which must come back as they were.
std::optional<char32_t> DecodeUtf8(std::string_view strText, std::size_t& i,
                                   bool bSurrogates = false) noexcept;
void AppendUtf8(std::string& strOut, char32_t c);
