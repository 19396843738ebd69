#pragma once
// Where the running program lies on the hosted machine.
#include <string>

namespace vk::platform::hosted {

// Sets what programPath() reports (a Windows path on the selected machine);
// empty restores the default: ProgramPath of the selected machine's
// machine.ini, or without a machine the host path of the running executable.
void useProgramPath(std::string windowsPath);

}  // namespace vk::platform::hosted
