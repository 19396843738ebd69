#pragma once
// Running an independent tool (olefile, gsf, lnkinfo, ...) from a test.
#include <filesystem>
#include <string>

namespace vk::test {

struct ToolRun {
    int status;           // as pclose reports it; 0 for success
    std::string output;   // standard output and standard error together
};

// Runs command through the shell.
ToolRun runTool(const std::string& command);
// path in single quotes for the shell.
std::string shellQuoted(const std::filesystem::path& path);
// Whether a program of that name is on PATH.
bool haveProgram(const std::string& name);

}  // namespace vk::test
