// Static set placement after Post and FindKey against a std::multimap over
// the same keys and the same comparison, on an ssDBParams-shaped table
// ("ConnectNo;Name"). Both sides run in one process, side by side:
//   build/native/bench/bench_static_set --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "datalib/RecordIndex.h"
#include "dbenv/ConnectionSets.h"
#include "platform/Text.h"

namespace {

struct Row {
    int connectNo;
    std::string name;  // UTF-8
};

std::vector<Row> rowsInKeyOrder(int count) {
    std::vector<Row> rows;
    for (int i = 0; i < count; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%07d", i % (count / 4 + 1));
        rows.push_back({i / (count / 4 + 1), std::string("Параметр ") + number});
    }
    return rows;
}

std::vector<Row> shuffled(std::vector<Row> rows) {
    std::shuffle(rows.begin(), rows.end(), std::mt19937(42));
    return rows;
}

// The baseline: the same keys in a multimap ordered by the same comparison.
struct Key {
    int connectNo;
    std::string name;  // Windows-1251, as the set stores it
};
struct KeyLess {
    bool operator()(const Key& a, const Key& b) const {
        if (a.connectNo != b.connectNo) return a.connectNo < b.connectNo;
        return vk::compareAnsiText(a.name, b.name) < 0;
    }
};
using Baseline = std::multimap<Key, std::string, KeyLess>;

void fillSet(vk::TStaticSet& set, const std::vector<Row>& rows) {
    vk::defineDBParams(set);
    set.open();
    for (const Row& row : rows) {
        set.append();
        set.setInteger(3, row.connectNo);
        set.setString(1, row.name);
        set.setString(2, "value");
        set.post();
    }
}

void fillBaseline(Baseline& map, const std::vector<Row>& rows) {
    for (const Row& row : rows) map.emplace(Key{row.connectNo, vk::toCp1251(row.name)}, "value");
}

template <bool Random>
void StaticSetBuild(benchmark::State& state) {
    auto rows = rowsInKeyOrder(static_cast<int>(state.range(0)));
    if (Random) rows = shuffled(rows);
    for (auto _ : state) {
        vk::TStaticSet set;
        fillSet(set, rows);
        benchmark::DoNotOptimize(set.recordCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

template <bool Random>
void MultimapBuild(benchmark::State& state) {
    auto rows = rowsInKeyOrder(static_cast<int>(state.range(0)));
    if (Random) rows = shuffled(rows);
    for (auto _ : state) {
        Baseline map;
        fillBaseline(map, rows);
        benchmark::DoNotOptimize(map.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void StaticSetFindKey(benchmark::State& state) {
    auto rows = rowsInKeyOrder(static_cast<int>(state.range(0)));
    vk::TStaticSet set;
    fillSet(set, shuffled(rows));
    auto probes = shuffled(rows);
    probes.resize(std::min<std::size_t>(probes.size(), 100'000));
    // Count the sector comparisons of one pass, outside the timing.
    long comparisons = 0;
    set.setOnCompareSectors([&](int, const std::uint8_t*, const std::uint8_t*, bool&) {
        ++comparisons;
        return 0;
    });
    for (const Row& probe : probes) set.findKey({probe.connectNo, probe.name});
    set.setOnCompareSectors(nullptr);
    long lookups = 0, found = 0;
    for (auto _ : state) {
        for (const Row& probe : probes) found += set.findKey({probe.connectNo, probe.name});
        lookups += static_cast<long>(probes.size());
    }
    if (found != lookups) state.SkipWithError("a key was not found");
    state.SetItemsProcessed(lookups);
    state.counters["sectorCmp/lookup"] = static_cast<double>(comparisons) / static_cast<double>(probes.size());
}

void MultimapFind(benchmark::State& state) {
    auto rows = rowsInKeyOrder(static_cast<int>(state.range(0)));
    Baseline map;
    fillBaseline(map, shuffled(rows));
    auto probes = shuffled(rows);
    probes.resize(std::min<std::size_t>(probes.size(), 100'000));
    long lookups = 0, found = 0;
    for (auto _ : state) {
        for (const Row& probe : probes)
            found += map.find(Key{probe.connectNo, vk::toCp1251(probe.name)}) != map.end();
        lookups += static_cast<long>(probes.size());
    }
    if (found != lookups) state.SkipWithError("a key was not found");
    state.SetItemsProcessed(lookups);
}

}  // namespace

BENCHMARK(StaticSetBuild<false>)->Name("Build/KeyOrder/StaticSet")->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(MultimapBuild<false>)->Name("Build/KeyOrder/multimap")->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(StaticSetBuild<true>)->Name("Build/Random/StaticSet")->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(MultimapBuild<true>)->Name("Build/Random/multimap")->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(StaticSetFindKey)->Name("FindKey/StaticSet")->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(MultimapFind)->Name("FindKey/multimap")->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
