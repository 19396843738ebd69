#pragma once
// One program of a kind at a time on a machine: a lock that a second program
// asking for the same name does not get while the first holds it.
#include <memory>
#include <string_view>

namespace vk::platform {

// Released when destroyed, and by the system when the program ends however it ends.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
};

// The lock of that name (letters, digits, "_" and "."), or nullptr while a
// program holds it, this one included. On Windows a named mutex of the
// session; on the hosted machine a locked file "<name>.lock" in the machine
// folder (without a machine, in the host's temporary folder).
std::unique_ptr<InstanceLock> lockInstance(std::string_view name);

}  // namespace vk::platform
