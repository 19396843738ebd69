#pragma once
// The dump of a form: a line for the form and one per control, depth first,
// indented by depth: NAME KIND "TEXT" and the states that differ from the
// usual (disabled, hidden, checked, default, cancel, a notebook's page, a
// progress bar's position), a list's rows under it. The hosted player dumps
// the objects, the UI driver the windows; both through dumpLines.
#include <string>
#include <vector>

#include "forms/Control.h"
#include "forms/ListView.h"

namespace vk::forms {

class Form;

// What a dump tells of one control.
struct ControlFacts {
    int depth = 1;
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string text;
    bool enabled = true;
    bool visible = true;  // itself, or a page shown by its notebook
    bool checked = false;
    bool isDefault = false;
    bool isCancel = false;
    int page = -1;                // a notebook's page index
    int position = 0;             // a progress bar's
    int maximum = 0;
    std::vector<ListItem> rows;   // a list's, with the texts of the columns after the first
};

std::string dumpFormLine(const std::string& name, const std::string& caption);
// The control's line and its rows' lines.
void addDumpLines(const ControlFacts& facts, std::vector<std::string>& lines);

std::vector<std::string> dumpForm(Form& form);

}  // namespace vk::forms
