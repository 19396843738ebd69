// firstwindow PROGRAM: starts PROGRAM, waits until it shows a visible
// top-level window that has been painted (its message queue idle after
// showing it), prints the milliseconds from the start, and ends it.
// Exit code 1 when no window came within 60 s.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK visibleWindowOf(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: firstwindow PROGRAM\n");
        return 2;
    }
    // Readied before the clock starts: under Wine a process's first window
    // call connects it to the display.
    GetDesktopWindow();
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, started, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "firstwindow: cannot start the program\n");
        return 1;
    }
    Search search{process.dwProcessId, nullptr};
    for (int tries = 0; tries < 60000 && !search.found; ++tries) {
        EnumWindows(visibleWindowOf, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(1);
    }
    if (search.found) {
        // Painted: a message sent to it returns once it has handled what came before.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored);
        WaitForInputIdle(process.hProcess, 60000);
    }
    QueryPerformanceCounter(&now);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!search.found) return 1;
    std::printf("%.1f\n", 1000.0 * static_cast<double>(now.QuadPart - started.QuadPart) /
                               static_cast<double>(frequency.QuadPart));
    return 0;
}
