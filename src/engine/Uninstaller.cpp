#include "engine/Uninstaller.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/FileSystem.h"
#include "platform/Library.h"
#include "platform/Process.h"
#include "platform/Registry.h"

namespace vk {

namespace {

// Why the step failed, or nothing when it succeeded. A thing already gone
// counts as removed.
std::optional<std::string> deleteFile(const std::string& path) {
    if (!platform::fileExists(path) || platform::deleteFile(path)) return std::nullopt;
    return "файл не удалён";
}

std::optional<std::string> unregisterServer(const std::string& path) {
    if (!platform::fileExists(path)) return "программа не найдена, регистрация не отменена";
    const std::optional<std::uint32_t> exitCode =
        platform::startProcess("\"" + path + "\" -unregserver", "", platform::Wait::Forever);
    if (!exitCode) return "программа не запускается, регистрация не отменена, файл оставлен";
    if (*exitCode != 0) return "регистрация не отменена (код " + std::to_string(*exitCode) + "), файл оставлен";
    return std::nullopt;
}

std::optional<std::string> unregisterControl(const std::string& path) {
    std::unique_ptr<platform::Library> library;
    try {
        library = platform::loadLibrary(path);
    } catch (...) {
    }
    if (!library) return "библиотека не загружается, регистрация не отменена, файл оставлен";
    const std::optional<std::int32_t> result = library->callHresultExport("DllUnregisterServer");
    if (!result || *result < 0) return "регистрация не отменена, файл оставлен";
    return std::nullopt;
}

std::optional<std::string> removeFolder(const std::string& path) {
    if (!platform::directoryExists(path) || platform::removeDirectory(path)) return std::nullopt;
    return "папка не пуста или занята";
}

std::optional<std::string> run(const UninstallStep& step) {
    switch (step.action) {
        case UninstallAction::DeleteShortcut:
        case UninstallAction::DeleteFile: return deleteFile(step.path);
        case UninstallAction::UnregisterServer: return unregisterServer(step.path);
        case UninstallAction::UnregisterControl: return unregisterControl(step.path);
        case UninstallAction::RemoveFolder: return removeFolder(step.path);
        case UninstallAction::DeleteUninstallKey:
            if (platform::deleteRegistryKey(platform::RootKey::LocalMachine, step.path)) return std::nullopt;
            return "раздел реестра не удалён";
    }
    return std::nullopt;
}

void appendList(std::string& text, const std::string& heading, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    text += "\n\n" + heading;
    for (const std::string& line : lines) text += "\n" + line;
}

// A folder that stays because the user's data inside it stays is no failure.
bool holdsKeptFolder(const UninstallPlan& plan, const std::string& folder) {
    return std::any_of(plan.keptFolders.begin(), plan.keptFolders.end(), [&](const std::string& kept) {
        return IsWithinFolder(kept, folder) && platform::directoryExists(kept);
    });
}

bool isUnregistration(UninstallAction action) {
    return action == UninstallAction::UnregisterServer || action == UninstallAction::UnregisterControl;
}

}  // namespace

UninstallReport RunUninstall(const UninstallPlan& plan, const UninstallProgress& progress) {
    UninstallReport report;
    // A server or control whose registration stays keeps its file, so that
    // the registration still names something and can be undone later.
    std::vector<std::string> stillRegistered;
    for (std::size_t done = 0; done < plan.steps.size(); ++done) {
        const UninstallStep& step = plan.steps[done];
        if (progress) progress(done, plan.steps.size(), step.path);
        if (step.action == UninstallAction::DeleteFile &&
            std::find(stillRegistered.begin(), stillRegistered.end(), step.path) != stillRegistered.end())
            continue;
        if (std::optional<std::string> failure = run(step)) {
            if (step.action == UninstallAction::RemoveFolder && holdsKeptFolder(plan, step.path)) continue;  // on purpose
            report.notRemoved.push_back(step.path + ": " + *failure);
            if (isUnregistration(step.action)) stillRegistered.push_back(step.path);
        }
    }
    for (const std::string& folder : plan.keptFolders)
        if (platform::directoryExists(folder)) report.keptFolders.push_back(folder);
    return report;
}

std::string UninstallSummary(const UninstallPlan& plan, const UninstallReport& report) {
    std::string text = report.notRemoved.empty() ? "Программа удалена с компьютера."
                                                 : "Программа удалена с компьютера не полностью.";
    appendList(text, "Сохранены, с базами данных и файлами подключения, папки:", report.keptFolders);
    appendList(text, "Не удалось удалить:", report.notRemoved);
    appendList(text, "Записи журнала установки с недопустимым путём пропущены:", plan.refused);
    return text;
}

}  // namespace vk
