#pragma once
// Windows command lines taken apart the way CreateProcess and the C runtime do.
#include <string>
#include <string_view>
#include <vector>

namespace vk::platform::hosted {

// The ways the program name may be read off a command line: the quoted name
// alone, or (unquoted) every prefix that ends before a space, shortest first,
// as CreateProcess tries "C:\Program.exe" before "C:\Program Files\App.exe".
struct ProgramCandidate {
    std::string program;
    std::string_view arguments;  // the rest of the command line
};
std::vector<ProgramCandidate> programCandidates(std::string_view commandLine);

// The arguments as a C program receives them in argv: separated by spaces or
// tabs outside quotes, with 2n backslashes before a quote giving n and
// opening or closing a quoted run, 2n+1 giving n and a literal quote, and ""
// inside a quoted run giving a literal quote.
std::vector<std::string> splitArguments(std::string_view arguments);

}  // namespace vk::platform::hosted
