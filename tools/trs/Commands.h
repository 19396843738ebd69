#pragma once
// The trs commands. Each takes its arguments after the command word, writes
// its report to out and returns the exit status; bad input throws Error.
#include <ostream>
#include <string>
#include <vector>

namespace vk::trs {

using Args = std::vector<std::string>;

int listCommand(const Args& args, std::ostream& out);
int extractCommand(const Args& args, std::ostream& out);
int packCommand(const Args& args, std::ostream& out);
int compressCommand(const Args& args, std::ostream& out);
int expandCommand(const Args& args, std::ostream& out);
int checksumCommand(const Args& args, std::ostream& out);

// Thrown for a command line that does not fit the command; main shows usage.
struct UsageError {
    std::string message;
};

}  // namespace vk::trs
