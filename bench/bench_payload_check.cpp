// What the installer's payload check costs: reading the payload whole from
// the disk with and without its CRC-32, side by side in one run, over the
// full-size demo payload (target payload-large) or the file in VK_PAYLOAD:
//   build/native/bench/bench_payload_check --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "datalib/Crc32.h"
#include "platform/FileSystem.h"

namespace {

std::string payloadPath() {
    const char* chosen = std::getenv("VK_PAYLOAD");
    return chosen ? chosen : VK_BINARY_DIR "/payload-large.trs";
}

// The baseline: the same reads in the same chunks, without the checksum.
void ReadOnly(benchmark::State& state) {
    std::vector<std::uint8_t> chunk(256 * 1024);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        auto in = vk::platform::openFile(payloadPath(), vk::platform::FileMode::OpenRead);
        while (const std::size_t got = in->read(chunk.data(), chunk.size())) bytes += static_cast<std::int64_t>(got);
    }
    state.SetBytesProcessed(bytes);
}

void ReadAndCheck(benchmark::State& state) {
    std::int64_t bytes = 0;
    for (auto _ : state) {
        auto in = vk::platform::openFile(payloadPath(), vk::platform::FileMode::OpenRead);
        benchmark::DoNotOptimize(vk::crc32Of(*in));
        bytes += in->size();
    }
    state.SetBytesProcessed(bytes);
}

BENCHMARK(ReadOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAndCheck)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
