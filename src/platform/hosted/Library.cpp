// Libraries on the hosted machine: a shared object at the mapped path,
// loaded only when machine.ini allows it; a Windows image, which cannot run
// here, loads as an empty library when machine.ini says so.
#include "platform/Library.h"

#include <dlfcn.h>

#include <fstream>
#include <string>

#include "platform/hosted/Machine.h"
#include "platform/hosted/ModuleSearch.h"

namespace vk::platform {

namespace {

class HostedLibrary final : public Library {
public:
    explicit HostedLibrary(void* handle) : handle_(handle) {}
    ~HostedLibrary() override { ::dlclose(handle_); }
    HostedLibrary(const HostedLibrary&) = delete;
    HostedLibrary& operator=(const HostedLibrary&) = delete;

    bool hasExport(std::string_view name) override { return symbol(name) != nullptr; }

    std::optional<std::int32_t> callHresultExport(std::string_view name) override {
        void* entry = symbol(name);
        if (!entry) return std::nullopt;
        return reinterpret_cast<std::int32_t (*)()>(entry)();
    }

private:
    void* symbol(std::string_view name) { return ::dlsym(handle_, std::string(name).c_str()); }

    void* handle_;
};

// A Windows image that "loaded": it exports nothing and runs nothing.
class WindowsImageLibrary final : public Library {
public:
    bool hasExport(std::string_view) override { return false; }
    std::optional<std::int32_t> callHresultExport(std::string_view) override { return std::nullopt; }
};

bool isWindowsImage(const std::filesystem::path& file) {
    char head[2] = {};
    std::ifstream in(file, std::ios::binary);
    return in.read(head, sizeof head) && head[0] == 'M' && head[1] == 'Z';
}

}  // namespace

std::unique_ptr<Library> loadLibrary(std::string_view path) {
    auto machine = hosted::selectedMachine();
    if (!machine) return nullptr;
    const hosted::MachineConfig& config = machine->config();
    if (!config.allowLibraries && !config.loadImages) return nullptr;
    auto file = hosted::findModule(*machine, path, ".dll");
    if (!file) return nullptr;
    if (isWindowsImage(file->host)) return config.loadImages ? std::make_unique<WindowsImageLibrary>() : nullptr;
    if (!config.allowLibraries) return nullptr;
    void* handle = ::dlopen(file->host.c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle ? std::make_unique<HostedLibrary>(handle) : nullptr;
}

}  // namespace vk::platform
