#pragma once
// A fresh machine, a payload made in memory and an install thread run to its
// end with a recording receiver: the setting of the install engine's tests.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ProgressRecorder.h"
#include "TransportTestSupport.h"
#include "engine/InstallLog.h"
#include "datalib/StaticSet.h"
#include "datalib/Szdd.h"
#include "datalib/WinUtils.h"
#include "engine/CopyPhase.h"
#include "engine/IMDTools.h"
#include "engine/Payload.h"
#include "engine/ProcessThread.h"
#include "platform/FileSystem.h"
#include "support/TestFiles.h"
#include "support/TestMachine.h"

namespace vk {

// Found by GoogleTest through the entry's namespace.
inline void PrintTo(const InstallLogEntry& entry, std::ostream* out) {
    *out << "(" << entry.kind << ", " << entry.value << ", " << entry.number << ")";
}

}  // namespace vk

namespace vk::test {

using LogEntry = InstallLogEntry;

inline std::vector<LogEntry> readLog(DataSet& log) {
    std::vector<LogEntry> entries;
    for (log.first(); !log.eof(); log.next())
        entries.push_back({log.field(logfield::InfType.name).asString(), log.field(logfield::Value.name).asString(),
                           log.field(logfield::ValType.name).asInteger()});
    return entries;
}

inline std::string compressed(const std::string& content) {
    MemoryStream in(std::vector<std::uint8_t>(content.begin(), content.end()));
    MemoryStream out;
    szddCompress(in, out);
    return std::string(out.bytes().begin(), out.bytes().end());
}

// A payload row: name, kind, configuration number (or null) and the data as stored.
inline RowsDataSet::Row payloadRow(const std::string& name, std::int64_t kind, const std::string& data,
                                   std::optional<int> configNo = std::nullopt) {
    std::optional<std::string> index;
    if (configNo) index = std::to_string(*configNo);
    return {name, std::to_string(kind), index, data};
}

inline std::vector<std::uint8_t> makePayload(const std::vector<RowsDataSet::Row>& records) {
    RowsDataSet rows(payload::fieldDefs(), records);
    MemoryStream out;
    SaveDataSetToStream(&rows, &out);
    return out.bytes();
}

// An open, empty ssLog.
inline std::unique_ptr<TStaticSet> newLog() {
    auto log = std::make_unique<TStaticSet>();
    defineLog(*log);
    log->open();
    return log;
}

class InstallFixture : public ::testing::Test {
protected:
    // Adds a payload record whose data is content, compressed.
    void addRecord(const std::string& name, std::int64_t kind, const std::string& content,
                   std::optional<int> configNo = std::nullopt) {
        addRawRecord(name, kind, compressed(content), configNo);
    }
    void addRawRecord(const std::string& name, std::int64_t kind, const std::string& data,
                      std::optional<int> configNo = std::nullopt) {
        records_.push_back(payloadRow(name, kind, data, configNo));
    }

    // A thread set up as the wizard does for the server part with every box ticked.
    std::unique_ptr<TProcessThread> serverThread() {
        auto thread = std::make_unique<TProcessThread>();
        thread->InstallOptions = ioServerPart | ioConfigChosen | ioFilledDatabase | ioBDE | ioIBClient |
                                 ioFirebird | ioRegister;
        thread->PackageFlags = kPackageFlags;
        thread->LocalPath = local;
        thread->DataBaseFolder = local + "\\DataBase";
        thread->BdeFolder = machine.scratch() + "\\BDE";
        thread->NetPath = machine.scratch() + "\\Net";
        thread->CorrectionFiles = &corrections;
        thread->Log = log.get();
        thread->ConfigNoSelected = [](std::int32_t number) { return number == 1; };
        auto payload = std::make_shared<MemoryStream>(makePayload(records_));
        thread->OpenPayload = [payload] { return std::make_unique<MemoryStream>(payload->bytes()); };
        return thread;
    }

    void run(std::unique_ptr<TProcessThread> thread) { recorder.run(std::move(thread)); }
    std::vector<LogEntry> entries() { return readLog(*log); }
    std::vector<LogEntry> entriesOf(std::string_view kind) {
        std::vector<LogEntry> found;
        for (LogEntry& entry : entries())
            if (entry.kind == kind) found.push_back(entry);
        return found;
    }

    TestMachine machine;
    const std::string local = machine.scratch() + "\\Vorkast";
    std::unique_ptr<TStaticSet> log = newLog();
    CorrectionFileList corrections;
    ProgressRecorder recorder;

private:
    std::vector<RowsDataSet::Row> records_;
};

}  // namespace vk::test
