#pragma once
// The processes a program starts, by their command lines. The program runs in
// a job object, which every process it starts joins too, and the job's
// completion port names each new one. A thread of its own takes that news at
// once and reads the command line of each of the program's children from the
// child's memory while it runs: a child that has ended can no longer be read.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vk::uidrive {

class StartedProcesses {
public:
    // Throws vk::Error when the job or its port cannot be made.
    StartedProcesses();
    ~StartedProcesses();
    StartedProcesses(const StartedProcesses&) = delete;
    StartedProcesses& operator=(const StartedProcesses&) = delete;

    // Puts the program, created suspended and not yet resumed, into the job.
    // Throws vk::Error when it cannot.
    void watch(HANDLE program, DWORD programId);
    // The command lines of the program's children started since the last
    // call, in the order they were started: every news the port holds at the
    // call has been read first.
    std::vector<std::string> take();

private:
    void closeHandles();
    void readNews();
    void noteNewProcess(DWORD id);

    HANDLE job_ = nullptr;
    HANDLE port_ = nullptr;
    HANDLE caughtUp_ = nullptr;  // set when the reader has come to take()'s mark
    DWORD programId_ = 0;
    std::atomic<bool> readerEnded_{false};
    std::mutex mutex_;
    std::vector<std::string> commandLines_;
    std::thread reader_;
};

}  // namespace vk::uidrive
