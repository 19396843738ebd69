// The Windows side of support/ExternalTool.h: the independent tools are Linux
// programs, which a Windows test cannot start, so they count as missing and the
// tests that need them skip.
#include "support/ExternalTool.h"

namespace vk::test {

ToolRun runTool(const std::string& command) { return {-1, "no Linux tools on Windows: " + command}; }

std::string shellQuoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

bool haveProgram(const std::string&) { return false; }

}  // namespace vk::test
