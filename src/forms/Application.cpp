#include "forms/Application.h"

#include <utility>

namespace vk::forms {

namespace {
std::string title;
}

void setApplicationTitle(std::string newTitle) { title = std::move(newTitle); }

const std::string& applicationTitle() { return title; }

}  // namespace vk::forms
