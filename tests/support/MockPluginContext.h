#pragma once

#include <gmock/gmock.h>

#include "host/PluginContext.h"

namespace testsupport {

class MockPluginContext : public Quarn::PluginContext {
public:
    MOCK_METHOD(std::int32_t, createPlugin, (Quarn::PluginInfo*, Quarn::Plugin**), (override));
    MOCK_METHOD(std::int32_t, pluginAboutToBeDeleted, (Quarn::Plugin*), (override));
    MOCK_METHOD(std::int32_t, pluginDeleted, (Quarn::Plugin*), (override));
};

}  // namespace testsupport
