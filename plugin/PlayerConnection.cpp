#include <memory>

#include <QString>

#include "framework/InterfaceHandle.h"
#include "framework/PluginFilters.h"
#include "host/PubSubHub.h"
#include "plugin/FileInfoPlugin.h"
#include "plugin/InterfaceIds.h"

namespace Vantrel {

namespace {

// A handle on `id`, served by a running plug-in that offers it or, failing
// that, by one made for it; null when neither can be had.
Quarn::InterfaceHandle* acquireHandle(Quarn::PluginContext* context, const Quarn::String& id) {
    auto handle = std::make_unique<Quarn::InterfaceHandle>(id);
    const Quarn::PluginContext::PluginInterfaceFilter filter(id);
    const Quarn::PluginContext::SimplePluginInfoSelector selector;
    if (handle->acquire(context, filter, selector, true) != 0) {
        return nullptr;
    }
    return handle.release();
}

const char* const kPlaybackTopics[] = {"Playback.Playing.New", "Playback.Stopped",
                                       "Playback.Closed"};

}  // namespace

void FileInfoPlugin::connectToPlayer() {
    playbackServices = acquireHandle(getContext(), InterfaceIds::PlaybackServices);
    advancedPlayback = acquireHandle(getContext(), InterfaceIds::AdvancedPlayback);

    // Never cancelled: the messages run showFileInfo() for as long as the
    // object exists, also after its handles have been given back.
    for (const char* topic : kPlaybackTopics) {
        PubSubHub::listenForMessage(QString::fromLatin1(topic), this, SLOT(showFileInfo()),
                                    Qt::AutoConnection);
    }
}

void FileInfoPlugin::releasePlayerConnection() {
    // Each handle gives back its reference on the plug-in serving it.
    delete advancedPlayback;
    advancedPlayback = nullptr;
    delete playbackServices;
    playbackServices = nullptr;
}

}  // namespace Vantrel
