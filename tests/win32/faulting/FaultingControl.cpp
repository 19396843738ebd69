// A broken control for the registration tests under Windows: its
// registration entry writes where no memory is.
#include <windows.h>

#include <cstdint>

extern "C" __declspec(dllexport) HRESULT WINAPI DllRegisterServer() {
    *reinterpret_cast<volatile std::int32_t*>(std::uintptr_t{16}) = 1;
    return S_OK;
}
