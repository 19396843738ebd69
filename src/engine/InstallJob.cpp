#include "engine/InstallJob.h"

#include "engine/InstallLog.h"

namespace vk {

void InstallJob::AddLogEntry(std::string_view value, std::string_view kind, std::int64_t number) const {
    if (Log) vk::AddLogEntry(*Log, value, kind, number);
}

}  // namespace vk
