// A server installation of the build's demo package on a hosted machine.
#include "DemoPackageRun.h"

namespace vk::test {
namespace {

class DemoPackageTest : public DemoPackageRun {
protected:
    DemoPackageTest()
        : DemoPackageRun([payload = readHostFile(VK_BINARY_DIR "/payload.trs")] {
              return std::make_unique<MemoryStream>(std::vector<std::uint8_t>(payload.begin(), payload.end()));
          }) {}
};

TEST_F(DemoPackageTest, AServerRunPlacesEveryFileAndSavesALogTheUninstallerCanRead) { checkServerRun(); }

TEST_F(DemoPackageTest, ASecondRunLogsOnlyTheSystemCopiesItDeletedFirst) { checkSecondRun(); }

}  // namespace
}  // namespace vk::test
