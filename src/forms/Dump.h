#pragma once
// The dump of a form: a line for the form and one per control, depth first,
// indented by depth: NAME KIND "TEXT" and the states that differ from the
// usual (disabled, hidden, checked, default, cancel, a list's rows, a
// notebook's page).
#include <string>
#include <vector>

namespace vk::forms {

class Form;

std::vector<std::string> dumpForm(Form& form);

}  // namespace vk::forms
