#pragma once
// Calls into code the installer does not control (a library's registration
// entry) so that a fault there fails the call instead of ending the process.
#include <windows.h>

#include <string>

namespace vk::platform::win32 {

// Calls entry and returns its result. An exception that the called code does
// not handle itself and that is a fault (an access violation, an illegal or
// privileged instruction, a division by zero, a page that cannot be read)
// abandons the call and throws Error: what + ": the call ended with " + the
// exception's code. The called code is left as the fault left it; its caller
// should unload it. Exceptions the called code handles are not touched.
HRESULT callGuarded(HRESULT(WINAPI* entry)(), const std::string& what);

}  // namespace vk::platform::win32
