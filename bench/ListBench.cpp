// Copying a list out with toVector(): one walk of the chain, so the time per
// element stays flat as the list grows.

#include <cstdint>

#include <benchmark/benchmark.h>

#include "framework/List.h"

namespace {

void fillList(Quarn::List<std::uint64_t>& list, std::uint32_t length) {
    Quarn::Node<std::uint64_t>** link = &list.head;
    for (std::uint32_t i = 0; i < length; ++i) {
        auto* node = list.allocator->allocate(1);
        node->value = i;
        node->next = nullptr;
        *link = node;
        link = &node->next;
    }
    list.count = length;
}

void ListToVector(benchmark::State& state) {
    Quarn::List<std::uint64_t> list;
    fillList(list, static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state) {
        auto elements = list.toVector();
        benchmark::DoNotOptimize(elements.data());
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(ListToVector)->Arg(10)->Arg(1000)->Arg(100000)->Complexity(benchmark::oN);
