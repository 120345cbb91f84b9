// What the shell derives from the executable's own path.
#pragma once

#include <string>
#include <string_view>

// The caption of every message box: the file name without its extension (x.exe gives x).
std::wstring ApplicationTitle(std::wstring_view strExePath);
// The help file: the executable's path with ".HLP" in place of its extension.
std::wstring HelpFilePath(std::wstring_view strExePath);
// The executable's full path.
std::wstring ExecutablePath();
