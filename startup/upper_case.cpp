// Locale-aware upper-casing of the browse prompt (CharUpperBuffA); file names are folded by the engine on UTF-16.
#include "startup/startup.h"

#include <climits>

std::string UpperCased(const std::string& text) {
    std::string upper = text;
    if (!upper.empty() && upper.size() <= static_cast<std::string::size_type>(INT_MAX)) {
        CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    }
    return upper;
}
