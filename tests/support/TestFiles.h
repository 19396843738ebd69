#pragma once
// Whole files for tests to set up and check: on the machine under test by its
// Windows path, through the platform layer, or on the host by a host path.
// Reads give a std::string unless asked for another byte container
// (readHostFile<std::vector<std::uint8_t>>(path)).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Stream.h"

namespace vk::test {

// Every byte of stream, from its start.
template <typename Bytes = std::string>
Bytes readStream(Stream& stream) {
    std::string bytes(static_cast<std::size_t>(stream.size()), '\0');
    stream.seek(0, SeekOrigin::Begin);
    stream.readExact(bytes.data(), bytes.size());
    return Bytes(bytes.begin(), bytes.end());
}

template <typename Bytes = std::string>
Bytes readFile(const std::string& path) {
    return readStream<Bytes>(*platform::openFile(path, platform::FileMode::OpenRead));
}

inline void writeFile(const std::string& path, std::string_view bytes) {
    platform::openFile(path, platform::FileMode::Create)->write(bytes.data(), bytes.size());
}
inline void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    platform::openFile(path, platform::FileMode::Create)->write(bytes.data(), bytes.size());
}

// A file of the host; a missing one reads as empty.
template <typename Bytes = std::string>
Bytes readHostFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Makes the file's folder first when it is missing.
inline void writeHostFile(const std::filesystem::path& path, std::string_view bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
inline void writeHostFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    writeHostFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace vk::test
