// Structured storage as every platform must offer it: the system's own
// implementation on Windows, our compound-file code on the hosted machine.
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/StructuredStorage.h"
#include "support/TestFiles.h"
#include "support/TestMachine.h"

namespace vk::platform {
namespace {

using vk::test::readStream;

class StructuredStorageContract : public ::testing::Test {
protected:
    void makeFile(std::initializer_list<std::pair<const char*, std::string>> streams) {
        auto storage = createStorage(path);
        for (const auto& [name, text] : streams) storage->createStream(name)->write(text.data(), text.size());
    }

    test::TestMachine machine;
    std::string path = machine.scratch() + "\\Подключение.dbx";
};

TEST_F(StructuredStorageContract, OnlyAMissingFileOpensAsNothing) {
    EXPECT_EQ(openStorage(path, StorageAccess::ReadWrite), nullptr);
    EXPECT_FALSE(fileExists(path)) << "opening must not create";

    auto text = openFile(path, FileMode::Create);
    const std::string plain(1024, 'x');
    text->write(plain.data(), plain.size());
    text.reset();
    try {
        openStorage(path, StorageAccess::Read);
        FAIL() << "a text file opened as a compound file";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Подключение.dbx"), std::string::npos) << e.what();
    }
}

TEST_F(StructuredStorageContract, CreateReplacesAnExistingFile) {
    makeFile({{"ssUsers", "old"}});
    auto storage = createStorage(path);
    EXPECT_TRUE(storage->elements().empty());
    EXPECT_EQ(storage->openStream("ssUsers"), nullptr);
}

TEST_F(StructuredStorageContract, StreamsReadWriteSeekAndResize) {
    makeFile({{"ssDBParams", "0123456789"}, {"ssUsers", "keep me"}});
    {
        auto storage = openStorage(path, StorageAccess::ReadWrite);
        ASSERT_NE(storage, nullptr);
        EXPECT_EQ(storage->openStream("nothing"), nullptr);
        auto stream = storage->openStream("SSDBPARAMS");
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(stream->position(), 0);
        stream->seek(-3, SeekOrigin::End);
        stream->write("abcdef", 6);
        EXPECT_EQ(readStream(*stream), "0123456abcdef");
        stream->setSize(4);
        EXPECT_EQ(readStream(*stream), "0123");
        auto created = storage->createStream("ssUpdates");
        created->write("new", 3);
    }
    auto storage = openStorage(path, StorageAccess::Read);
    EXPECT_EQ(readStream(*storage->openStream("ssDBParams")), "0123");
    EXPECT_EQ(readStream(*storage->openStream("ssUsers")), "keep me");
    EXPECT_EQ(readStream(*storage->openStream("ssUpdates")), "new");
    std::uint64_t total = 0;
    for (const StorageElement& element : storage->elements()) total += element.isStorage ? 1000 : element.size;
    EXPECT_EQ(total, 14u);
}

TEST_F(StructuredStorageContract, CreatingAnExistingStreamEmptiesIt) {
    makeFile({{"ssUpdates", "old content"}});
    auto storage = openStorage(path, StorageAccess::ReadWrite);
    EXPECT_EQ(storage->createStream("ssUpdates")->size(), 0);
}

TEST_F(StructuredStorageContract, ReadOnlyStorageRefusesChanges) {
    makeFile({{"ssSysParams", "abc"}});
    {
        auto storage = openStorage(path, StorageAccess::Read);
        EXPECT_THROW(storage->createStream("ssNew"), Error);
        auto stream = storage->openStream("ssSysParams");
        EXPECT_THROW(stream->write("x", 1), Error);
    }
    auto storage = openStorage(path, StorageAccess::Read);
    EXPECT_EQ(readStream(*storage->openStream("ssSysParams")), "abc");
    EXPECT_EQ(storage->openStream("ssNew"), nullptr);
}

TEST_F(StructuredStorageContract, FilesAndStreamsAreOpenedExclusively) {
    makeFile({{"ssDBParams", "a"}});
    auto storage = openStorage(path, StorageAccess::ReadWrite);
    EXPECT_THROW(openStorage(path, StorageAccess::Read), Error);
    {
        auto stream = storage->openStream("ssDBParams");
        EXPECT_THROW(storage->openStream("ssdbparams"), Error);
    }
    EXPECT_NE(storage->openStream("ssDBParams"), nullptr);
    storage.reset();
    EXPECT_NE(openStorage(path, StorageAccess::Read), nullptr);
}

}  // namespace
}  // namespace vk::platform
