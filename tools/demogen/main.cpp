// demogen: makes the generated files a pack manifest names.
//
//   demogen MANIFEST
//
// Every source of MANIFEST (a trs pack manifest, see docs/trs.md) of the form
// "generated/SIZE/NAME" is written, relative to the manifest's folder, as a
// file of SIZE bytes: deterministic for its name, and about half of it
// compressible, so that a demo payload packs like a real one. Other sources
// are left alone.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "../HostPath.h"
#include "../ToolMain.h"
#include "datalib/WholeFile.h"

namespace {

namespace fs = std::filesystem;

using vk::tools::displayPath;
using vk::tools::hostPath;

// xorshift64*, seeded from the file name so that every file differs and every build agrees.
class Random {
public:
    explicit Random(const std::string& seed) {
        for (unsigned char c : seed) state_ = (state_ ^ c) * 0x100000001B3ull;
    }
    std::uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }

private:
    std::uint64_t state_ = 0xCBF29CE484222325ull;
};

// Runs of words (compressible) alternate with random bytes (not), in a
// proportion that makes SZDD keep about half the size.
std::string generate(const std::string& name, std::size_t size) {
    static const char* const words[] = {"учет ", "счет ", "проводка ", "остаток ", "сальдо ", "период ",
                                        "Vorkast ", "record ", "table ", "value ", "index ", "ledger "};
    Random random(name);
    std::string out = "Vorkast demo file " + name + "\r\n";
    while (out.size() < size) {
        if (random.next() % 100 < 42) {
            for (int i = 0; i < 64; ++i) out += static_cast<char>(random.next() >> 24);
        } else {
            for (int i = 0; i < 8; ++i) out += words[random.next() % std::size(words)];
        }
    }
    out.resize(size);
    return out;
}

void generateSources(const fs::path& manifest) {
    const std::string text = vk::readFileText(displayPath(manifest));
    const std::string prefix = "generated/";
    std::size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string source = line.substr(line.rfind('\t') + 1);
        if (line.starts_with('#') || !source.starts_with(prefix)) continue;
        const std::size_t slash = source.find('/', prefix.size());
        if (slash == std::string::npos) throw std::runtime_error("line " + std::to_string(number) + ": no size");
        const std::size_t size = std::stoul(source.substr(prefix.size(), slash - prefix.size()));
        const fs::path target = manifest.parent_path() / hostPath(source);
        fs::create_directories(target.parent_path());
        const std::string bytes = generate(source.substr(slash + 1), size);
        vk::writeFile(displayPath(target), [&](vk::Stream& out) { out.write(bytes.data(), bytes.size()); });
    }
}

}  // namespace

int toolMain(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "usage: demogen MANIFEST\n";
        return 2;
    }
    try {
        generateSources(hostPath(args[0]));
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "demogen: " << args[0] << ": " << e.what() << "\n";
        return 1;
    }
}

