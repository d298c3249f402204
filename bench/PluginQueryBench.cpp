// The plug-in query over a context holding 10 to 10,000 live plug-ins, each
// with a record of three interface names; only the last one offers what is
// asked for, so every record is filtered. Time per query should grow in
// proportion to the number of plug-ins.

#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "framework/ListEditing.h"
#include "framework/PluginFilters.h"
#include "framework/PluginQuery.h"

namespace {

class BenchContext : public Quarn::PluginContext {
public:
    std::int32_t createPlugin(Quarn::PluginInfo*, Quarn::Plugin**) override { return 3; }
    std::int32_t pluginAboutToBeDeleted(Quarn::Plugin*) override { return 0; }
    std::int32_t pluginDeleted(Quarn::Plugin*) override { return 0; }
};

class BenchPlugin : public Quarn::Plugin {
public:
    using Quarn::Plugin::Plugin;
    std::int32_t queryInterface(const Quarn::String&, void** out) override {
        *out = nullptr;
        return 3;
    }
};

struct Population {
    explicit Population(int size) {
        for (int i = 0; i < size; ++i) {
            auto record = std::make_unique<Quarn::PluginInfo>();
            for (const std::string& name :
                 {std::string("bench.Interface.A"), std::string("bench.Interface.B"),
                  i == size - 1 ? std::string("bench.Wanted") : std::string("bench.Interface.C")}) {
                Quarn::appendToList(record->interfaceNames, Quarn::String(name.c_str()));
            }
            auto plugin = std::make_unique<BenchPlugin>(&context);
            plugin->setPluginInfo(record.get());
            Quarn::appendToList<Quarn::Plugin*>(context.livePlugins, plugin.get());
            records.push_back(std::move(record));
            plugins.push_back(std::move(plugin));
        }
    }
    ~Population() {
        for (auto& record : records) {
            Quarn::clearDestroyingValues(record->interfaceNames);
        }
    }

    BenchContext context;
    std::vector<std::unique_ptr<Quarn::PluginInfo>> records;
    std::vector<std::unique_ptr<BenchPlugin>> plugins;
};

void QueryLivePlugins(benchmark::State& state) {
    Population population(static_cast<int>(state.range(0)));
    const Quarn::PluginContext::PluginInterfaceFilter filter(Quarn::String("bench.Wanted"));
    const Quarn::PluginContext::SimplePluginInfoSelector selector;
    for (auto _ : state) {
        Quarn::Plugin* found = nullptr;
        if (population.context.queryPlugin(&found, filter, selector, false) != 0) {
            state.SkipWithError("the wanted plug-in was not found");
            break;
        }
        found->release();
    }
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(QueryLivePlugins)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN);
