#include "platform/hosted/LineReader.h"

#include "platform/Error.h"

namespace vk::platform::hosted {

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

LineReader::LineReader(std::string_view text, const std::string& fileName) : rest_(text), fileName_(fileName) {
    if (rest_.starts_with("\xEF\xBB\xBF")) rest_.remove_prefix(3);
}

bool LineReader::next(std::string_view& line) {
    if (rest_.empty()) return false;
    std::size_t end = rest_.find('\n');
    line = trimBlanks(rest_.substr(0, end));
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    ++lineNumber_;
    return true;
}

void LineReader::fail(const std::string& what) const {
    throw Error(fileName_ + ", line " + std::to_string(lineNumber_) + ": " + what);
}

}  // namespace vk::platform::hosted
