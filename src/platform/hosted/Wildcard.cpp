#include "platform/hosted/Wildcard.h"

#include <string>

#include "platform/Error.h"
#include "platform/Text.h"

namespace vk::platform::hosted {

namespace {

// Matching with backtracking to the last "*" only, which is enough for
// patterns made of literals, "?" and "*" and keeps the work linear in practice.
bool matchUnits(std::u16string_view name, std::u16string_view pattern) {
    std::size_t n = 0, p = 0;
    std::size_t starPattern = std::u16string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starPattern = p++;
            starName = n;
        } else if (starPattern != std::u16string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

}  // namespace

bool matchesWildcard(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*") pattern = "*";
    try {
        return matchUnits(toUtf16(ansiUpper(name)), toUtf16(ansiUpper(pattern)));
    } catch (const Error&) {
        return false;
    }
}

}  // namespace vk::platform::hosted
