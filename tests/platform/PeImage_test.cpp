#include "platform/PeImage.h"

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "PeImageBuilder.h"
#include "support/TestFiles.h"

namespace vk::platform {
namespace {

using test::HandMadeImage;
using test::makeImage;

std::string contentOf(PeImage& image, const ResourceId& type, const ResourceId& name) {
    auto where = image.findResource(type, name);
    if (!where) return "<missing>";
    auto bytes = image.readResource(*where);
    return std::string(bytes.begin(), bytes.end());
}

// What a damaged image must give: an Error that names the file.
void expectDamaged(std::vector<std::uint8_t> bytes, const std::string& what) {
    MemoryStream stream(std::move(bytes), "Setup.exe");
    try {
        PeImage image(stream);
        image.findResource(kResourceTypeRcData, "TRSData");
        FAIL() << "accepted an image with " << what;
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Setup.exe"), std::string::npos) << e.what();
    }
}

class BuiltImage : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef VK_TEST_PE_IMAGE
        bytes_ = test::readHostFile<std::vector<std::uint8_t>>(VK_TEST_PE_IMAGE);
        ASSERT_FALSE(bytes_.empty()) << VK_TEST_PE_IMAGE;
#else
        GTEST_SKIP() << "the MinGW cross tools are not installed, so there is no test image";
#endif
    }
    std::vector<std::uint8_t> bytes_;
};

TEST_F(BuiltImage, FindsNamedAndNumberedResourcesWithoutRegardToCase) {
    MemoryStream stream(bytes_, "TestImage.exe");
    PeImage image(stream);
    EXPECT_FALSE(image.is64Bit());
    // The resource compiler may pad RCDATA; the payload is at its start.
    EXPECT_EQ(contentOf(image, kResourceTypeRcData, "TRSData").rfind("TRS payload bytes", 0), 0u);
    EXPECT_EQ(contentOf(image, kResourceTypeRcData, "trsdata").rfind("TRS payload bytes", 0), 0u);
    EXPECT_EQ(contentOf(image, kResourceTypeRcData, "History").rfind("<html>История</html>", 0), 0u);
    EXPECT_EQ(contentOf(image, kResourceTypeRcData, 7).rfind("seven", 0), 0u);
    EXPECT_FALSE(image.findResource(kResourceTypeRcData, "TRSDat"));
    EXPECT_FALSE(image.findResource(kResourceTypeRcData, 8));
    EXPECT_FALSE(image.findResource(3, 1));  // no icons
}

TEST_F(BuiltImage, ReadsVersionStrings) {
    MemoryStream stream(bytes_, "TestImage.exe");
    PeImage image(stream);
    EXPECT_EQ(image.versionString("040904E4", "FileDescription"), "Тестовая библиотека");
    EXPECT_EQ(image.versionString("040904e4", "fileversion"), "1.0.3.972");
    EXPECT_EQ(image.versionString("040904E4", "CompanyName"), std::nullopt);
    EXPECT_EQ(image.versionString("041904E3", "FileVersion"), std::nullopt);
}

TEST_F(BuiltImage, TruncatedAnywhereGivesAnErrorOrAResourceInsideTheFile) {
    for (std::size_t length = 0; length < bytes_.size(); length += 61) {
        MemoryStream stream(std::vector<std::uint8_t>(bytes_.begin(), bytes_.begin() + length), "cut.exe");
        try {
            PeImage image(stream);
            for (const ResourceId& name : {ResourceId("TRSData"), ResourceId("History")}) {
                auto where = image.findResource(kResourceTypeRcData, name);
                if (where) {
                    EXPECT_LE(where->offset + where->size, static_cast<std::int64_t>(length));
                }
            }
            image.versionString("040904E4", "FileVersion");
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("cut.exe"), std::string::npos) << e.what();
        }
    }
}

TEST(PeImage, ReadsHandMadePe32AndPe32Plus) {
    for (bool pe32Plus : {false, true}) {
        MemoryStream stream(makeImage("TRSData", "payload", pe32Plus).bytes, "Setup.exe");
        PeImage image(stream);
        EXPECT_EQ(image.is64Bit(), pe32Plus);
        EXPECT_EQ(contentOf(image, kResourceTypeRcData, "TrsData"), "payload");
        EXPECT_EQ(contentOf(image, kResourceTypeRcData, "TRSDat"), "<missing>");
        EXPECT_EQ(image.versionString("040904E4", "FileVersion"), std::nullopt);
    }
}

TEST(PeImage, RejectsWhatIsNoPeImage) {
    expectDamaged({}, "no bytes");
    expectDamaged(std::vector<std::uint8_t>(4096, 'M'), "no MZ/PE signatures");
    auto image = makeImage("TRSData", "payload").bytes;
    storeLe32(image.data() + 0x3C, 0x7FFFFFF0);
    expectDamaged(image, "a PE header offset past the end");
}

TEST(PeImage, RejectsDamagedResourceTrees) {
    using I = HandMadeImage;
    auto damaged = [](auto change) {
        auto image = makeImage("TRSData", "payload");
        change(image);
        return image.bytes;
    };
    expectDamaged(damaged([](I& i) { i.setEntryTarget(I::kLanguageDirectory, 0x80000000u | I::kRoot); }),
                  "a language entry looping back to the root");
    expectDamaged(damaged([](I& i) { i.setEntryTarget(I::kNameDirectory, 0x80000000u | I::kNameDirectory); }),
                  "a directory pointing at itself");
    expectDamaged(damaged([](I& i) { i.setEntryTarget(I::kRoot, 0x80000000u | 0x7FFFFFF0u); }),
                  "a subdirectory past the section");
    expectDamaged(damaged([](I& i) { i.setSection32(I::kNameDirectory + 16, 0x80000000u | 0x7FFFFFF0u); }),
                  "a name past the section");
    expectDamaged(damaged([](I& i) { i.setSection32(I::kName, 0xFFFF); }), "a name longer than the section");
    expectDamaged(damaged([](I& i) { i.setSection32(I::kRoot + 12, 0xFFFF0000u); }), "65535 entries in 24 bytes");
    expectDamaged(damaged([](I& i) { i.setSection32(I::kDataEntry + 4, 0xFFFFFFF0u); }), "a huge resource size");
    expectDamaged(damaged([](I& i) { i.setSection32(I::kDataEntry, 0x7FFF0000u); }), "a data RVA in no section");
    expectDamaged(damaged([](I& i) { i.setEntryTarget(I::kRoot, I::kDataEntry); }), "data where a directory belongs");
}

TEST(PeImage, RefusesToLoadAResourceAboveTheLimit) {
    MemoryStream stream(makeImage("TRSData", std::string(4096, 'x')).bytes, "Setup.exe");
    PeImage image(stream);
    auto where = image.findResource(kResourceTypeRcData, "TRSData");
    ASSERT_TRUE(where);
    EXPECT_THROW(image.readResource(*where, 1024), Error);
}

}  // namespace
}  // namespace vk::platform
