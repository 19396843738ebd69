#include "support/ExternalTool.h"

#include <cstdio>

namespace vk::test {

ToolRun runTool(const std::string& command) {
    ToolRun result{-1, {}};
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) result.output.append(buffer, n);
    result.status = pclose(pipe);
    return result;
}

std::string shellQuoted(const std::filesystem::path& path) {
    std::string quoted = "'";
    for (char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool haveProgram(const std::string& name) { return runTool("command -v " + name + " >/dev/null").status == 0; }

}  // namespace vk::test
