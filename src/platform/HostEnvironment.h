#pragma once
// What a command-line tool asks of the system it runs on.
#include <string>

namespace vk::platform {

// Makes the platform work on the machine kept in folder (created with
// defaults when missing). Only the hosted platform stands for machines by
// folders; on Windows the machine is always the real one and this returns false.
bool selectMachineFolder(const std::string& folder);

// True when standard output is a terminal, where progress can be drawn in place.
bool standardOutputIsTerminal();

}  // namespace vk::platform
