#include "platform/HostEnvironment.h"

#include <io.h>
#include <stdio.h>

namespace vk::platform {

bool selectMachineFolder(const std::string&) { return false; }

bool standardOutputIsTerminal() { return _isatty(_fileno(stdout)) != 0; }

std::vector<std::string> takeStartedProcesses() { return {}; }

}  // namespace vk::platform
