#include "platform/ShellLink.h"

#include <shlobj.h>

#include "platform/win32/Com.h"
#include "platform/win32/SystemFunction.h"
#include "platform/win32/Wide.h"

namespace vk::platform {

namespace {

win32::ComRef<IShellLinkW> newShellLink() {
    IShellLinkW* link = nullptr;
    static const auto create = win32::systemFunction<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    if (FAILED(create(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return nullptr;
    return win32::ComRef<IShellLinkW>(link);
}

win32::ComRef<IPersistFile> persistFileOf(IShellLinkW& link) {
    IPersistFile* file = nullptr;
    if (FAILED(link.QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) return nullptr;
    return win32::ComRef<IPersistFile>(file);
}

// Reads one string property through a getter that fills a buffer of a given size.
template <class Getter>
std::string linkString(Getter get) {
    wchar_t buffer[INFOTIPSIZE + 1] = {};
    if (FAILED(get(buffer, INFOTIPSIZE))) return {};
    return win32::narrow(buffer);
}

}  // namespace

bool saveShellLink(const ShellLinkData& data, std::string_view lnkPath) {
    win32::ComScope com;
    auto link = newShellLink();
    if (!link) return false;
    if (FAILED(link->SetPath(win32::wide(data.path).c_str())) ||
        FAILED(link->SetArguments(win32::wide(data.arguments).c_str())) ||
        FAILED(link->SetWorkingDirectory(win32::wide(data.workingFolder).c_str())) ||
        FAILED(link->SetDescription(win32::wide(data.description).c_str())))
        return false;
    auto file = persistFileOf(*link);
    return file && SUCCEEDED(file->Save(win32::wide(lnkPath).c_str(), TRUE));
}

std::optional<ShellLinkData> readShellLink(std::string_view lnkPath) {
    win32::ComScope com;
    auto link = newShellLink();
    if (!link) return std::nullopt;
    auto file = persistFileOf(*link);
    if (!file || FAILED(file->Load(win32::wide(lnkPath).c_str(), STGM_READ))) return std::nullopt;
    ShellLinkData data;
    data.path = linkString([&](wchar_t* buffer, int size) { return link->GetPath(buffer, size, nullptr, SLGP_RAWPATH); });
    data.arguments = linkString([&](wchar_t* buffer, int size) { return link->GetArguments(buffer, size); });
    data.workingFolder =
        linkString([&](wchar_t* buffer, int size) { return link->GetWorkingDirectory(buffer, size); });
    data.description = linkString([&](wchar_t* buffer, int size) { return link->GetDescription(buffer, size); });
    return data;
}

}  // namespace vk::platform
