// timeprogram PROGRAM [ARGS...]: runs PROGRAM, waits for it to end and prints
// on stderr how long it ran, from its process's creation to its exit as the
// system records them: the same figure the UI driver reports for the program
// it drives, so that two programs are timed alike, exit included. Exits with
// the program's exit code; 2 for a bad command line or a program that cannot
// be started.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ProcessTimes.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: timeprogram PROGRAM [ARGS...]\n");
        return 2;
    }
    std::wstring commandLine;
    for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? L" \"" : L"\"") + std::wstring(argv[i]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "timeprogram: cannot start %ls (error %lu)\n", argv[1], GetLastError());
        return 2;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    FILETIME created, exited, kernel, user;
    GetExitCodeProcess(process.hProcess, &exitCode);
    GetProcessTimes(process.hProcess, &created, &exited, &kernel, &user);
    CloseHandle(process.hProcess);
    std::fprintf(stderr, "timeprogram: the program ran %lld ms\n", vk::uidrive::millisecondsBetween(created, exited));
    return static_cast<int>(exitCode);
}
