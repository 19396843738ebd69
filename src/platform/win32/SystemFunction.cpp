#include "platform/win32/SystemFunction.h"

#include <string>

#include "platform/Error.h"
#include "platform/win32/Wide.h"

namespace vk::platform::win32 {

FARPROC systemFunctionAddress(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryW(library);
    FARPROC address = module ? GetProcAddress(module, name) : nullptr;
    if (!address) throw Error(narrow(library) + ": no function " + name + ": " + systemMessage(GetLastError()));
    return address;
}

}  // namespace vk::platform::win32
