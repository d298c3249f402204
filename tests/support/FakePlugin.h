#pragma once

#include <string>

#include "plugin/Plugin.h"

namespace testsupport {

// Another plug-in as the framework meets it: a record, a count, and one
// interface it may or may not give.
class FakePlugin : public Quarn::Plugin {
public:
    FakePlugin(Quarn::PluginContext* context, Quarn::PluginInfo* record,
               std::string offered = "test.Interface")
        : Quarn::Plugin(context), offered(std::move(offered)) {
        setPluginInfo(record);
    }

    std::int32_t queryInterface(const Quarn::String& id, void** out) override {
        *out = nullptr;
        ++queries;
        if (id.equals(offered.c_str())) {
            *out = &interface;
            return 0;
        }
        return 3;
    }

    struct Interface {
        int marker = 0;
    } interface;
    std::string offered;
    int queries = 0;
};

}  // namespace testsupport
