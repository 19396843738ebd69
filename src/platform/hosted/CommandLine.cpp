#include "platform/hosted/CommandLine.h"

namespace vk::platform::hosted {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view skipBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    return s;
}

}  // namespace

std::vector<ProgramCandidate> programCandidates(std::string_view commandLine) {
    commandLine = skipBlanks(commandLine);
    if (commandLine.empty()) return {};
    if (commandLine.front() == '"') {
        std::size_t close = commandLine.find('"', 1);
        if (close == std::string_view::npos) close = commandLine.size();
        std::string_view rest = close < commandLine.size() ? commandLine.substr(close + 1) : std::string_view();
        return {{std::string(commandLine.substr(1, close - 1)), skipBlanks(rest)}};
    }
    std::vector<ProgramCandidate> candidates;
    for (std::size_t end = 0; end <= commandLine.size(); ++end) {
        if (end < commandLine.size() && !isBlank(commandLine[end])) continue;
        if (end > 0 && !isBlank(commandLine[end - 1]))
            candidates.push_back({std::string(commandLine.substr(0, end)), skipBlanks(commandLine.substr(end))});
    }
    return candidates;
}

std::vector<std::string> splitArguments(std::string_view arguments) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (true) {
        while (i < arguments.size() && isBlank(arguments[i])) ++i;
        if (i == arguments.size()) return out;
        std::string argument;
        bool quoted = false;
        while (i < arguments.size() && (quoted || !isBlank(arguments[i]))) {
            std::size_t backslashes = 0;
            while (i < arguments.size() && arguments[i] == '\\') ++backslashes, ++i;
            if (i < arguments.size() && arguments[i] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && i + 1 < arguments.size() && arguments[i + 1] == '"') {
                    argument += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, '\\');
                if (backslashes == 0) argument += arguments[i++];
            }
        }
        out.push_back(std::move(argument));
    }
}

}  // namespace vk::platform::hosted
