// What the shell derives from the executable's own path: the title of its window and boxes, and
// the help file. Free of any toolkit.
#pragma once

#include <string>
#include <string_view>

// The executable's file name without its extension ("x" for ".../x.exe" and for ".../x").
std::string ApplicationTitle(std::string_view strExePath);

// The executable's path with ".HLP" in place of its extension, or added where it has none.
std::string HelpFilePath(std::string_view strExePath);
