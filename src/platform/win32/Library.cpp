#include "platform/Library.h"

#include <string>

#include "platform/win32/FaultGuard.h"
#include "platform/win32/Wide.h"

namespace vk::platform {

namespace {

class Win32Library final : public Library {
public:
    Win32Library(HMODULE module, std::string path) : module_(module), path_(std::move(path)) {}
    ~Win32Library() override { FreeLibrary(module_); }
    Win32Library(const Win32Library&) = delete;
    Win32Library& operator=(const Win32Library&) = delete;

    bool hasExport(std::string_view name) override { return entry(name) != nullptr; }

    std::optional<std::int32_t> callHresultExport(std::string_view name) override {
        FARPROC address = entry(name);
        if (!address) return std::nullopt;
        using Entry = HRESULT(WINAPI*)();
        auto call = reinterpret_cast<Entry>(reinterpret_cast<void*>(address));
        return static_cast<std::int32_t>(win32::callGuarded(call, path_ + ": " + std::string(name)));
    }

private:
    // Export names are ANSI in the image.
    FARPROC entry(std::string_view name) { return GetProcAddress(module_, std::string(name).c_str()); }

    HMODULE module_;
    std::string path_;  // as the caller named it
};

}  // namespace

std::unique_ptr<Library> loadLibrary(std::string_view path) {
    // A library that does not load is an answer, not a reason for the system
    // to stop the installer with its own error box.
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryW(win32::wide(path).c_str());
    SetErrorMode(previous);
    if (!module) return nullptr;
    return std::make_unique<Win32Library>(module, std::string(path));
}

}  // namespace vk::platform
