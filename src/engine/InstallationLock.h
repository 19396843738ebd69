#pragma once
// One installation at a time on a machine: two at once would both report
// success over an install log that each of them cut short. The wizard (and
// setup-host) takes the lock before it changes anything and holds it until
// it ends; without it, it shows the message and ends.
#include <memory>
#include <string_view>

#include "platform/InstanceLock.h"

namespace vk {

inline constexpr std::string_view kAnotherInstallationRuns =
    "Программа установки уже запущена. Дождитесь окончания установки и повторите попытку.";

// nullptr while another installer runs on this machine.
inline std::unique_ptr<platform::InstanceLock> LockInstallation() { return platform::lockInstance("Vorkast.Setup"); }

}  // namespace vk
