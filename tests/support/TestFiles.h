#pragma once
// Whole files for tests to set up and check: on the machine under test by its
// Windows path, through the platform layer, or on the host by a host path;
// and fresh folders of the host for a test's files.
// Reads give a std::string unless asked for another byte container
// (readHostFile<std::vector<std::uint8_t>>(path)).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
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

// A new, empty folder in the host's temporary folder, named prefix-NUMBER;
// its owner removes it. Throws when none can be made.
inline std::filesystem::path makeTempHostFolder(std::string_view prefix) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / (std::string(prefix) + "-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error)) return folder;  // false: it was there already
    }
    throw std::runtime_error("cannot make a temporary folder " + std::string(prefix) + "-...");
}

// A test's own folder of the host: made new and empty, removed with all it
// holds when the object goes.
class TempHostFolder {
public:
    explicit TempHostFolder(std::string_view prefix) : path_(makeTempHostFolder(prefix)) {}
    ~TempHostFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempHostFolder(const TempHostFolder&) = delete;
    TempHostFolder& operator=(const TempHostFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace vk::test
