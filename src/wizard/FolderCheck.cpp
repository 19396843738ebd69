#include "wizard/FolderCheck.h"

namespace vk {

namespace {

constexpr std::string_view kRefusedInNames = "<>:\"/|?*";

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool IsFullPath(std::string_view path) {
    if (path.size() >= 3 && isAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
    if (path.substr(0, 2) != "\\\\") return false;
    // "\\server\share": a server's name and a share's name, neither empty.
    const std::size_t serverEnd = path.find('\\', 2);
    return serverEnd != std::string_view::npos && serverEnd > 2 && serverEnd + 1 < path.size() &&
           path[serverEnd + 1] != '\\';
}

std::optional<std::string> FolderPathProblem(std::string_view path) {
    const std::string shown(path);
    if (!IsFullPath(path))
        return "Папка \"" + shown +
               "\" указана не полностью. Укажите полный путь: с буквой диска (например, "
               "C:\\Program Files\\Talvex\\Vorkast) или с именем компьютера в сети (\\\\Сервер\\Папка).";
    const std::size_t namesStart = path[1] == ':' ? 3 : 2;
    for (std::size_t i = namesStart; i < path.size(); ++i) {
        const char c = path[i];
        const bool control = static_cast<unsigned char>(c) < 0x20;
        if (control || kRefusedInNames.find(c) != std::string_view::npos)
            return "Путь к папке \"" + shown + "\" содержит недопустимый символ" +
                   (control ? std::string() : " \"" + std::string(1, c) + "\"") +
                   ". Имена папок не могут содержать символы < > : \" / | ? * и управляющие символы.";
    }
    return std::nullopt;
}

}  // namespace vk
