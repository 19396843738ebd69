// The demo package's ActiveX controls (.ocx), one source built once per
// control: VK_CONTROL_NAME and VK_CONTROL_CLSID name it. DllRegisterServer
// writes the class with this library's own path as its InprocServer32,
// DllUnregisterServer removes exactly that.
#include <windows.h>

#include <olectl.h>

#include "DemoClasses.h"

namespace {

HINSTANCE self;

constexpr wchar_t kClassKey[] = L"CLSID\\" VK_CONTROL_CLSID;
constexpr wchar_t kServerKey[] = L"CLSID\\" VK_CONTROL_CLSID L"\\InprocServer32";

bool writeValue(const wchar_t* path, const wchar_t* name, const wchar_t* value) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG written = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                        static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

bool gone(LONG result) { return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND; }

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) self = instance;
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllRegisterServer() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(self, path, MAX_PATH);
    const bool written = writeValue(kClassKey, nullptr, VK_CONTROL_NAME) && writeValue(kServerKey, nullptr, path) &&
                         writeValue(kServerKey, L"ThreadingModel", L"Apartment");
    return written ? S_OK : SELFREG_E_CLASS;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllUnregisterServer() {
    const bool removed = gone(RegDeleteKeyW(HKEY_CLASSES_ROOT, kServerKey)) && gone(RegDeleteKeyW(HKEY_CLASSES_ROOT, kClassKey));
    return removed ? S_OK : SELFREG_E_CLASS;
}
