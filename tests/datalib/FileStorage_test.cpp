#include <gtest/gtest.h>

#include "datalib/FileStorage.h"
#include "dbenv/ConnectionSets.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/StructuredStorage.h"
#include "platform/hosted/HostedProgram.h"
#include "support/TestMachine.h"

namespace vk {
namespace {

using platform::StorageAccess;

std::string streamBytes(const std::string& file, const std::string& name) {
    auto storage = platform::openStorage(file, StorageAccess::Read);
    if (!storage) return "<no file>";
    auto stream = storage->openStream(name);
    if (!stream) return "<no stream>";
    std::string bytes(static_cast<std::size_t>(stream->size()), '\0');
    stream->readExact(bytes.data(), bytes.size());
    return bytes;
}

void addParam(TStaticSet& set, int connection, const std::string& name, const std::string& value) {
    set.append();
    if (set.fieldIndex("ConnectNo") >= 0) set.field("ConnectNo").setInteger(connection);
    set.field("Name").setString(name);
    set.field("Value").setString(value);
    set.post();
}

std::vector<std::string> names(TStaticSet& set) {
    std::vector<std::string> found;
    for (set.first(); !set.eof(); set.next()) found.push_back(set.field("Name").asString());
    return found;
}

class FileStorageTest : public ::testing::Test {
protected:
    FileStorageTest() {
        defineDBParams(dbParams);
        defineSysParams(sysParams);
        defineUpdates(updates);
    }
    ~FileStorageTest() override { platform::hosted::useProgramPath({}); }

    void attachAll() {
        for (TStaticSet* set : {&dbParams, &sysParams, &updates}) set->setFileStorage(&storage);
    }

    // A connection file holding two parameters and a stream of another program.
    void makeTemplate() {
        attachAll();
        storage.setFileName(file);
        storage.loadSets();
        addParam(dbParams, 0, "SERVER NAME", "D:\\Data\\WORK.GDB");
        addParam(dbParams, 1, "SERVER NAME", "D:\\Data\\CONFIG.GDB");
        storage.saveSets();
        auto root = platform::openStorage(file, StorageAccess::ReadWrite);
        root->createStream("ssUsers")->write(foreign.data(), foreign.size());
        root.reset();
        storage.setFileName({});
    }

    test::TestMachine machine;
    std::string file = machine.scratch() + "\\Setup1.dbx";
    const std::string foreign = std::string(5000, '\x5A') + "tail";
    TStaticSet dbParams, sysParams, updates;
    TFileStorage storage;
};

TEST_F(FileStorageTest, LoadSetsOnAMissingFileCreatesItWithAnEmptyStreamPerSet) {
    attachAll();
    storage.setFileName(file);
    storage.loadSets();
    EXPECT_TRUE(platform::fileExists(file));
    for (TStaticSet* set : {&dbParams, &sysParams, &updates}) {
        EXPECT_TRUE(set->active());
        EXPECT_TRUE(storage.openedByContainer(*set));
        EXPECT_EQ(set->recordCount(), 0);
    }
    EXPECT_EQ(storage.useCount(), 0);
    EXPECT_EQ(streamBytes(file, "ssUpdates"), "");

    storage.saveSets();  // nothing was modified: nothing is written, every set closes
    for (TStaticSet* set : {&dbParams, &sysParams, &updates}) EXPECT_FALSE(set->active());
    EXPECT_EQ(streamBytes(file, "ssDBParams"), "");
}

TEST_F(FileStorageTest, WizardCycleChangesItsSetsAndLeavesOtherStreamsBitForBit) {
    makeTemplate();
    storage.setFileName(file);
    storage.loadSets();
    ASSERT_EQ(dbParams.recordCount(), 2);
    ASSERT_TRUE(dbParams.findKey({1, "SERVER NAME"}));
    dbParams.edit();
    dbParams.field("Value").setString("ALPHA:C:\\Base\\CONFIG.GDB");
    dbParams.post();
    storage.saveSets();
    storage.setFileName({});

    EXPECT_EQ(streamBytes(file, "ssUsers"), foreign);
    EXPECT_EQ(streamBytes(file, "ssSysParams"), "") << "an unmodified set is not written";
    storage.setFileName(file);
    storage.loadSets();
    ASSERT_TRUE(dbParams.findKey({1, "SERVER NAME"}));
    EXPECT_EQ(dbParams.field("Value").asString(), "ALPHA:C:\\Base\\CONFIG.GDB");
}

TEST_F(FileStorageTest, SetOpenBeforeLoadSetsIsAlwaysSavedAndStaysOpen) {
    makeTemplate();
    int saves = 0;
    storage.setOnSaveStaticSet([&](TFileStorage&, Stream& stream, TStaticSet& set) {
        ++saves;
        set.saveToStream(stream);
    });
    storage.setFileName(file);
    sysParams.open();  // loads from the container as it opens
    storage.loadSets();
    EXPECT_FALSE(storage.openedByContainer(sysParams));
    storage.saveSets();
    EXPECT_EQ(saves, 1) << "only the set that was open before, unmodified as it is";
    EXPECT_TRUE(sysParams.active());
    EXPECT_FALSE(dbParams.active());
    EXPECT_EQ(streamBytes(file, "ssSysParams").size(), 136u);
}

TEST_F(FileStorageTest, ShorterSaveLeavesTheOldTailAndReloadsOnlyTheNewRecords) {
    makeTemplate();
    const std::size_t twoRecords = streamBytes(file, "ssDBParams").size();
    storage.setFileName(file);
    storage.loadSets();
    ASSERT_TRUE(dbParams.findKey({0, "SERVER NAME"}));
    dbParams.remove();
    storage.saveSets();
    EXPECT_EQ(streamBytes(file, "ssDBParams").size(), twoRecords);

    storage.loadSets();
    EXPECT_EQ(names(dbParams), std::vector<std::string>{"SERVER NAME"});
    EXPECT_EQ(dbParams.field("ConnectNo").asInteger(), 1);
}

TEST_F(FileStorageTest, EachOpeningNumbersItsFileOwnKeys) {
    // The key counter belongs to the records of one opening: a file whose
    // table has no stream yet numbers its first row 1, whatever the file
    // loaded before had reached.
    makeTemplate();
    storage.setFileName(file);
    storage.loadSets();
    ASSERT_EQ(dbParams.keyCounter(), 2);
    storage.saveSets();
    const std::string other = machine.scratch() + "\\Setup2.dbx";
    storage.setFileName(other);
    storage.loadSets();
    addParam(dbParams, 0, "SERVER NAME", "E:\\WORK.GDB");
    storage.saveSets();

    const std::string bytes = streamBytes(other, "ssDBParams");
    ASSERT_EQ(bytes.size(), 136u + 333u);
    auto int32At = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= std::uint32_t{static_cast<std::uint8_t>(bytes[at + i])} << (8 * i);
        return static_cast<std::int32_t>(v);
    };
    EXPECT_EQ(int32At(8 + 12), 1) << "KeyCounter in the header";
    EXPECT_EQ(int32At(136), 1) << "ID of the first record";
}

TEST_F(FileStorageTest, NameWithoutFolderResolvesAgainstTheProgramFolder) {
    platform::createDirectory(machine.scratch() + "\\Program");
    platform::hosted::useProgramPath(machine.scratch() + "\\Program\\Setup.exe");
    platform::setCurrentFolder(machine.scratch());
    attachAll();
    storage.setFileName("Local.dbx");
    storage.loadSets();
    EXPECT_TRUE(platform::fileExists(machine.scratch() + "\\Program\\Local.dbx"));
    EXPECT_FALSE(platform::fileExists(machine.scratch() + "\\Local.dbx"));
}

TEST_F(FileStorageTest, ReadOnlyModeCreatesNothing) {
    attachAll();
    storage.setReadOnly(true);
    storage.setFileName(file);
    try {
        storage.loadSets();
        FAIL() << "a missing file loaded in read-only mode";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Файл не существует");
    }
    EXPECT_FALSE(platform::fileExists(file));
    EXPECT_EQ(storage.useCount(), 0);

    storage.setReadOnly(false);
    storage.setFileName({});
    makeTemplate();
    storage.setReadOnly(true);
    storage.setFileName(file);
    storage.loadSets();
    EXPECT_EQ(dbParams.recordCount(), 2);
    auto before = streamBytes(file, "ssDBParams");
    dbParams.first();
    dbParams.remove();
    EXPECT_THROW(storage.saveSets(), Error);
    EXPECT_EQ(storage.useCount(), 0);
    EXPECT_EQ(streamBytes(file, "ssDBParams"), before);
}

TEST_F(FileStorageTest, FileNameComesThroughTheHookAndEmptyNameSkipsEverything) {
    int asked = 0;
    storage.setOnGetFileName([&](TFileStorage&, std::string& name) {
        ++asked;
        if (name == "redirect") name = file;
    });
    attachAll();
    storage.loadSets();
    EXPECT_TRUE(dbParams.active()) << "opened, with nothing to load";
    EXPECT_GT(asked, 0);
    EXPECT_FALSE(platform::fileExists(file));
    storage.saveSets();

    storage.setFileName("redirect");
    EXPECT_EQ(storage.fileName(), file);
    EXPECT_EQ(storage.storedFileName(), "redirect");
    storage.loadSets();
    EXPECT_TRUE(platform::fileExists(file));
}

TEST_F(FileStorageTest, NestedAcquisitionsShareOneOpening) {
    makeTemplate();
    storage.setFileName(file);
    storage.acquireFile();
    storage.acquireFile();
    EXPECT_EQ(storage.useCount(), 2);
    ASSERT_NE(storage.openedFile(), nullptr);
    EXPECT_THROW(platform::openStorage(file, StorageAccess::Read), Error) << "held open exclusively";
    storage.loadSets();
    storage.releaseFile();
    EXPECT_NE(storage.openedFile(), nullptr);
    storage.releaseFile();
    EXPECT_EQ(storage.openedFile(), nullptr);
    EXPECT_NE(platform::openStorage(file, StorageAccess::Read), nullptr);
}

TEST_F(FileStorageTest, DamagedFileFailsWithItsNameAndLeavesTheCountAlone) {
    auto text = platform::openFile(file, platform::FileMode::Create);
    text->write(std::string(2048, 'x').data(), 2048);
    text.reset();
    attachAll();
    storage.setFileName(file);
    try {
        storage.loadSets();
        FAIL() << "a damaged file loaded";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Setup1.dbx"), std::string::npos) << e.what();
    }
    EXPECT_EQ(storage.useCount(), 0);
    EXPECT_EQ(storage.openedFile(), nullptr);
}

TEST_F(FileStorageTest, RegisteringWithAFileOpensAndUnregisteringClosesAndSaves) {
    makeTemplate();
    for (TStaticSet* set : {&dbParams, &sysParams, &updates}) set->setFileStorage(nullptr);
    storage.setFileName(file);
    dbParams.setFileStorage(&storage);
    EXPECT_TRUE(dbParams.active());
    EXPECT_TRUE(storage.openedByContainer(dbParams));
    EXPECT_EQ(dbParams.recordCount(), 2);
    addParam(dbParams, 2, "RESERVED", "YES");
    dbParams.setFileStorage(nullptr);
    EXPECT_FALSE(dbParams.active());
    EXPECT_TRUE(storage.sets().empty());

    sysParams.open();
    storage.registerSet(sysParams);  // the container's side attaches the set too
    EXPECT_EQ(sysParams.fileStorage(), &storage);
    addParam(sysParams, 0, "Application", "АС Кронта 3.1");
    {
        TFileStorage scoped;
        scoped.setFileName(file);
        updates.setFileStorage(&scoped);
        storage.unregisterSet(sysParams);  // saves the modified open set, which stays open
        EXPECT_TRUE(sysParams.active());
    }
    EXPECT_NE(streamBytes(file, "ssSysParams").find("Application"), std::string::npos);
    EXPECT_EQ(updates.fileStorage(), nullptr) << "a container going away detaches its sets";
    EXPECT_FALSE(updates.active());

    storage.setFileName(file);
    dbParams.setFileStorage(&storage);
    EXPECT_EQ(dbParams.recordCount(), 3);
}

TEST_F(FileStorageTest, LoadAndSaveHooksReplaceTheSetsOwnStreaming) {
    attachAll();
    storage.setFileName(file);
    storage.setOnSaveStaticSet([](TFileStorage&, Stream& stream, TStaticSet& set) {
        stream.write(set.name().data(), set.name().size());
    });
    std::vector<std::string> loaded;
    storage.setOnLoadStaticSet([&](TFileStorage&, Stream& stream, TStaticSet& set) {
        std::string bytes(static_cast<std::size_t>(stream.size()), '\0');
        stream.readExact(bytes.data(), bytes.size());
        loaded.push_back(set.name() + "=" + bytes);
    });
    storage.loadSets();
    addParam(sysParams, 0, "GUID", "{0}");
    storage.saveSets();
    EXPECT_EQ(streamBytes(file, "ssSysParams"), "ssSysParams");
    EXPECT_FALSE(sysParams.modified());
    loaded.clear();
    storage.loadSets();
    EXPECT_EQ(loaded, (std::vector<std::string>{"ssDBParams=", "ssSysParams=ssSysParams", "ssUpdates="}));
}

}  // namespace
}  // namespace vk
