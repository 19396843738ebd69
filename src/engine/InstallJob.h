#pragma once
// What an installation is to do: the user's choices, the package word, the
// folders, where correction files and log entries go, and how the payload is
// opened. The install thread is one of these; its phases see only this, not
// the thread that runs them.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "datalib/DataSet.h"
#include "engine/CorrectionFiles.h"
#include "package/PackageDefinition.h"
#include "platform/Stream.h"

namespace vk {

struct InstallJob {
    std::uint32_t InstallOptions = 0;
    std::uint32_t PackageFlags = 0;
    std::string DataBaseFolder;   // edDataBase
    std::string BdeFolder;
    std::string LocalPath;        // edLocalPath
    std::string NetPath;          // edNetPath
    CorrectionFileList* CorrectionFiles = nullptr;  // the wizard's; may be none
    DataSet* Log = nullptr;                         // the wizard's ssLog; may be none
    // Whether the configuration with this number is ticked (the wizard's
    // IsConfigNoSelected); none selects nothing.
    std::function<bool(std::int32_t configNo)> ConfigNoSelected;
    // Opens the payload: in the installer, the TRSData resource of the
    // running program (platform::ownResource); without it the run fails.
    std::function<std::unique_ptr<Stream>()> OpenPayload;
    // The CRC-32 the installer carries of its payload (payload::kCheckResource);
    // the payload is checked whole before anything is written. None for a
    // payload built without one, which is installed unchecked.
    std::optional<std::uint32_t> PayloadCheck;

    bool HasOption(std::uint32_t mask) const { return (InstallOptions & mask) != 0; }
    // The local path for the server part, the network path otherwise.
    const std::string& InstallFolder() const { return HasOption(ioServerPart) ? LocalPath : NetPath; }
    bool IsConfigNoSelected(std::int32_t configNo) const { return ConfigNoSelected && ConfigNoSelected(configNo); }
    // Appends to Log; nothing without one.
    void AddLogEntry(std::string_view value, std::string_view kind, std::int64_t number) const;
};

}  // namespace vk
