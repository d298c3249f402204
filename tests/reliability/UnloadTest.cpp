// Unloading the plug-in library once every reference is given back: its
// load-time objects (the interface identifiers) are destroyed, nothing is
// left behind, and it loads and works again. This program loads the library
// only inside its tests.

#include <dlfcn.h>

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include "devhost/PluginLibrary.h"
#include "devhost/context/DevPluginContext.h"
#include "host/InterfaceNames.h"
#include "host/MenuInterface.h"
#include "host/PubSubHub.h"
#include "plugin/Plugin.h"
#include "tests/support/AllocationTracker.h"

namespace {

bool isLoaded(const char* path) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) {
        dlclose(handle);
        return true;
    }
    return false;
}

// One whole life: load, make the plug-in, show it, refresh it, close the
// window, give back the creator's reference, unload.
void liveOnce() {
    devhost::DevPluginContext context;
    devhost::PluginLibrary library(FILEINFO_PLUGIN_PATH);
    ASSERT_TRUE(library.load()) << library.errorString();
    Quarn::Plugin* plugin = library.createPlugin(&context);
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->getRefCount(), 2);
    void* menu = nullptr;
    ASSERT_EQ(plugin->queryInterface(Quarn::String(Vantrel::InterfaceNames::Menu), &menu), 0);
    QWidget* window = static_cast<Vantrel::MenuInterface*>(menu)->getWidget();
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    EXPECT_TRUE(window->isVisible());
    window->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents();
    const void* address = plugin;
    plugin->release();
    EXPECT_TRUE(context.wasDeleted(address));
}

}  // namespace

TEST(Unload, TheLibraryGoesCleanlyAndComesBack) {
    liveOnce();
    EXPECT_FALSE(isLoaded(FILEINFO_PLUGIN_PATH)) << "the library stayed loaded";

    // Again, counting: every block made in a whole life, the load-time
    // identifiers included, is freed by the time the library is gone.
    std::size_t made = 0;
    std::size_t freed = 0;
    {
        testsupport::AllocationTracker tracker;
        liveOnce();
        made = tracker.allocations();
        freed = tracker.deallocations();
    }
    EXPECT_FALSE(isLoaded(FILEINFO_PLUGIN_PATH));
    EXPECT_EQ(made, freed);

    liveOnce();
}
