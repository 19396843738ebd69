// Vorkast.exe of the demo package: the product's main program, reduced to a
// window that says where it is installed and which connection file it would
// open, found as the product finds it.
#include <string>

#include "DemoWindow.h"

namespace {

std::wstring connectionFileName() {
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"SoftWare\\Talvex\\Vorkast\\System", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    DWORD type = 0;
    const bool read = RegQueryValueExW(key, L"DBName", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
                          ERROR_SUCCESS && type == REG_SZ;
    RegCloseKey(key);
    return read ? value : L"";
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// DBName as it stands, else in the program folder, else in its "Подключения".
std::wstring connectionFile(const std::wstring& folder) {
    const std::wstring name = connectionFileName();
    if (name.empty()) return L"не задан";
    for (const std::wstring& candidate : {name, folder + L"\\" + name, folder + L"\\Подключения\\" + name})
        if (isFile(candidate)) return candidate;
    return name + L" (не найден)";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const std::wstring folder = vk::demo::ownFolder();
    return vk::demo::runDemoWindow(instance, L"АС Кронта 3.1",
                                   L"Папка установки: " + folder + L"\r\nФайл подключения: " + connectionFile(folder) +
                                       L"\r\n\r\nEsc закрывает окно.");
}
