#include "platform/Program.h"

#include <windows.h>

#include <vector>

#include "platform/Text.h"

namespace vk::platform {

std::string programPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return fromUtf16(std::u16string(buffer.begin(), buffer.begin() + length));
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace vk::platform
