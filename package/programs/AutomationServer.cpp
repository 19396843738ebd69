// The demo package's automation servers (Korvex, Lumtra, Tablica, Nadzor), one
// source built once per server: VK_SERVER_NAME and VK_SERVER_CLSID name it.
// "-regserver" writes its class under HKEY_CLASSES_ROOT with the path of this
// file as LocalServer32, "-unregserver" removes exactly that; either ends with
// 0 on success and 1 when the registry refused. Without arguments it shows a
// window, as a server started by a user would.
#include <cwctype>
#include <string>

#include "DemoClasses.h"
#include "DemoWindow.h"

namespace {

constexpr wchar_t kClassKey[] = L"CLSID\\" VK_SERVER_CLSID;
constexpr wchar_t kServerKey[] = L"CLSID\\" VK_SERVER_CLSID L"\\LocalServer32";

bool writeDefault(const wchar_t* path, const std::wstring& value) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG written = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

bool registerServer() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return writeDefault(kClassKey, VK_SERVER_NAME L" (демонстрационный сервер)") && writeDefault(kServerKey, path);
}

bool gone(LONG result) { return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND; }

bool unregisterServer() { return gone(RegDeleteKeyW(HKEY_CLASSES_ROOT, kServerKey)) && gone(RegDeleteKeyW(HKEY_CLASSES_ROOT, kClassKey)); }

// The switch, with "-" or "/" and in any letter case, as servers accept it.
std::wstring switchOf(const wchar_t* arguments) {
    std::wstring word;
    while (*arguments == L' ') ++arguments;
    if (*arguments == L'-' || *arguments == L'/') ++arguments;
    for (; *arguments && *arguments != L' '; ++arguments) word += static_cast<wchar_t>(std::towlower(*arguments));
    return word;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
    const std::wstring command = switchOf(arguments);
    if (command == L"regserver") return registerServer() ? 0 : 1;
    if (command == L"unregserver") return unregisterServer() ? 0 : 1;
    return vk::demo::runDemoWindow(instance, VK_SERVER_NAME,
                                   L"Сервер автоматизации " VK_SERVER_NAME L" демонстрационного пакета АС Кронта.\r\n"
                                   L"Ключи: -regserver, -unregserver.");
}
