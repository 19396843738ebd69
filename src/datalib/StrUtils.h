#pragma once
// Small text routines the wizard and the install thread share. Text is UTF-8;
// routines that look at characters work on whole characters, never bytes.
#include <string>
#include <string_view>

namespace vk {

inline bool InRange(int value, int lo, int hi) { return lo <= value && value <= hi; }
inline int Iif(bool condition, int a, int b) { return condition ? a : b; }
inline std::string IifStr(bool condition, std::string_view a, std::string_view b) {
    return std::string(condition ? a : b);
}
inline std::string IfEmpty(std::string_view s, std::string_view fallback) {
    return std::string(s.empty() ? fallback : s);
}

// "Name=Value": the part before the first "=" (all of s without one) and the
// part after it (empty without one).
std::string NameOfPair(std::string_view s);
std::string ValueOfPair(std::string_view s);

// Replaces every occurrence of oldText in s by newText, ignoring case (the
// system's ANSI case mapping, Cyrillic included); the rest of s keeps its
// case. The scan never restarts inside a partial match: the character that
// breaks one is copied as it is, so with oldText "ab" the text "aab" stays.
void ReplaceText(std::string& s, std::string_view oldText, std::string_view newText);

}  // namespace vk
