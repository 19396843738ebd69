#pragma once
// The program the driver plays against: started with its arguments, its
// top-level windows, the processes it starts, and its end.
#include <windows.h>

#include <string>
#include <vector>

#include "StartedProcesses.h"

namespace vk::uidrive {

class TargetProgram {
public:
    // Throws vk::Error when the program cannot be started.
    TargetProgram(const std::string& program, const std::vector<std::string>& arguments);
    ~TargetProgram();
    TargetProgram(const TargetProgram&) = delete;
    TargetProgram& operator=(const TargetProgram&) = delete;

    HANDLE process() const { return process_; }
    bool ended() const { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }
    // Waits up to timeoutMs for the end; the exit code, or -1 when it runs on.
    int waitForExit(DWORD timeoutMs) const;
    void terminate() const;
    // Its visible top-level windows, the one in front first.
    std::vector<HWND> windows() const;
    // Reads the program's peak working set while it runs (the figure is gone
    // with the process under Wine); peakWorkingSet is the largest read, in bytes.
    void notePeakWorkingSet();
    SIZE_T peakWorkingSet() const { return peakWorkingSet_; }
    // Milliseconds from the program's start to its end, once it has ended.
    long long lifetimeMs() const;
    // The command lines of the processes it started since the last call,
    // in order.
    std::vector<std::string> takeStartedProcesses() { return started_.take(); }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    SIZE_T peakWorkingSet_ = 0;
    StartedProcesses started_;
};

}  // namespace vk::uidrive
