#include "WindowQueries.h"

#include <functional>
#include <vector>

#include "platform/win32/Wide.h"
#include "view/WindowNames.h"

namespace vk::uidrive {

namespace {

struct Search {
    std::function<bool(HWND)> matches;
    HWND found = nullptr;
};

BOOL CALLBACK match(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    if (!search.matches(window)) return TRUE;
    search.found = window;
    return FALSE;
}

HWND findDescendant(HWND root, std::function<bool(HWND)> matches) {
    Search search{std::move(matches)};
    EnumChildWindows(root, match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::string windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &length)) return {};
    std::vector<wchar_t> text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                        kAnswerTimeoutMs, &copied);
    return platform::win32::narrow(std::wstring_view(text.data(), std::min<std::size_t>(copied, length)));
}

HWND findNamed(HWND root, const std::string& name) {
    // A name is an atom: the windows are first compared by it, a round trip
    // each rather than two. The atom table ignores case, names do not.
    const ATOM atom = GlobalFindAtomW(platform::win32::wide(name).c_str());
    if (!atom) return nullptr;
    const HANDLE named = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom));
    return findDescendant(root, [named, &name](HWND window) {
        return GetPropW(window, view::kNameProperty) == named && view::windowName(window) == name;
    });
}

void makeAllControls(HWND form) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(form, view::makeAllControlsMessage(), 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &ignored);
}

HWND findMarked(HWND root, const wchar_t* property) {
    return findDescendant(root, [property](HWND window) { return GetPropW(window, property) != nullptr; });
}

std::optional<forms::ControlKind> controlKind(HWND window) {
    const auto kind = view::windowNumber(window, view::kKindProperty);
    if (!kind) return std::nullopt;
    return static_cast<forms::ControlKind>(*kind);
}

bool usable(HWND window) {
    for (HWND level = window; level && (GetWindowLongW(level, GWL_STYLE) & WS_CHILD); level = GetParent(level))
        if (!IsWindowEnabled(level)) return false;
    return true;
}

bool visibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

bool isSystemDialog(HWND window) {
    wchar_t windowClass[16] = {};
    GetClassNameW(window, windowClass, 16);
    return lstrcmpW(windowClass, L"#32770") == 0;
}

HWND findOthersWindow(const std::string& title, DWORD exceptProcess) {
    Search search{[&title, exceptProcess](HWND window) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == exceptProcess || !IsWindowVisible(window)) return false;
        // The caption as the window manager keeps it: no message to a program that may be busy.
        wchar_t caption[256] = {};
        const int length = GetWindowTextW(window, caption, 256);
        return platform::win32::narrow(std::wstring_view(caption, static_cast<std::size_t>(length))) == title;
    }};
    EnumWindows(match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace vk::uidrive
