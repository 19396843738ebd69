#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/CompoundFile.h"
#include "platform/Error.h"
#include "platform/hosted/AtomicFile.h"
#include "platform/hosted/StorageFile.h"

namespace vk::platform::hosted {
namespace {

namespace fs = std::filesystem;

std::string readAll(Stream& stream) {
    std::string text(static_cast<std::size_t>(stream.size()), '\0');
    stream.seek(0, SeekOrigin::Begin);
    stream.readExact(text.data(), text.size());
    return text;
}

class StorageFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("vk_storage_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = dir / "Setup1.dbx";
    }
    void TearDown() override { fs::remove_all(dir); }

    std::unique_ptr<StructuredStorage> open(StorageAccess access) {
        return openStorageFile(path, "C:\\Data\\Setup1.dbx", access);
    }

    void makeFile(std::initializer_list<std::pair<const char*, std::string>> streams) {
        auto storage = createStorageFile(path, "C:\\Data\\Setup1.dbx");
        for (const auto& [name, text] : streams) storage->createStream(name)->write(text.data(), text.size());
        storage->commit();
    }

    fs::path dir;
    fs::path path;
};

TEST_F(StorageFile, MissingFileIsTheOnlyFailureWithoutAnError) {
    EXPECT_EQ(open(StorageAccess::ReadWrite), nullptr);
    EXPECT_FALSE(fs::exists(path)) << "opening must not create";

    std::ofstream(path) << "plain text, not a compound file, but long enough to hold a header......";
    try {
        open(StorageAccess::Read);
        FAIL() << "a text file opened as a compound file";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("C:\\Data\\Setup1.dbx"), std::string::npos) << e.what();
    }
    fs::remove(path);
    fs::create_directory(path);
    EXPECT_THROW(open(StorageAccess::Read), Error);
}

TEST_F(StorageFile, CreateReplacesAnyFileWithAnEmptyCompoundFile) {
    makeFile({{"ssUsers", "old"}});
    auto storage = createStorageFile(path, "x");
    EXPECT_TRUE(storage->elements().empty());
    storage.reset();
    std::string bytes = readWholeFile(path);
    EXPECT_TRUE(CompoundFile::parse({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, "x")
                    .root().children.empty());
}

TEST_F(StorageFile, StreamsReadWriteSeekAndResize) {
    makeFile({{"ssDBParams", "0123456789"}, {"ssUsers", "keep me"}});
    {
        auto storage = open(StorageAccess::ReadWrite);
        ASSERT_NE(storage, nullptr);
        EXPECT_EQ(storage->openStream("nothing"), nullptr);
        auto stream = storage->openStream("SSDBPARAMS");
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(stream->position(), 0);
        stream->seek(-3, SeekOrigin::End);
        stream->write("abcdef", 6);
        EXPECT_EQ(readAll(*stream), "0123456abcdef");
        stream->setSize(4);
        EXPECT_EQ(readAll(*stream), "0123");
        // No commit: releasing the storage and its stream saves.
    }
    auto storage = open(StorageAccess::Read);
    EXPECT_EQ(readAll(*storage->openStream("ssDBParams")), "0123");
    EXPECT_EQ(readAll(*storage->openStream("ssUsers")), "keep me");
    ASSERT_EQ(storage->elements().size(), 2u);
    EXPECT_EQ(storage->elements()[0].size + storage->elements()[1].size, 11u);
}

TEST_F(StorageFile, CreatingAnExistingStreamEmptiesIt) {
    makeFile({{"ssUpdates", "old content"}});
    auto storage = open(StorageAccess::ReadWrite);
    auto stream = storage->createStream("ssUpdates");
    EXPECT_EQ(stream->size(), 0);
}

TEST_F(StorageFile, ReadOnlyStorageRefusesEveryChange) {
    makeFile({{"ssSysParams", "abc"}});
    auto before = readWholeFile(path);
    {
        auto storage = open(StorageAccess::Read);
        EXPECT_THROW(storage->createStream("ssNew"), Error);
        auto stream = storage->openStream("ssSysParams");
        EXPECT_THROW(stream->write("x", 1), Error);
        EXPECT_THROW(stream->setSize(0), Error);
    }
    EXPECT_EQ(readWholeFile(path), before);
}

TEST_F(StorageFile, FilesAndStreamsAreOpenedExclusively) {
    makeFile({{"ssDBParams", "a"}});
    auto storage = open(StorageAccess::Read);
    EXPECT_THROW(open(StorageAccess::Read), Error);
    {
        auto stream = storage->openStream("ssDBParams");
        EXPECT_THROW(storage->openStream("ssdbparams"), Error);
    }
    EXPECT_NE(storage->openStream("ssDBParams"), nullptr);
    storage.reset();
    EXPECT_NE(open(StorageAccess::Read), nullptr);
}

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
    EXPECT_EQ(readAll(*open(StorageAccess::Read)->openStream("ssUpdates")), "late");
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
