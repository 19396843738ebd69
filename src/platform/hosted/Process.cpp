// Programs on the hosted machine: a host program or script at the mapped
// path runs as a child process, but only when machine.ini allows it, so that
// checking a package never runs its code on the host by accident. Every
// program that Windows would have started is noted all the same.
#include "platform/Process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/HostEnvironment.h"
#include "platform/hosted/CommandLine.h"
#include "platform/hosted/FileDescriptor.h"
#include "platform/hosted/Machine.h"
#include "platform/hosted/ModuleSearch.h"

namespace vk::platform {

namespace {

using hosted::FileDescriptor;

// The command lines of the processes started, not yet taken; the install
// thread starts some.
std::mutex startedMutex;
std::vector<std::string> started;

void noteStarted(std::string_view commandLine) {
    std::lock_guard lock(startedMutex);
    started.emplace_back(commandLine);
}

// The argv that runs file: through the interpreter its "#!" line names, so
// that a script runs without the executable bit that an installed file lacks.
// nullopt for a Windows image, which the host cannot run.
std::optional<std::vector<std::string>> hostCommand(const std::filesystem::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    char head[256] = {};
    ssize_t got = fd.valid() ? ::read(fd.get(), head, sizeof head - 1) : -1;
    if (got < 2) return std::nullopt;
    std::string_view start(head, static_cast<std::size_t>(got));
    if (start.starts_with("MZ")) return std::nullopt;
    if (!start.starts_with("#!")) return std::vector<std::string>{file.string()};
    std::string_view line = start.substr(2, start.find('\n') - 2);
    std::vector<std::string> command;
    while (!line.empty() && command.size() < 2) {
        std::size_t blank = line.find_first_not_of(" \t\r");
        if (blank == std::string_view::npos) break;
        line.remove_prefix(blank);
        // As the kernel reads it: the interpreter, then the rest as one argument.
        std::size_t end = command.empty() ? line.find_first_of(" \t\r") : line.find_last_not_of(" \t\r") + 1;
        command.emplace_back(line.substr(0, end));
        line.remove_prefix(std::min(end, line.size()));
    }
    if (command.empty()) return std::nullopt;
    command.push_back(file.string());
    return command;
}

// Starts argv in folder; -1 when it could not be started. The child reports
// a failed chdir or exec through a pipe that a successful exec closes.
pid_t spawn(const std::vector<std::string>& argv, const std::filesystem::path& folder) {
    std::vector<char*> pointers;
    for (const auto& argument : argv) pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return -1;
    FileDescriptor readEnd(fds[0]), writeEnd(fds[1]);
    pid_t child = ::fork();
    if (child == 0) {
        if (::chdir(folder.c_str()) == 0) ::execv(pointers[0], pointers.data());
        int error = errno;
        [[maybe_unused]] ssize_t ignored = ::write(writeEnd.get(), &error, sizeof error);
        ::_exit(127);
    }
    if (child < 0) return -1;
    ::close(writeEnd.release());
    int childError = 0;
    ssize_t got;
    do got = ::read(readEnd.get(), &childError, sizeof childError);
    while (got < 0 && errno == EINTR);
    if (got == 0) return child;
    ::waitpid(child, nullptr, 0);
    return -1;
}

std::uint32_t waitForExit(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    if (WIFEXITED(status)) return static_cast<std::uint32_t>(WEXITSTATUS(status));
    return 128 + static_cast<std::uint32_t>(WTERMSIG(status));  // as a shell reports a killed program
}

}  // namespace

std::optional<std::uint32_t> startProcess(std::string_view commandLine, std::string_view currentFolder, Wait wait) {
    auto machine = hosted::selectedMachine();
    if (!machine) return std::nullopt;
    // As CreateProcess, which refuses a current folder that does not exist.
    auto folder = hosted::tryResolvePath(currentFolder.empty() ? machine->currentFolder() : currentFolder);
    std::error_code error;
    if (!folder || !std::filesystem::is_directory(folder->host, error)) return std::nullopt;
    for (const auto& candidate : hosted::programCandidates(commandLine)) {
        auto program = hosted::findModule(*machine, candidate.program, ".exe");
        if (!program) continue;
        // Windows would start it: noted, though the host runs only a host
        // program, and only when allowed.
        auto argv = machine->config().allowPrograms ? hostCommand(program->host) : std::nullopt;
        if (!argv) {
            noteStarted(commandLine);
            return std::nullopt;
        }
        for (auto& argument : hosted::splitArguments(candidate.arguments)) argv->push_back(std::move(argument));
        pid_t child = spawn(*argv, folder->host);
        if (child < 0) return std::nullopt;
        noteStarted(commandLine);
        if (wait == Wait::Forever) return waitForExit(child);
        std::thread([child] { waitForExit(child); }).detach();  // reaps it when it ends
        return 0;
    }
    return std::nullopt;
}

std::vector<std::string> takeStartedProcesses() {
    std::lock_guard lock(startedMutex);
    return std::exchange(started, {});
}

}  // namespace vk::platform
