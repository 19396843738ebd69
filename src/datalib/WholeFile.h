#pragma once
// Files read or written whole (paths as platform::openFile takes them). The
// writers go through a stream and state what a failure leaves behind; both
// rethrow fill's error.
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

// Writes path through fill into "<path>.part" beside it, which replaces path
// only once fill has succeeded: a failure leaves path as it was (and no
// ".part" file). Throws Error naming path when the replacement fails.
void writeFileReplacing(std::string_view path, const std::function<void(Stream&)>& fill);

}  // namespace vk
