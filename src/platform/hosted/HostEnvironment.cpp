#include "platform/HostEnvironment.h"

#include <unistd.h>

#include "platform/hosted/HostedMachine.h"

namespace vk::platform {

bool selectMachineFolder(const std::string& folder) {
    hosted::useMachine(folder);
    return true;
}

bool standardOutputIsTerminal() { return isatty(STDOUT_FILENO) == 1; }

}  // namespace vk::platform
