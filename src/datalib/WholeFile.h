#pragma once
// Files read or written whole (paths as platform::openFile takes them). A
// file that must stay whole when a write fails is written with
// platform::replaceFile instead.
#include <functional>
#include <string>
#include <string_view>

#include "platform/Stream.h"

namespace vk {

// The file's bytes; Error naming the file when it cannot be read.
std::string readFileText(std::string_view path);

// Creates or replaces path and writes it through fill. When fill fails, the
// half-written file is deleted again: it must not pass for a good one.
void writeFile(std::string_view path, const std::function<void(Stream&)>& fill);

}  // namespace vk
