#include "devhost/HostSession.h"

#include <utility>

#include <QApplication>
#include <QWidget>

#include "devhost/player/PlayerPlugin.h"
#include "host/InterfaceNames.h"
#include "host/MenuInterface.h"
#include "host/PubSubHub.h"
#include "plugin/Plugin.h"

namespace devhost {

namespace {

QWidget* menuWindowOf(Quarn::Plugin& plugin) {
    void* menu = nullptr;
    if (plugin.queryInterface(Quarn::String(Vantrel::InterfaceNames::Menu), &menu) != 0 ||
        menu == nullptr) {
        return nullptr;
    }
    return static_cast<Vantrel::MenuInterface*>(menu)->getWidget();
}

}  // namespace

HostSession::HostSession(std::string libraryPath)
    : library(std::move(libraryPath)), model(std::make_shared<PlayerModel>()) {}

HostSession::~HostSession() {
    stop();
}

bool HostSession::start() {
    if (!library.load()) {
        error = library.errorString();
        return false;
    }

    using namespace Vantrel::InterfaceNames;
    Quarn::PluginInfo* playerRecord = pluginContext.registerPlugin(
        {PlaybackServices, AdvancedPlayback, BasicPlayback},
        [model = std::shared_ptr<const PlayerModel>(model)](Quarn::PluginContext* context) {
            return new PlayerPlugin(context, model);
        });
    Quarn::PluginInfo* libraryRecord = pluginContext.registerPlugin(
        {Menu}, [this](Quarn::PluginContext* context) { return library.createPlugin(context); });

    // The player runs before any other plug-in is loaded.
    if (pluginContext.createPlugin(playerRecord, &playerObject) != 0) {
        error = "the player plug-in could not be started";
        return false;
    }
    if (pluginContext.createPlugin(libraryRecord, &pluginObject) != 0) {
        error = library.errorString();
        return false;
    }
    pluginWindow = menuWindowOf(*pluginObject);
    if (pluginWindow == nullptr) {
        error = "the plug-in offers no menu interface, so it has no window to show";
        return false;
    }
    return true;
}

int HostSession::publish(const QString& topic) {
    return Vantrel::PubSubHub::publish(topic);
}

bool HostSession::stop() {
    bool clean = true;
    if (pluginObject != nullptr) {
        if (pluginWindow != nullptr) {
            pluginWindow->close();
            pluginWindow = nullptr;
        }
        // Closing queued the release of the window's own reference.
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        const void* address = pluginObject;
        pluginObject->release();
        pluginObject = nullptr;
        if (!pluginContext.wasDeleted(address)) {
            error = "the plug-in object is still alive after every reference was given back";
            library.keepLoaded();
            clean = false;
        }
    }
    if (playerObject != nullptr) {
        const void* address = playerObject;
        playerObject->release();
        playerObject = nullptr;
        if (!pluginContext.wasDeleted(address)) {
            error = "the player plug-in is still alive: a reference on it was not given back";
            clean = false;
        }
    }
    return clean;
}

}  // namespace devhost
