#pragma once
#include <filesystem>

#include "engine/IMDTools.h"

namespace vk::trs {

// Opens a transport stream file, or the RCDATA resource "TRSData" when the
// file is a PE executable (an installer carrying its payload).
void openTransport(TTransporter& table, const std::filesystem::path& file);

}  // namespace vk::trs
