// Compound files between our code and the system's structured storage:
// StgOpenStorage reads what our writer makes, we read what StgCreateDocfile makes.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <map>
#include <string>
#include <vector>

#include "platform/CompoundFile.h"
#include "platform/Text.h"

namespace vk::platform {
namespace {

using Streams = std::map<std::u16string, std::vector<std::uint8_t>>;

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

std::u16string scratchFile(const char16_t* name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return reinterpret_cast<const char16_t*>(folder) + std::u16string(name);
}

std::vector<std::uint8_t> hostFile(const std::u16string& path) {
    std::vector<std::uint8_t> bytes;
    HANDLE file = CreateFileW(wide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

void writeHostFile(const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE file = CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// Every stream under the root as the system reads it.
Streams readWithSystem(const std::u16string& path) {
    Streams streams;
    IStorage* storage = nullptr;
    HRESULT result = StgOpenStorage(wide(path), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &storage);
    EXPECT_EQ(result, S_OK);
    if (FAILED(result)) return streams;
    IEnumSTATSTG* items = nullptr;
    storage->EnumElements(0, nullptr, 0, &items);
    STATSTG stat{};
    ULONG fetched = 0;
    while (items->Next(1, &stat, &fetched) == S_OK) {
        std::u16string name = reinterpret_cast<const char16_t*>(stat.pwcsName);
        IStream* stream = nullptr;
        EXPECT_EQ(storage->OpenStream(stat.pwcsName, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream), S_OK);
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
        ULONG read = 0;
        if (stream) {
            stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
            stream->Release();
        }
        EXPECT_EQ(read, bytes.size());
        streams[name] = bytes;
        CoTaskMemFree(stat.pwcsName);
    }
    items->Release();
    storage->Release();
    return streams;
}

std::vector<std::uint8_t> pattern(std::size_t size, unsigned seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>((i * 131 + seed * 7) >> 3);
    return bytes;
}

Streams streamsOf(CompoundFile& file) {
    Streams streams;
    for (const auto& child : file.root().children) streams[child->name] = child->data;
    return streams;
}

TEST(SystemStorageInterop, OurFilesOpenInStgOpenStorageAfterEverySave) {
    const std::u16string path = scratchFile(u"vk-ours.dbx");
    CompoundFile file;
    for (const char16_t* name : {u"ssDBParams", u"ssSysParams", u"ssUpdates", u"ssUsers"})
        CompoundFile::createStream(file.root(), name).data = pattern(600, name[2]);
    const std::vector<std::pair<std::u16string, std::size_t>> saves = {
        {u"ssDBParams", 12000}, {u"ssUpdates", 3}, {u"ssDBParams", 200}, {u"ssWorkSpace", 5000}};
    unsigned seed = 50;
    for (const auto& [name, size] : saves) {
        CompoundFile::createStream(file.root(), name).data = pattern(size, seed++);
        writeHostFile(path, file.serialize());
        EXPECT_EQ(readWithSystem(path), streamsOf(file));
        file = CompoundFile::parse(hostFile(path), "ours");
    }
    CompoundFile::createStream(file.root(), u"ssBig").data = pattern(8 * 1024 * 1024, 3);
    writeHostFile(path, file.serialize());
    EXPECT_EQ(readWithSystem(path), streamsOf(file)) << "a file whose FAT needs the DIFAT";
    DeleteFileW(wide(path));
}

TEST(SystemStorageInterop, FilesOfStgCreateDocfileOpenInOurs) {
    const std::u16string path = scratchFile(u"vk-system.dbx");
    IStorage* storage = nullptr;
    ASSERT_EQ(StgCreateDocfile(wide(path), STGM_READWRITE | STGM_CREATE | STGM_SHARE_EXCLUSIVE, 0, &storage), S_OK);
    Streams written = {{u"ssUsers", pattern(6000, 1)}, {u"ssDBParams", pattern(333, 2)}, {u"ssWorkPlace", {}}};
    for (const auto& [name, bytes] : written) {
        IStream* stream = nullptr;
        ASSERT_EQ(storage->CreateStream(wide(name), STGM_READWRITE | STGM_CREATE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream), S_OK);
        ULONG count = 0;
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &count);
        stream->Release();
    }
    storage->Release();

    CompoundFile theirs = CompoundFile::parse(hostFile(path), "theirs");
    EXPECT_EQ(streamsOf(theirs), written);
    CompoundFile::createStream(theirs.root(), u"ssDBParams").data = pattern(100, 9);
    written[u"ssDBParams"] = pattern(100, 9);
    writeHostFile(path, theirs.serialize());
    EXPECT_EQ(readWithSystem(path), written) << "the other streams survive our save";
    DeleteFileW(wide(path));
}

}  // namespace
}  // namespace vk::platform
