// The installation engine on Windows: a server installation of the demo
// package, read from this program's own TRSData resource as the installer
// reads its payload, reported over the real message window pumped on the
// test's thread, into scratch folders and the real Windows and system folders
// and HKEY_LOCAL_MACHINE, which the tests leave as they found them.
#include "DemoInstallation.h"
#include "engine/Payload.h"
#include "engine/RegistrationPhase.h"
#include "platform/Resources.h"

namespace vk::test {
namespace {

// The value of a class's server key as Windows reads it: the registered path.
std::wstring registeredServer(const demo::RegisteredClass& registered) {
    const std::wstring key = std::wstring(L"CLSID\\") + registered.clsid + L"\\" + registered.serverKey;
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (SHGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, nullptr, value, &size) != ERROR_SUCCESS) return L"<missing>";
    return value;
}

// The value as Windows itself reads it, in UTF-16.
std::wstring uninstallValue(const wchar_t* name) {
    wchar_t value[256] = {};
    DWORD size = sizeof value;
    if (SHGetValueW(HKEY_LOCAL_MACHINE, wide(kUninstallKey).c_str(), name, nullptr, value, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return value;
}

TEST_F(Win32DemoPackage, AServerRunFromTheOwnResourcePlacesEveryFileAndSavesALogTheUninstallerCanRead) {
    checkServerRun();
    // The registration phase ran the real servers and controls: each class names its file.
    for (const demo::RegisteredClass& registered : demo::kRegisteredClasses)
        EXPECT_EQ(registeredServer(registered), wide(local) + L"\\" + registered.file) << narrow(registered.file);
    EXPECT_EQ(uninstallValue(L"DisplayName"), std::wstring(L"АС Кронта 3.1"));
    EXPECT_EQ(uninstallValue(L"UninstallString"), wide(WindowsDir() + "VksUnSt.exe REMOVE"));
}

TEST_F(Win32DemoPackage, ASecondRunLogsOnlyTheSystemCopiesItDeletedFirst) { checkSecondRun(); }

// One bit flipped in a record's compressed bytes, against the check the
// program carries: refused before anything is written.
TEST_F(Win32DemoPackage, APayloadThatFailsTheCarriedCheckIsRefusedBeforeAnythingIsWritten) {
    auto thread = demoThread();
    thread->PayloadCheck = payload::ownCheck();
    ASSERT_TRUE(thread->PayloadCheck.has_value());
    std::unique_ptr<Stream> resource = platform::ownResource("TRSData");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(resource->size()));
    resource->readExact(bytes.data(), bytes.size());
    bytes[bytes.size() - 100] ^= 0x10;
    thread->OpenPayload = [bytes] { return std::make_unique<MemoryStream>(bytes, "TRSData"); };
    runDemo(std::move(thread));

    EXPECT_EQ(recorder.lines, (std::vector<std::string>{"STATUS 1", "FINISHED 1"}));
    EXPECT_NE(recorder.failure.find("TRSData"), std::string::npos) << recorder.failure;
    EXPECT_FALSE(platform::directoryExists(local));
}

// The installer links the same resources: the build's payload and the
// version history, byte for byte.
TEST(Win32PackageResources, TheProgramCarriesTheBuildsPayloadAndHistory) {
    for (const auto& [resource, file] : {std::pair{"TRSData", VK_BINARY_DIR "/payload.trs"},
                                         std::pair{"History", VK_SOURCE_DIR "/package/files/History.htm"}}) {
        std::unique_ptr<Stream> stream = platform::ownResource(resource);
        ASSERT_NE(stream, nullptr) << resource;
        std::string bytes(static_cast<std::size_t>(stream->size()), '\0');
        stream->readExact(bytes.data(), bytes.size());
        const std::string expected = readHostFile(file);
        EXPECT_FALSE(expected.empty()) << file;
        EXPECT_TRUE(bytes == expected) << resource << " differs from " << file;
    }
    const std::optional<std::uint32_t> check = payload::ownCheck();
    ASSERT_TRUE(check.has_value());
    EXPECT_NO_THROW(payload::verify(*platform::ownResource("TRSData"), *check));
}

}  // namespace
}  // namespace vk::test
