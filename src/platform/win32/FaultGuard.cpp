#include "platform/win32/FaultGuard.h"

#include <csetjmp>
#include <cstdio>
#include <mutex>

#include "platform/Error.h"

namespace vk::platform::win32 {

namespace {

// Where a fault on this thread returns to, while a guarded call runs on it,
// and the exception that took it there.
thread_local jmp_buf* activeGuard = nullptr;
thread_local DWORD caughtCode = 0;
LPTOP_LEVEL_EXCEPTION_FILTER outerFilter = nullptr;

bool isFault(DWORD code) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_IN_PAGE_ERROR:
        return true;
    default:
        return false;
    }
}

// Runs once every frame of the called code has declined the exception, so
// that a control handling its own faults keeps doing so. longjmp of this
// runtime restores the frame chain that setjmp saw.
LONG WINAPI onUnhandled(EXCEPTION_POINTERS* info) {
    jmp_buf* guard = activeGuard;
    if (guard && isFault(info->ExceptionRecord->ExceptionCode)) {
        caughtCode = info->ExceptionRecord->ExceptionCode;
        longjmp(*guard, 1);
    }
    return outerFilter ? outerFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

std::string describe(DWORD code) {
    const char* name = code == EXCEPTION_ACCESS_VIOLATION ? "an access violation" : "an exception";
    char text[64];
    std::snprintf(text, sizeof text, "%s (0x%08lX)", name, static_cast<unsigned long>(code));
    return text;
}

}  // namespace

HRESULT callGuarded(HRESULT(WINAPI* entry)(), const std::string& what) {
    // The filter belongs to the process: one guarded call at a time.
    static std::mutex oneAtATime;
    std::lock_guard lock(oneAtATime);

    outerFilter = SetUnhandledExceptionFilter(onUnhandled);
    auto restore = [] {
        activeGuard = nullptr;
        SetUnhandledExceptionFilter(outerFilter);
    };
    jmp_buf landing;
    if (setjmp(landing) == 0) {
        activeGuard = &landing;
        const HRESULT result = entry();
        restore();
        return result;
    }
    restore();
    throw Error(what + ": the call ended with " + describe(caughtCode));
}

}  // namespace vk::platform::win32
