#include "forms/Dump.h"

#include "forms/Controls.h"
#include "forms/Form.h"
#include "forms/Notebook.h"
#include "forms/Transcript.h"

namespace vk::forms {

namespace {

std::string quoted(std::string_view text) { return "\"" + oneLine(text) + "\""; }

ControlFacts factsOf(const Control& control, int depth) {
    ControlFacts facts;
    facts.depth = depth;
    facts.name = control.name();
    facts.kind = control.kind();
    facts.text = control.text();
    facts.enabled = control.enabled();
    facts.visible = control.visible();
    if (auto* page = dynamic_cast<const Page*>(&control))
        facts.visible = facts.visible && static_cast<const Notebook&>(page->parent()).activePage() == page;
    if (auto* box = dynamic_cast<const CheckBox*>(&control)) facts.checked = box->checked();
    if (auto* radio = dynamic_cast<const RadioButton*>(&control)) facts.checked = radio->checked();
    if (auto* button = dynamic_cast<const Button*>(&control)) {
        facts.isDefault = button->isDefault();
        facts.isCancel = button->isCancel();
    }
    if (auto* notebook = dynamic_cast<const Notebook*>(&control)) facts.page = notebook->pageIndex();
    if (auto* bar = dynamic_cast<const ProgressBar*>(&control)) {
        facts.position = bar->position();
        facts.maximum = bar->maximum();
    }
    if (auto* list = dynamic_cast<const ListView*>(&control)) {
        // The texts the list's columns show: one a column after the first.
        const std::size_t shown = list->columns().empty() ? 0 : list->columns().size() - 1;
        for (int row = 0; row < list->count(); ++row) {
            ListItem item = *list->item(row);
            item.subItems.resize(shown);
            facts.rows.push_back(std::move(item));
        }
    }
    return facts;
}

void dumpControl(const Control& control, int depth, std::vector<std::string>& lines) {
    addDumpLines(factsOf(control, depth), lines);
    for (const Control* child : control.controls()) dumpControl(*child, depth + 1, lines);
}

}  // namespace

std::string dumpFormLine(const std::string& name, const std::string& caption) {
    return "form " + name + " " + quoted(caption);
}

void addDumpLines(const ControlFacts& facts, std::vector<std::string>& lines) {
    const std::string indent(static_cast<std::size_t>(facts.depth) * 2, ' ');
    std::string line = indent + facts.name + " " + kindName(facts.kind) + " " + quoted(facts.text);
    if (!facts.enabled) line += " disabled";
    if (!facts.visible) line += " hidden";
    if (facts.checked) line += " checked";
    if (facts.isDefault) line += " default";
    if (facts.isCancel) line += " cancel";
    if (facts.kind == ControlKind::Notebook) line += " page " + std::to_string(facts.page);
    if (facts.kind == ControlKind::ProgressBar)
        line += " " + std::to_string(facts.position) + "/" + std::to_string(facts.maximum);
    lines.push_back(std::move(line));
    for (std::size_t row = 0; row < facts.rows.size(); ++row) {
        const ListItem& item = facts.rows[row];
        std::string rowLine =
            indent + "  row " + std::to_string(row + 1) + (item.checked ? " [x] " : " [ ] ") + quoted(item.caption);
        for (const std::string& sub : item.subItems) rowLine += " " + quoted(sub);
        lines.push_back(std::move(rowLine));
    }
}

std::vector<std::string> dumpForm(Form& form) {
    std::vector<std::string> lines{dumpFormLine(form.name(), form.caption())};
    for (const Control* control : form.controls()) dumpControl(*control, 1, lines);
    return lines;
}

}  // namespace vk::forms
