#pragma once
// Files of the machine the tool runs on, addressed by host paths given in
// UTF-8 (converted to the wide form on Windows, so any name works there too).
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Stream.h"

namespace vk::trs {

std::filesystem::path hostPath(std::string_view utf8);
std::string displayPath(const std::filesystem::path& path);

// Throws Error naming the path when the file cannot be opened.
std::unique_ptr<Stream> openForReading(const std::filesystem::path& path);

// Writes target through fill: into a neighbouring ".part" file first, renamed
// over target only when fill succeeds, so that a failure leaves no half file.
void writeFile(const std::filesystem::path& target, const std::function<void(Stream&)>& fill);

}  // namespace vk::trs
