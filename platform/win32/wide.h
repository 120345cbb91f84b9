// File names between the engine's UTF-8 and the UTF-16 of the Windows calls.
#pragma once

#include <string>
#include <string_view>

// UTF-16 as UTF-8. A lone surrogate, which Windows allows in a name, is kept as its own
// three-byte sequence, so that every name comes back to the very same UTF-16.
std::string WideToUtf8(std::wstring_view strWide);
// The reverse; also takes such lone surrogates. A byte that starts no sequence becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view strUtf8);
