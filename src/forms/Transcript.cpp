#include "forms/Transcript.h"

#include "forms/Form.h"

namespace vk::forms {

void Transcript::add(std::string line) {
    lines_.push_back(std::move(line));
    if (onLine) onLine(lines_.back());
}

std::string Transcript::text() const {
    std::string all;
    for (const std::string& line : lines_) all += line + "\n";
    return all;
}

std::string oneLine(std::string_view text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            line += "\\n";
        } else {
            line += text[i];
        }
    }
    return line;
}

std::string pageLine(int index, const std::string& pageName) { return "page " + std::to_string(index) + " " + pageName; }

std::string messageLine(MsgDlgType type, std::string_view text, std::string_view answer) {
    return std::string("message ") + messageTypeName(type) + ": " + oneLine(text) + " -> " + std::string(answer);
}

std::string dialogShownLine(const std::string& formName) { return "dialog " + formName + " shown"; }

std::string dialogClosedLine(const std::string& formName, int modalResult) {
    return "dialog " + formName + " closed " + modalResultName(modalResult);
}

std::string errorLine(std::string_view text) { return "error: " + oneLine(text); }

std::string runLine(std::string_view commandLine) { return "run " + oneLine(commandLine); }

}  // namespace vk::forms
