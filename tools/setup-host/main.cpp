// setup-host: runs the installation engine headless against a hosted machine,
// with the choices the wizard would offer by default.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../HostPath.h"
#include "../ToolMain.h"
#include "ConsoleProgress.h"
#include "WizardDefaults.h"
#include "datalib/SetupSets.h"
#include "engine/InstallLog.h"
#include "forms/Form.h"
#include "engine/ProcessThread.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/HostEnvironment.h"
#include "platform/Program.h"

namespace vk::host {
namespace {

const char kUsage[] =
    "usage: setup-host --machine DIR [--payload FILE] [--part server|client] [--net-path PATH]\n"
    "\n"
    "Installs a package on the hosted machine kept in DIR (created with defaults\n"
    "when missing), as the wizard would with its default choices, and reports\n"
    "the progress and a summary. Exit status 0 only when the installation succeeded.\n"
    "\n"
    "  --machine DIR    the machine folder (drives, registry.reg, machine.ini)\n"
    "  --payload FILE   the transport stream to install; default: payload.trs\n"
    "                   beside this program or in the folder above it (the\n"
    "                   demo package of the build, target payload)\n"
    "  --part PART      server (default) or client\n"
    "  --net-path PATH  for the client part: the program folder of the main\n"
    "                   computer (a Windows path on the machine, e.g. \\\\HOST\\Vorkast)\n"
    "  --help           this text\n";

// The wizard's message for a failed run.
const char kFailedRun[] =
    "Установка прошла с ошибками, возможно вы не обладаете достаточными правами для выполнения подобных операций.";

struct Arguments {
    std::string machine;
    std::string payload;
    bool clientPart = false;
    std::string netPath;
};

[[noreturn]] void usageError(const std::string& message) {
    std::fprintf(stderr, "setup-host: %s\n\n%s", message.c_str(), kUsage);
    std::exit(2);
}

Arguments parseArguments(const std::vector<std::string>& args) {
    Arguments arguments;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--help" || option == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (i + 1 >= args.size()) usageError("missing value for " + option);
        const std::string& value = args[++i];
        if (option == "--machine")
            arguments.machine = value;
        else if (option == "--payload")
            arguments.payload = value;
        else if (option == "--net-path")
            arguments.netPath = value;
        else if (option == "--part" && (value == "server" || value == "client"))
            arguments.clientPart = value == "client";
        else
            usageError("unknown option or value: " + option + " " + value);
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

struct LogCounts {
    int files = 0, folders = 0, registrations = 0, entries = 0;
};

LogCounts countEntries(DataSet& log) {
    LogCounts counts;
    const int kind = log.field("InfType").index();
    for (log.first(); !log.eof(); log.next()) {
        const std::string entry = log.asString(kind);
        ++counts.entries;
        counts.files += entry == logkind::File;
        counts.folders += entry == logkind::Folder;
        counts.registrations += entry == logkind::OcxReg || entry == logkind::SrvReg;
    }
    return counts;
}

int run(const Arguments& arguments) {
    // Opened before the machine is chosen: until then paths are the host's own.
    if (!platform::fileExists(arguments.payload))
        throw Error("No payload at " + arguments.payload + ": build the demo package or pass --payload.");
    auto payload = std::make_shared<std::unique_ptr<Stream>>(
        platform::openFile(arguments.payload, platform::FileMode::OpenRead));
    if (!platform::selectMachineFolder(arguments.machine))
        throw Error("setup-host works on hosted machines only; this build runs on the real one.");

    const auto started = std::chrono::steady_clock::now();
    auto ssLog = std::make_unique<TStaticSet>();
    defineLog(*ssLog);
    ssLog->open();
    CorrectionFileList correctionFiles;
    // The wizard's list of configurations, ticked as the wizard leaves it.
    forms::Form fmSetup("fmSetup", "", 491, 332);
    forms::ListView lvConfigs(fmSetup, "lvConfigs", {});
    ConfigTable configs(packageConfigs(), lvConfigs);

    auto worker = std::make_unique<TProcessThread>();
    applyWizardDefaults(*worker, configs, arguments.clientPart, arguments.netPath);
    worker->CorrectionFiles = &correctionFiles;
    worker->Log = ssLog.get();
    worker->ConfigNoSelected = [&configs](std::int32_t number) { return configs.IsConfigNoSelected(number); };
    worker->OpenPayload = [payload] { return std::move(*payload); };
    const std::string installFolder = worker->InstallFolder();
    std::printf("Installing %s part into %s\n", arguments.clientPart ? "the client" : "the server",
                installFolder.c_str());

    ConsoleProgress progress(stdout, platform::standardOutputIsTerminal());
    ProgressDispatcher dispatcher(progress);
    platform::MessageWindow window(dispatcher);
    worker->Window = window.handle();
    bool ended = false;
    std::string failure;
    worker->OnTerminate = [&](const std::string& text) {
        ended = true;
        failure = text;
    };
    TProcessThread::Resume(std::move(worker));
    window.pumpUntil([&] { return ended && progress.finished(); });

    if (progress.failed()) {
        std::fprintf(stderr, "%s\n%s\n", kFailedRun, failure.c_str());
        return 1;
    }
    RegisterUninstallAndSaveLog(*ssLog, kProductCaption, installFolder);
    const LogCounts counts = countEntries(*ssLog);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("Done in %.2f s: %d log entries (%d new files, %d folders, %d registrations), %zu correction files.\n"
                "Install log: %s\nUninstall entry: HKEY_LOCAL_MACHINE\\%s\n",
                seconds, counts.entries, counts.files, counts.folders, counts.registrations,
                correctionFiles.size(), InstallLogPath().c_str(), std::string(kUninstallKey).c_str());
    return 0;
}

}  // namespace
}  // namespace vk::host

int toolMain(const std::vector<std::string>& args) {
    vk::host::Arguments arguments = vk::host::parseArguments(args);
    if (arguments.payload.empty()) arguments.payload = vk::host::defaultPayload();
    try {
        return vk::host::run(arguments);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "setup-host: %s\n", e.what());
        return 1;
    }
}
