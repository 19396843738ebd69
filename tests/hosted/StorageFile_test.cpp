#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Error.h"
#include "platform/hosted/StorageFile.h"
#include "support/TestFiles.h"

namespace vk::platform::hosted {
namespace {

namespace fs = std::filesystem;

using vk::test::readStream;

class StorageFile : public ::testing::Test {
protected:
    std::unique_ptr<StructuredStorage> open(StorageAccess access) {
        return openStorageFile(path, "C:\\Data\\Setup1.dbx", access);
    }

    void makeFile(std::initializer_list<std::pair<const char*, std::string>> streams) {
        auto storage = createStorageFile(path, "C:\\Data\\Setup1.dbx");
        for (const auto& [name, text] : streams) storage->createStream(name)->write(text.data(), text.size());
        storage->commit();
    }

    const vk::test::TempHostFolder folder{"vk-storage"};
    const fs::path& dir = folder.path();
    const fs::path path = dir / "Setup1.dbx";
};

TEST_F(StorageFile, StreamsOutliveTheirStorageAndSaveLast) {
    makeFile({});
    std::unique_ptr<Stream> stream;
    {
        auto storage = open(StorageAccess::ReadWrite);
        stream = storage->createStream("ssUpdates");
    }
    stream->write("late", 4);
    EXPECT_THROW(open(StorageAccess::Read), Error) << "still held by the stream";
    stream.reset();
    EXPECT_EQ(readStream(*open(StorageAccess::Read)->openStream("ssUpdates")), "late");
}

TEST_F(StorageFile, SavingLeavesNoTemporaryFileAndReportsFailures) {
    makeFile({{"ssDBParams", "a"}});
    auto storage = open(StorageAccess::ReadWrite);
    storage->createStream("ssSysParams")->write("b", 1);
    storage->commit();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    // The folder disappears under an open file: the save fails loudly, naming the file.
    storage->createStream("ssUpdates");
    fs::remove_all(dir);
    try {
        storage->commit();
        FAIL() << "a save into a missing folder succeeded";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Setup1.dbx"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace vk::platform::hosted
