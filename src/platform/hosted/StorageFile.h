#pragma once
// The hosted structured storage over a host file, used by the StructuredStorage
// functions once they have mapped the Windows path. displayName is the path
// that messages show.
//
// Saving never leaves a half-written file behind: the new image goes to a
// temporary file beside the old one, is flushed to disk and then renamed over
// it, so a crash keeps either the old file or the new one. Exclusive sharing
// holds among the storages of this process.
#include <filesystem>
#include <memory>
#include <string>

#include "platform/StructuredStorage.h"

namespace vk::platform::hosted {

std::unique_ptr<StructuredStorage> openStorageFile(const std::filesystem::path& hostPath, const std::string& displayName,
                                                   StorageAccess access);
std::unique_ptr<StructuredStorage> createStorageFile(const std::filesystem::path& hostPath,
                                                     const std::string& displayName);

}  // namespace vk::platform::hosted
