#pragma once
// The lines of a settings text (machine.ini, registry.reg), for parsers that
// report what is wrong by file and line.
#include <cstddef>
#include <string>
#include <string_view>

namespace vk::platform::hosted {

// s without leading and trailing spaces and tabs (and a trailing CR).
std::string_view trimBlanks(std::string_view s);

class LineReader {
public:
    // A UTF-8 byte-order mark at the start is skipped.
    LineReader(std::string_view text, const std::string& fileName);

    // The next line without its end (LF or CRLF) and outer blanks; false at the end.
    bool next(std::string_view& line);
    // Throws Error "<fileName>, line <current>: <what>".
    [[noreturn]] void fail(const std::string& what) const;

private:
    std::string_view rest_;
    const std::string& fileName_;
    std::size_t lineNumber_ = 0;
};

}  // namespace vk::platform::hosted
