#pragma once
// Whole host files: the one way the hosted backend replaces a file (its
// registry, its compound files, and platform::replaceFile on the machine),
// and the one way it reads one.
#include <filesystem>
#include <functional>
#include <string>

#include "platform/FileSystem.h"

namespace vk::platform::hosted {

// platform::replaceFile on a host path: the new file is created beside file
// with O_EXCL | O_NOFOLLOW under platform::siblingName, filled, flushed with
// Flushed, closed and renamed over file. Failures name shown (the path as the
// caller knows it) and the system's reason.
void replaceHostFile(const std::filesystem::path& file, const std::string& shown,
                     const std::function<void(Stream&)>& fill, Durability durability);

// The whole file; Error naming it when it cannot be read or is not a regular
// file (a device or pipe that might never end).
std::string readWholeFile(const std::filesystem::path& file);

}  // namespace vk::platform::hosted
