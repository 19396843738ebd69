#pragma once
// Calls into code the installer does not control (a library's registration
// entry) so that a fault there fails the call instead of ending the process.
#include <cstdint>
#include <string>

namespace vk::platform::hosted {

// Calls entry and returns its result. A fault on this thread while it runs
// (SIGSEGV, SIGBUS, SIGILL, SIGFPE) abandons the call and throws Error:
// what + ": the call ended with " + the signal's description. The code
// called is left as the fault left it; its caller should unload it.
std::int32_t callGuarded(std::int32_t (*entry)(), const std::string& what);

}  // namespace vk::platform::hosted
