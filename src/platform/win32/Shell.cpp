#include "platform/Shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/SystemFunction.h"
#include "platform/win32/Wide.h"

namespace vk::platform {

bool shellOpen(std::string_view file) {
    const std::wstring path = win32::wide(file);
    // Values above 32 mean success.
    static const auto execute = win32::systemFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    return reinterpret_cast<INT_PTR>(execute(nullptr, L"open", path.c_str(), nullptr, nullptr, 0)) > 32;
}

}  // namespace vk::platform
