// The two name lookups over every key of their tables and over misses. The
// counter allocs_per_lookup is the number of heap blocks made per lookup,
// counting the by-value string each video lookup is handed.

#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "media/MediaNameTable.h"
#include "tests/support/AllocationTracker.h"

namespace {

using Vantrel::MediaNameTable;

void reportAllocations(benchmark::State& state, const testsupport::AllocationTracker& tracker,
                       std::size_t lookupsPerIteration) {
    state.counters["allocs_per_lookup"] =
        benchmark::Counter(static_cast<double>(tracker.allocations()) /
                           static_cast<double>(state.iterations() * lookupsPerIteration));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lookupsPerIteration));
}

void AudioLookupEveryKey(benchmark::State& state) {
    const MediaNameTable& table = *MediaNameTable::instance();
    testsupport::AllocationTracker tracker;
    for (auto _ : state) {
        for (const auto& entry : Vantrel::kAudioFormatTable) {
            benchmark::DoNotOptimize(table.findAudioFormat(entry.tag));
        }
    }
    reportAllocations(state, tracker, Vantrel::kAudioFormatTable.size());
}

void AudioLookupMisses(benchmark::State& state) {
    const MediaNameTable& table = *MediaNameTable::instance();
    const std::vector<std::uint32_t> misses = {0, 4, 4660, 0xFFFF, 0x1234, 9999, 65535, 300};
    testsupport::AllocationTracker tracker;
    for (auto _ : state) {
        for (std::uint32_t tag : misses) {
            benchmark::DoNotOptimize(table.findAudioFormat(tag));
        }
    }
    reportAllocations(state, tracker, misses.size());
}

void VideoLookupEveryKey(benchmark::State& state) {
    const MediaNameTable& table = *MediaNameTable::instance();
    std::vector<Quarn::String> keys;
    for (const auto& entry : Vantrel::kVideoCodecTable) {
        keys.emplace_back(entry.fourCC);
    }
    testsupport::AllocationTracker tracker;
    for (auto _ : state) {
        for (const Quarn::String& key : keys) {
            benchmark::DoNotOptimize(table.findVideoCodec(key));
        }
    }
    reportAllocations(state, tracker, keys.size());
}

void VideoLookupMisses(benchmark::State& state) {
    const MediaNameTable& table = *MediaNameTable::instance();
    std::vector<Quarn::String> keys;
    for (const char* miss : {"ABCD", "RLE", "XVIDX", "", "zzzz",
                             "\xC9"
                             "263",
                             "h266", "VP99"}) {
        keys.emplace_back(miss);
    }
    testsupport::AllocationTracker tracker;
    for (auto _ : state) {
        for (const Quarn::String& key : keys) {
            benchmark::DoNotOptimize(table.findVideoCodec(key));
        }
    }
    reportAllocations(state, tracker, keys.size());
}

}  // namespace

BENCHMARK(AudioLookupEveryKey);
BENCHMARK(AudioLookupMisses);
BENCHMARK(VideoLookupEveryKey);
BENCHMARK(VideoLookupMisses);
