// Windows-1251, the code page of the tags' texts.
#pragma once

#include <string>
#include <string_view>

// Converts UTF-8 to Windows-1251; a character that Windows-1251 lacks becomes '?'. Text that is
// not valid UTF-8 (a name already in a legacy code page) is given back unchanged.
std::string Utf8ToCp1251(std::string_view strUtf8);
// The reverse, for showing Windows-1251 text; bytes without a character become U+FFFD.
std::string Cp1251ToUtf8(std::string_view strCp1251);
