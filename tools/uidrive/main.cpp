// uidrive SCENARIO PROGRAM [ARGS...]: starts PROGRAM, plays the scenario
// against its windows, prints the transcript and exits with the program's
// exit code; 3 when a step failed (the program is then ended), 2 for a bad
// command line.
#include <fcntl.h>
#include <io.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "../ToolMain.h"
#include "Driver.h"
#include "TargetProgram.h"
#include "datalib/WholeFile.h"
#include "forms/Scenario.h"
#include "forms/Transcript.h"
#include "platform/Error.h"

namespace {

constexpr int kStepFailed = 3;
constexpr unsigned kExitTimeoutMs = 30000;

}  // namespace

int toolMain(const std::vector<std::string>& args) {
    using namespace vk;
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: uidrive SCENARIO PROGRAM [ARGS...]\n");
        return 2;
    }
    std::vector<forms::Step> steps;
    try {
        steps = forms::parseScenario(readFileText(args[0]), args[0]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "uidrive: %s\n", error.what());
        return kStepFailed;
    }
    // The transcript's lines end in "\n" alone, as the hosted player's do.
    _setmode(_fileno(stdout), _O_BINARY);
    forms::Transcript transcript;
    transcript.onLine = [](const std::string& line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    };
    try {
        uidrive::TargetProgram program(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
        uidrive::Driver driver(program, transcript);
        driver.waitForMainForm();
        const auto started = std::chrono::steady_clock::now();
        driver.play(steps);
        const auto played = std::chrono::steady_clock::now() - started;
        const int exitCode = program.waitForExit(kExitTimeoutMs);
        if (exitCode < 0) throw uidrive::DriveError("the program did not end in 30 s after the scenario");
        driver.noteStartedProcesses();
        std::fprintf(stderr, "uidrive: %zu steps in %lld ms; the program ran %lld ms", steps.size(),
                     static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(played).count()),
                     program.lifetimeMs());
        if (const auto longest = driver.longestStep(); longest.line != 0)
            std::fprintf(stderr, "; the longest step, line %d, took %lld ms", longest.line,
                         static_cast<long long>(longest.took.count()));
        // Read while the program ran: nothing when it ended at the first step.
        if (program.peakWorkingSet() != 0)
            std::fprintf(stderr, "; the program's peak working set %zu KB",
                         static_cast<std::size_t>(program.peakWorkingSet() / 1024));
        std::fputc('\n', stderr);
        return exitCode;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "uidrive: %s: %s\n", args[0].c_str(), error.what());
        return kStepFailed;
    }
}
