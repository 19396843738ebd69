#pragma once
// Dynamic libraries: load a module, call an exported entry that takes no
// arguments and returns an HRESULT (DllRegisterServer and its kind).
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace vk::platform {

class Library {
public:
    virtual ~Library() = default;  // frees the module
    virtual bool hasExport(std::string_view name) = 0;
    // Calls the export as HRESULT WINAPI name(void); nullopt when it is missing.
    // A fault inside the call (an access violation, an illegal instruction)
    // does not end the process: the call is abandoned and Error names the
    // library, the export and the fault. The library's own state is then
    // whatever the fault left; release it.
    virtual std::optional<std::int32_t> callHresultExport(std::string_view name) = 0;
};

// nullptr when the library does not load.
std::unique_ptr<Library> loadLibrary(std::string_view path);

}  // namespace vk::platform
