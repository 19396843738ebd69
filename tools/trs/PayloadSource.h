#pragma once
#include <filesystem>
#include <string>

#include "engine/IMDTools.h"

namespace vk::trs {

// Opens a transport stream file, or the RCDATA resource "TRSData" when the
// file is a PE executable (an installer carrying its payload).
void openTransport(TTransporter& table, const std::filesystem::path& file);

// What an installer's payload check found (payload::kCheckResource).
struct PayloadCheck {
    bool present = false;  // false for a stream file, or an installer built without one
    bool holds = false;
    std::string report;    // one line for the listing
};
PayloadCheck checkPayload(const std::filesystem::path& file);

}  // namespace vk::trs
