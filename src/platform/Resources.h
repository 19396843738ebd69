#pragma once
#include <memory>
#include <string_view>

#include "platform/Stream.h"

namespace vk::platform {

// A read-only stream over an RCDATA resource of the running program
// ("TRSData", "History"); nullptr when there is none of that name.
std::unique_ptr<Stream> ownResource(std::string_view name);

}  // namespace vk::platform
