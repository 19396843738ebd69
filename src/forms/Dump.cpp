#include "forms/Dump.h"

#include "forms/Controls.h"
#include "forms/Form.h"
#include "forms/ListView.h"
#include "forms/Notebook.h"
#include "forms/Transcript.h"

namespace vk::forms {

namespace {

std::string quoted(std::string_view text) { return "\"" + oneLine(text) + "\""; }

// The states that differ from a plain enabled, visible control.
std::string states(const Control& control) {
    std::string line;
    if (!control.enabled()) line += " disabled";
    if (!control.visible()) line += " hidden";
    if (auto* box = dynamic_cast<const CheckBox*>(&control); box && box->checked()) line += " checked";
    if (auto* radio = dynamic_cast<const RadioButton*>(&control); radio && radio->checked()) line += " checked";
    if (auto* button = dynamic_cast<const Button*>(&control)) {
        if (button->isDefault()) line += " default";
        if (button->isCancel()) line += " cancel";
    }
    if (auto* notebook = dynamic_cast<const Notebook*>(&control))
        line += " page " + std::to_string(notebook->pageIndex());
    if (auto* bar = dynamic_cast<const ProgressBar*>(&control))
        line += " " + std::to_string(bar->position()) + "/" + std::to_string(bar->maximum());
    return line;
}

void dumpControl(const Control& control, int depth, std::vector<std::string>& lines) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    lines.push_back(indent + control.name() + " " + kindName(control.kind()) + " " + quoted(control.text()) +
                    states(control));
    if (auto* list = dynamic_cast<const ListView*>(&control)) {
        for (int row = 0; row < list->count(); ++row) {
            const ListItem& item = *list->item(row);
            std::string line = indent + "  row " + std::to_string(row + 1) + (item.checked ? " [x] " : " [ ] ") +
                               quoted(item.caption);
            for (const std::string& sub : item.subItems) line += " " + quoted(sub);
            lines.push_back(line);
        }
    }
    for (const Control* child : control.controls()) dumpControl(*child, depth + 1, lines);
}

}  // namespace

std::vector<std::string> dumpForm(Form& form) {
    std::vector<std::string> lines{"form " + form.name() + " " + quoted(form.caption())};
    for (const Control* control : form.controls()) dumpControl(*control, 1, lines);
    return lines;
}

}  // namespace vk::forms
