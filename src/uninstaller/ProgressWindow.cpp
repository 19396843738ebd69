#include "uninstaller/ProgressWindow.h"

#include <commctrl.h>

namespace vk::uninstaller {

namespace {

constexpr wchar_t kWindowClass[] = L"VorkastUninstallProgress";

// The window cannot be closed while the removal runs: closing is ignored.
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

ProgressWindow::ProgressWindow(HINSTANCE instance, const std::wstring& caption) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassW(&windowClass);

    window_ = CreateWindowExW(0, kWindowClass, caption.c_str(), WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                              520, 130, nullptr, nullptr, instance, nullptr);
    if (!window_) return;  // the removal goes on without a window
    text_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_PATHELLIPSIS, 12, 12, 480, 20,
                            window_, nullptr, instance, nullptr);
    SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 12, 40, 480, 20, window_, nullptr, instance,
                           nullptr);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
}

ProgressWindow::~ProgressWindow() {
    if (window_) DestroyWindow(window_);
    pumpMessages();
}

void ProgressWindow::show(std::size_t done, std::size_t total, const std::wstring& item) {
    if (window_) {
        SendMessageW(bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
        SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(done), 0);
        SetWindowTextW(text_, (L"Удаление: " + item).c_str());
    }
    pumpMessages();
}

}  // namespace vk::uninstaller
