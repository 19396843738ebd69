#pragma once
// The time between two of the system's time stamps (GetProcessTimes,
// GetSystemTimeAsFileTime), for the figures of how long a program ran.
#include <windows.h>

namespace vk::uidrive {

inline long long millisecondsBetween(const FILETIME& from, const FILETIME& to) {
    const auto ticks = [](const FILETIME& time) {  // 100 ns each
        return static_cast<long long>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    };
    return (ticks(to) - ticks(from)) / 10000;
}

}  // namespace vk::uidrive
