#pragma once
// COM for the shell calls: the apartment for the current thread and owning
// references to interfaces.
#include <objbase.h>

#include <memory>

namespace vk::platform::win32 {

// Initialises COM on this thread for the scope's lifetime. When the thread
// already runs in another apartment mode the calls still work there, so that
// is not an error and nothing is undone.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope() {
        if (initialised_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using ComRef = std::unique_ptr<Interface, ComRelease>;

// Frees shell item ID lists and other CoTaskMemAlloc'd blocks.
struct TaskMemFree {
    void operator()(void* block) const { CoTaskMemFree(block); }
};

}  // namespace vk::platform::win32
