// Adding many streams to a compound file in memory, as dbx build does, against
// the baseline of looking each name up among the streams already added
// (CompoundFile::createStream), which made a build quadratic in the number
// of streams. Both sides serialize the file; they run side by side:
//   build/native/bench/bench_compound_streams --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <set>
#include <string>
#include <vector>

#include "platform/CfbFormat.h"
#include "platform/CompoundFile.h"

namespace {

using vk::platform::CompoundFile;

// Names of one length, so that every comparison reads them to the end.
std::vector<std::u16string> streamNames(int count) {
    std::vector<std::u16string> names;
    for (int i = 0; i < count; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "S%06d", i);
        names.emplace_back(text, text + std::char_traits<char>::length(text));
    }
    return names;
}

const std::vector<std::uint8_t> kBytes{1, 2, 3};

// What dbx build does: one ordered set of the names, each stream appended.
void AppendWithNameSet(benchmark::State& state) {
    const auto names = streamNames(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto less = [](const std::u16string& a, const std::u16string& b) {
            return vk::platform::cfb::compareNames(a, b) < 0;
        };
        std::set<std::u16string, decltype(less)> seen(less);
        CompoundFile file;
        for (const auto& name : names) {
            if (!seen.insert(name).second) state.SkipWithError("duplicate name");
            CompoundFile::appendStream(file.root(), name).data = kBytes;
        }
        benchmark::DoNotOptimize(file.serialize());
    }
    state.counters["streams"] = static_cast<double>(state.range(0));
}

// The baseline: every stream created through a lookup among those before it.
void CreateEachByLookup(benchmark::State& state) {
    const auto names = streamNames(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CompoundFile file;
        for (const auto& name : names) CompoundFile::createStream(file.root(), name).data = kBytes;
        benchmark::DoNotOptimize(file.serialize());
    }
    state.counters["streams"] = static_cast<double>(state.range(0));
}

// The baseline stops at 8000 streams: at 30000 one run takes tens of seconds.
BENCHMARK(AppendWithNameSet)->Arg(1000)->Arg(4000)->Arg(8000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(CreateEachByLookup)->Arg(1000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
