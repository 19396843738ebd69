#pragma once
// The install thread: copies the payload, registers components, has the
// wizard apply the system settings, and reports every step to the wizard's
// window (ProgressMessage.h). It never touches the wizard otherwise.
//
// Made suspended: the owner sets the fields, then hands the object to Resume,
// which runs Execute on a thread of its own. From then on the fields are only
// read, by the thread. When Execute has ended the thread frees the object and
// then runs OnTerminate on the window's thread (waiting for it); the owner
// clears its reference there and must not use the object after Resume.
// OnTerminate receives the text of the failure that ended the run early, or
// an empty text; the wizard only learns success or failure from
// WM_PROCESS_FINISHED, tools also show why.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "datalib/DataSet.h"
#include "engine/CorrectionFiles.h"
#include "package/PackageDefinition.h"
#include "platform/MessageChannel.h"
#include "platform/Stream.h"

namespace vk {

class TProcessThread {
public:
    std::uint32_t InstallOptions = 0;
    std::uint32_t PackageFlags = 0;
    std::string DataBaseFolder;   // edDataBase
    std::string BdeFolder;
    std::string LocalPath;        // edLocalPath
    std::string NetPath;          // edNetPath
    platform::WindowHandle Window = nullptr;
    CorrectionFileList* CorrectionFiles = nullptr;  // the wizard's; may be none
    DataSet* Log = nullptr;                         // the wizard's ssLog; may be none
    // Whether the configuration with this number is ticked (the wizard's
    // IsConfigNoSelected); none selects nothing.
    std::function<bool(std::int32_t configNo)> ConfigNoSelected;
    // Opens the payload: in the installer, the TRSData resource of the
    // running program (platform::ownResource); without it the run fails.
    std::function<std::unique_ptr<Stream>()> OpenPayload;
    // Runs on the window's thread once the thread has ended.
    std::function<void(const std::string& failure)> OnTerminate;

    // Starts the thread; it owns and frees the object from now on. When no
    // thread can be started, throws and frees the object.
    static void Resume(std::unique_ptr<TProcessThread> thread);

    bool HasOption(std::uint32_t mask) const { return (InstallOptions & mask) != 0; }
    // The local path for the server part, the network path otherwise.
    const std::string& InstallFolder() const { return HasOption(ioServerPart) ? LocalPath : NetPath; }
    bool IsConfigNoSelected(std::int32_t configNo) const { return ConfigNoSelected && ConfigNoSelected(configNo); }
    void AddLogEntry(std::string_view value, std::string_view kind, std::int64_t number) const;

    void Execute();

private:
    std::string failure_;
};

}  // namespace vk
