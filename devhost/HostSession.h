#pragma once

#include <memory>
#include <string>

#include <QString>

#include "devhost/PluginLibrary.h"
#include "devhost/context/DevPluginContext.h"
#include "devhost/player/PlayerModel.h"

class QWidget;

namespace Quarn {
class Plugin;
}

namespace devhost {

// One run of the player's part for a plug-in library, as the player does it:
// a context that knows the player plug-in and the library, the player
// started first, then the library's plug-in made through the context and
// asked for its menu interface's window.
class HostSession {
public:
    explicit HostSession(std::string libraryPath);
    // Ends the session if stop() was not called.
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // False with errorString() set when the library cannot be loaded, makes
    // no plug-in, or offers no window.
    bool start();

    // Closes the window, lets the event loop give back what the close
    // queued, then gives back the host's references on the plug-in and the
    // player. False with errorString() set when either outlived them.
    bool stop();

    // Publishes `topic` on the message hub; answers how many subscribers
    // were invoked.
    int publish(const QString& topic);

    // What the player answers from now on.
    PlayerModel& playerModel() { return *model; }

    QWidget* window() const { return pluginWindow; }
    Quarn::Plugin* plugin() const { return pluginObject; }
    Quarn::Plugin* player() const { return playerObject; }
    DevPluginContext& context() { return pluginContext; }
    const std::string& errorString() const { return error; }

private:
    DevPluginContext pluginContext;
    PluginLibrary library;
    std::shared_ptr<PlayerModel> model;
    Quarn::Plugin* playerObject = nullptr;
    Quarn::Plugin* pluginObject = nullptr;
    QWidget* pluginWindow = nullptr;
    std::string error;
};

}  // namespace devhost
