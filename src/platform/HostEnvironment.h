#pragma once
// What a command-line tool asks of the system it runs on.
#include <string>
#include <vector>

namespace vk::platform {

// Makes the platform work on the machine kept in folder (created with
// defaults when missing). Only the hosted platform stands for machines by
// folders; on Windows the machine is always the real one and this returns false.
bool selectMachineFolder(const std::string& folder);

// True when standard output is a terminal, where progress can be drawn in place.
bool standardOutputIsTerminal();

// The command lines of the processes started since the last call, oldest
// first, taken from any thread. A hosted machine counts a process as started
// where Windows would start it: its program file exists there, whether or not
// the machine may run it. The real machine keeps no such record: empty.
std::vector<std::string> takeStartedProcesses();

}  // namespace vk::platform
