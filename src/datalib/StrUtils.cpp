#include "datalib/StrUtils.h"

#include <vector>

#include "platform/Text.h"

namespace vk {

namespace {

// The characters of UTF-8 text, one string each; malformed text throws Error.
std::vector<std::string> characters(std::string_view text) {
    std::vector<std::string> result;
    while (!text.empty()) {
        result.push_back(truncateChars(text, 1));
        text.remove_prefix(result.back().size());
    }
    return result;
}

}  // namespace

std::string NameOfPair(std::string_view s) { return std::string(s.substr(0, s.find('='))); }

std::string ValueOfPair(std::string_view s) {
    const auto equals = s.find('=');
    return equals == std::string_view::npos ? std::string() : std::string(s.substr(equals + 1));
}

void ReplaceText(std::string& s, std::string_view oldText, std::string_view newText) {
    if (oldText.empty() || s.empty() || sameText(oldText, newText)) return;
    const std::vector<std::string> wanted = characters(ansiUpper(oldText));
    std::string result;
    std::string pending;  // the characters of s matched so far, as they were
    std::size_t matched = 0;
    for (const std::string& c : characters(s)) {
        if (ansiUpper(c) == wanted[matched]) {
            if (++matched == wanted.size()) {
                result += newText;
                pending.clear();
                matched = 0;
            } else {
                pending += c;
            }
        } else {
            result += pending;
            result += c;
            pending.clear();
            matched = 0;
        }
    }
    s = result + pending;
}

}  // namespace vk
