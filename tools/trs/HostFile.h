#pragma once
// Files of the machine the tool runs on, read through the platform's files
// and written with platform::replaceFile.
#include <filesystem>
#include <memory>

#include "../HostPath.h"
#include "platform/Stream.h"

namespace vk::trs {

using tools::displayPath;
using tools::hostPath;

// Throws Error naming the path when the file cannot be opened.
std::unique_ptr<Stream> openForReading(const std::filesystem::path& path);

}  // namespace vk::trs
