#pragma once
// What belongs to the program as a whole rather than to one form: its title,
// which captions the standard error report. Empty until the program names
// itself; the report is then captioned as any error message is.
#include <string>

namespace vk::forms {

void setApplicationTitle(std::string title);
const std::string& applicationTitle();

}  // namespace vk::forms
