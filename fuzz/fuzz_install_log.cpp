// Install logs from arbitrary bytes: reading one back and planning its
// removal must end in a plan or an Error, never a crash or hang.
#include <cstddef>
#include <cstdint>

#include "engine/InstallLogReader.h"
#include "engine/UninstallPlan.h"
#include "platform/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto entries = vk::ReadInstallLog(std::make_unique<vk::ByteViewStream>(data, size, "fuzz"));
        vk::PlanUninstall(entries, {"C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM32\\", "C:\\WINDOWS\\VksUnSt.trs",
                                    "C:\\WINDOWS\\VksUnSt.exe"});
    } catch (const vk::Error&) {
    }
    return 0;
}
