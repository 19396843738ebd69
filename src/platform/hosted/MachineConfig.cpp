#include "platform/hosted/MachineConfig.h"

#include <charconv>
#include <set>

#include "platform/Error.h"
#include "platform/Text.h"
#include "platform/hosted/LineReader.h"

namespace vk::platform::hosted {

namespace {

constexpr int kCsidlWindows = 36;
constexpr int kCsidlSystem = 37;

class MachineIniParser {
public:
    MachineIniParser(std::string_view text, const std::string& fileName) : lines_(text, fileName) {}

    MachineConfig parse() {
        std::string_view line;
        while (lines_.next(line)) parseLine(line);
        if (!config_.specialFolders.contains(kCsidlWindows)) config_.specialFolders[kCsidlWindows] = config_.windowsFolder;
        if (!config_.specialFolders.contains(kCsidlSystem)) config_.specialFolders[kCsidlSystem] = config_.systemFolder;
        return std::move(config_);
    }

private:
    [[noreturn]] void fail(const std::string& what) const { lines_.fail(what); }

    void parseLine(std::string_view line) {
        if (line.empty() || line.front() == ';' || line.front() == '#') return;
        try {
            toUtf16(line);
        } catch (const Error&) {
            fail("the text is not UTF-8");
        }
        if (line.front() == '[') {
            if (line.back() != ']') fail("a section line must end with \"]\"");
            section_ = trimBlanks(line.substr(1, line.size() - 2));
            if (!sameText(section_, "Machine") && !sameText(section_, "SpecialFolders") && !sameText(section_, "ReadOnly") &&
                !sameText(section_, "EngineAliases"))
                fail("unknown section [" + section_ + "]");
            return;
        }
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) fail("expected name=value");
        std::string_view name = trimBlanks(line.substr(0, equals));
        std::string_view value = trimBlanks(line.substr(equals + 1));
        if (section_.empty()) fail("a setting before the first [section]");
        if (sameText(section_, "Machine")) parseMachineSetting(name, value);
        else if (sameText(section_, "SpecialFolders")) parseSpecialFolder(name, value);
        else if (sameText(section_, "EngineAliases")) parseEngineAlias(name, value);
        else parseReadOnly(name, value);
    }

    void parseMachineSetting(std::string_view name, std::string_view value) {
        if (!seen_.insert(ansiUpper(name)).second) fail(std::string(name) + " is given twice");
        if (sameText(name, "ComputerName")) {
            if (value.empty()) fail("ComputerName must not be empty");
            config_.computerName = value;
        } else if (sameText(name, "WindowsFolder")) {
            config_.windowsFolder = folder(value).text();
        } else if (sameText(name, "SystemFolder")) {
            config_.systemFolder = folder(value).text();
        } else if (sameText(name, "TempFolder")) {
            WindowsPath temp = folder(value);
            config_.tempFolder = temp.isRoot() ? temp.text() : temp.text() + "\\";
        } else if (sameText(name, "AllowPrograms")) {
            config_.allowPrograms = yesNo(value);
        } else if (sameText(name, "AllowLibraries")) {
            config_.allowLibraries = yesNo(value);
        } else if (sameText(name, "LoadImages")) {
            config_.loadImages = yesNo(value);
        } else if (sameText(name, "ProgramPath")) {
            config_.programPath = folder(value).text();
        } else {
            fail("unknown setting " + std::string(name));
        }
    }

    void parseSpecialFolder(std::string_view name, std::string_view value) {
        int csidl = -1;
        auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), csidl);
        if (error != std::errc() || end != name.data() + name.size() || csidl < 0 || csidl > 0xFF)
            fail("a special folder is named by its CSIDL number, not \"" + std::string(name) + "\"");
        if (!seen_.insert("CSIDL " + std::to_string(csidl)).second) fail("special folder " + std::to_string(csidl) + " is given twice");
        if (value.empty()) config_.specialFolders.erase(csidl);
        else config_.specialFolders[csidl] = folder(value).text();
    }

    void parseEngineAlias(std::string_view name, std::string_view value) {
        if (name.empty()) fail("an engine alias needs a name");
        if (!seen_.insert("ALIAS " + ansiUpper(name)).second) fail("engine alias " + std::string(name) + " is given twice");
        config_.engineAliases.emplace_back(name, value);
    }

    void parseReadOnly(std::string_view name, std::string_view value) {
        if (sameText(name, "Registry")) {
            std::vector<std::string> names = splitKeyPath(value);
            auto root = names.empty() ? std::nullopt : parseRootKeyName(names.front());
            if (!root) fail("a registry key must start with HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER or HKEY_CLASSES_ROOT");
            names.erase(names.begin());
            config_.readOnlyRegistry.push_back({*root, std::move(names)});
        } else if (sameText(name, "Folder")) {
            config_.readOnlyFolders.push_back(folder(value));
        } else {
            fail("unknown setting " + std::string(name) + " (Registry= or Folder=)");
        }
    }

    WindowsPath folder(std::string_view value) const {
        auto path = parseWindowsPath(value, {});
        if (!path) fail("\"" + std::string(value) + "\" is not a full Windows path (C:\\... or \\\\host\\share\\...)");
        return *path;
    }

    bool yesNo(std::string_view value) const {
        for (auto yes : {"yes", "true", "1"})
            if (sameText(value, yes)) return true;
        for (auto no : {"no", "false", "0"})
            if (sameText(value, no)) return false;
        fail("expected yes or no, not \"" + std::string(value) + "\"");
    }

    LineReader lines_;
    std::string section_;
    std::set<std::string> seen_;
    MachineConfig config_;
};

}  // namespace

bool RegistryArea::contains(RootKey keyRoot, const std::vector<std::string>& keyNames) const {
    if (keyRoot != root || keyNames.size() < names.size()) return false;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!sameText(keyNames[i], names[i])) return false;
    return true;
}

std::map<int, std::string> MachineConfig::defaultSpecialFolders() {
    // A Russian Windows XP with the user Администратор.
    const std::string user = "C:\\Documents and Settings\\Администратор";
    const std::string allUsers = "C:\\Documents and Settings\\All Users";
    return {
        {0, user + "\\Рабочий стол"},
        {2, user + "\\Главное меню\\Программы"},
        {5, user + "\\Мои документы"},
        {6, user + "\\Избранное"},
        {7, user + "\\Главное меню\\Программы\\Автозагрузка"},
        {11, user + "\\Главное меню"},
        {16, user + "\\Рабочий стол"},
        {22, allUsers + "\\Главное меню"},
        {23, allUsers + "\\Главное меню\\Программы"},
        {24, allUsers + "\\Главное меню\\Программы\\Автозагрузка"},
        {25, allUsers + "\\Рабочий стол"},
        {26, user + "\\Application Data"},
        {28, user + "\\Local Settings\\Application Data"},
        {35, allUsers + "\\Application Data"},
        {38, "C:\\Program Files"},
        {43, "C:\\Program Files\\Common Files"},
        {46, allUsers + "\\Документы"},
    };
}

MachineConfig parseMachineConfig(std::string_view text, const std::string& fileName) {
    return MachineIniParser(text, fileName).parse();
}

}  // namespace vk::platform::hosted
