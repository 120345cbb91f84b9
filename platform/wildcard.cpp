#include "wildcard.h"

namespace {

char Fold(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool MatchesWildcard(std::string_view strName, std::string_view strPattern) noexcept {
    // Iterative matching with one backtrack point: linear for the patterns searches use.
    std::size_t n = 0, p = 0, nStarName = 0, nStarPattern = std::string_view::npos;
    while (n < strName.size()) {
        if (p < strPattern.size() && strPattern[p] == '*') {
            nStarPattern = p++;
            nStarName = n;
        } else if (p < strPattern.size() &&
                   (strPattern[p] == '?' || Fold(strPattern[p]) == Fold(strName[n]))) {
            ++p;
            ++n;
        } else if (nStarPattern != std::string_view::npos) {
            p = nStarPattern + 1;
            n = ++nStarName;
        } else {
            return false;
        }
    }
    while (p < strPattern.size() && strPattern[p] == '*') ++p;
    return p == strPattern.size();
}
