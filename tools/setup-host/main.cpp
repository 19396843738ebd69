// setup-host: plays the installer's wizard headless against a hosted machine,
// with a scenario for the user, and prints the transcript and the progress.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../HostPath.h"
#include "../ToolMain.h"
#include "DefaultPath.h"
#include "WizardProgress.h"
#include "datalib/WholeFile.h"
#include "engine/InstallLog.h"
#include "engine/InstallationLock.h"
#include "forms/Player.h"
#include "forms/Scenario.h"
#include "forms/Transcript.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/HostEnvironment.h"
#include "platform/Program.h"
#include "wizard/SetupForms.h"

namespace vk::host {
namespace {

const char kUsage[] =
    "usage: setup-host --machine DIR [--payload FILE] [--history FILE] [--script FILE]\n"
    "                  [--package-flags N] [--transcript FILE]\n"
    "\n"
    "Plays the installer's wizard on the hosted machine kept in DIR (created with\n"
    "defaults when missing): the steps of a scenario, or without one the default\n"
    "path (Next to the end with every default, No to the link question, Exit).\n"
    "Prints the transcript and the progress.\n"
    "\n"
    "  --machine DIR        the machine folder (drives, registry.reg, machine.ini)\n"
    "  --payload FILE       the transport stream to install; default: payload.trs\n"
    "                       beside this program or in the folder above it\n"
    "  --history FILE       the version history; default: History.htm beside the payload\n"
    "  --script FILE        the scenario to play (one step a line)\n"
    "  --package-flags N    play another package profile (decimal or 0x...)\n"
    "  --transcript FILE    also write the transcript alone to FILE\n"
    "  --help               this text\n"
    "\n"
    "Exit status: 0 the wizard closed after a successful installation or without\n"
    "one, 1 the installation failed, 2 a bad command line or scenario, 3 a step\n"
    "could not be applied or the scenario ended with the wizard open.\n";

enum ExitStatus { kClosed = 0, kInstallFailed = 1, kBadInput = 2, kNotApplied = 3 };

struct Arguments {
    std::string machine;
    std::string payload;
    std::string history;
    std::string script;
    std::string transcript;
    std::uint32_t packageFlags = kPackageFlags;
};

[[noreturn]] void usageError(const std::string& message) {
    std::fprintf(stderr, "setup-host: %s\n\n%s", message.c_str(), kUsage);
    std::exit(kBadInput);
}

std::uint32_t parseFlags(const std::string& text) {
    try {
        std::size_t used = 0;
        const unsigned long value = std::stoul(text, &used, 0);
        if (used == text.size() && value <= 0xFFFFFFFFul) return static_cast<std::uint32_t>(value);
    } catch (const std::exception&) {
    }
    usageError("--package-flags takes a 32-bit number, not \"" + text + "\"");
}

Arguments parseArguments(const std::vector<std::string>& args) {
    Arguments arguments;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--help" || option == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(kClosed);
        }
        if (i + 1 >= args.size()) usageError("missing value for " + option);
        const std::string& value = args[++i];
        if (option == "--machine")
            arguments.machine = value;
        else if (option == "--payload")
            arguments.payload = value;
        else if (option == "--history")
            arguments.history = value;
        else if (option == "--script")
            arguments.script = value;
        else if (option == "--transcript")
            arguments.transcript = value;
        else if (option == "--package-flags")
            arguments.packageFlags = parseFlags(value);
        else
            usageError("unknown option " + option);
    }
    if (arguments.machine.empty()) usageError("--machine is required");
    return arguments;
}

// The build's demo package: beside this program, or in the build folder above it.
std::string defaultPayload() {
    const std::filesystem::path folder = tools::hostPath(platform::programPath()).parent_path();
    for (const std::filesystem::path& candidate : {folder / "payload.trs", folder.parent_path() / "payload.trs"})
        if (platform::fileExists(tools::displayPath(candidate))) return tools::displayPath(candidate);
    return tools::displayPath(folder / "payload.trs");
}

// The package's files, opened before the machine is chosen (until then
// paths are the host's own). The payload is handed out once: one wizard
// installs once.
struct PackageFiles {
    std::shared_ptr<std::unique_ptr<Stream>> payload = std::make_shared<std::unique_ptr<Stream>>();
    std::optional<std::string> history;

    TfmSetup::ResourceOpener opener() const {
        return [payload = payload, history = history](std::string_view name) -> std::unique_ptr<Stream> {
            if (name == "TRSData") return std::move(*payload);
            if (name == "History" && history)
                return std::make_unique<MemoryStream>(std::vector<std::uint8_t>(history->begin(), history->end()),
                                                      "History");
            return nullptr;
        };
    }
};

int play(const Arguments& arguments, const std::optional<std::vector<forms::Step>>& steps) {
    PackageFiles files;
    *files.payload = platform::openFile(arguments.payload, platform::FileMode::OpenRead);
    if (platform::fileExists(arguments.history)) files.history = readFileText(arguments.history);
    if (!platform::selectMachineFolder(arguments.machine))
        throw Error("setup-host works on hosted machines only; this build runs on the real one.");
    const auto onlyInstallation = LockInstallation();
    if (!onlyInstallation) {
        std::fprintf(stderr, "setup-host: %s\n", std::string(kAnotherInstallationRuns).c_str());
        return kInstallFailed;
    }

    forms::Transcript transcript;
    transcript.onLine = [](const std::string& line) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    };
    SetupForms forms(files.opener(), arguments.packageFlags);
    TfmSetup& wizard = forms.fmSetup;
    WizardProgress progress(wizard, stdout, platform::standardOutputIsTerminal());
    forms::Player player(transcript);
    player.startedProcesses = platform::takeStartedProcesses;
    std::optional<std::string> notApplied;
    try {
        if (steps)
            player.play(wizard, *steps);
        else
            PlayDefaultPath(player, wizard);
    } catch (const forms::ScenarioError& error) {
        notApplied = error.what();
    }
    // Those of a step that could not be completed.
    for (const std::string& commandLine : platform::takeStartedProcesses()) transcript.add(forms::runLine(commandLine));
    // Written with the host's own file functions: the platform's paths are the machine's now.
    if (!arguments.transcript.empty()) {
        std::ofstream out(tools::hostPath(arguments.transcript), std::ios::binary | std::ios::trunc);
        out << transcript.text();
        if (!out.flush()) std::fprintf(stderr, "setup-host: cannot write %s\n", arguments.transcript.c_str());
    }
    if (notApplied) {
        std::fprintf(stderr, "setup-host: %s\n", notApplied->c_str());
        return kNotApplied;
    }
    if (!wizard.ended()) {
        std::fprintf(stderr, "setup-host: the scenario ended with the wizard open\n");
        return kNotApplied;
    }
    if (wizard.Result == TfmSetup::RunResult::Failed) {
        std::fprintf(stderr, "setup-host: the installation failed: %s\n", wizard.RunFailure.c_str());
        return kInstallFailed;
    }
    if (wizard.Result == TfmSetup::RunResult::Succeeded)
        std::printf("Install log: %s\nUninstall entry: %sHKEY_LOCAL_MACHINE\\%s\n", InstallLogPath().c_str(),
                    wizard.UninstallRegistered ? "" : "not written, no rights to ", std::string(kUninstallKey).c_str());
    return kClosed;
}

}  // namespace
}  // namespace vk::host

int toolMain(const std::vector<std::string>& args) {
    using namespace vk::host;
    Arguments arguments = parseArguments(args);
    if (arguments.payload.empty()) arguments.payload = defaultPayload();
    if (arguments.history.empty())
        arguments.history = vk::tools::displayPath(vk::tools::hostPath(arguments.payload).parent_path() / "History.htm");
    if (!vk::platform::fileExists(arguments.payload)) {
        std::fprintf(stderr, "setup-host: no payload at %s: build the demo package or pass --payload\n",
                     arguments.payload.c_str());
        return kBadInput;
    }
    std::optional<std::vector<vk::forms::Step>> steps;
    try {
        if (!arguments.script.empty())
            steps = vk::forms::parseScenario(vk::readFileText(arguments.script), arguments.script);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "setup-host: %s\n", e.what());
        return kBadInput;
    }
    try {
        return play(arguments, steps);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "setup-host: %s\n", e.what());
        return kNotApplied;
    }
}
