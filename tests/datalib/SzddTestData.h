#pragma once
// Inputs shared by the SZDD tests: hand-assembled files and sample data.
#include <cstdint>
#include <random>
#include <string>
#include <vector>


namespace vk::test {

using Bytes = std::vector<std::uint8_t>;

// A mode-A header giving expandedSize, followed by body.
inline Bytes szddFile(std::uint32_t expandedSize, const Bytes& body) {
    Bytes file = {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33, 0x41, 0x00};
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(expandedSize >> (8 * i)));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// The two bytes of a reference to window position `position`, `length` bytes long.
inline Bytes reference(unsigned position, unsigned length) {
    return {static_cast<std::uint8_t>(position & 0xFF),
            static_cast<std::uint8_t>(((position >> 4) & 0xF0) | (length - 3))};
}

inline Bytes randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(generator());
    return bytes;
}

// Words drawn from a small vocabulary, with the occasional binary noise:
// compressible like documents, with matches at every distance.
inline Bytes textLike(std::size_t size, unsigned seed) {
    static const char* const words[] = {"установка ", "the ", "window ", "position ", "\r\n", "0x41 ",
                                        "compressed ", "file ", "data ", "length ", "\t", "SZDD "};
    std::mt19937 generator(seed);
    Bytes bytes;
    while (bytes.size() < size) {
        if (generator() % 50 == 0) {
            bytes.push_back(static_cast<std::uint8_t>(generator()));
            continue;
        }
        std::string word = words[generator() % std::size(words)];
        bytes.insert(bytes.end(), word.begin(), word.end());
    }
    bytes.resize(size);
    return bytes;
}

}  // namespace vk::test
