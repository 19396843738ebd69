#pragma once
// COM for the shell calls: the apartment for the current thread and owning
// references to interfaces.
#include <objbase.h>

#include <memory>

#include "platform/win32/SystemFunction.h"

namespace vk::platform::win32 {

// Initialises COM on this thread for the scope's lifetime. When the thread
// already runs in another apartment mode the calls still work there, so that
// is not an error and nothing is undone.
class ComScope {
public:
    ComScope()
        : initialised_(SUCCEEDED(systemFunction<decltype(CoInitialize)>(L"ole32.dll", "CoInitialize")(nullptr))) {}
    ~ComScope() {
        if (initialised_) systemFunction<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize")();
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
    void operator()(void* block) const {
        static const auto free = systemFunction<decltype(CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
        free(block);
    }
};

}  // namespace vk::platform::win32
