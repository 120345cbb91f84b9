// Name matching for directory searches where the system does not match names itself.
#pragma once

#include <string_view>

// "*" matches any run of bytes, "?" one byte; ASCII letters match without regard to case.
bool MatchesWildcard(std::string_view strName, std::string_view strPattern) noexcept;
