#pragma once

#include <array>
#include <cstdint>
#include <string>

#include <QWidget>

#include "host/MenuInterface.h"
#include "plugin/Plugin.h"
#include "window/WindowLayout.h"

class QCloseEvent;
class QLabel;
class QVBoxLayout;

namespace Quarn {
class InterfaceHandle;
class PluginContext;
}  // namespace Quarn

namespace Vantrel {

// The plug-in object: at once the "Video Information" window, a framework
// plug-in and the provider of the host's menu interface. The class head names
// the last two bases fully qualified because the meta-cast answers exactly
// those names.
class FileInfoPlugin : public QWidget, public Quarn::Plugin, public Vantrel::MenuInterface {
    Q_OBJECT

public:
    // Count 2: the creator's reference and the window's own, which the
    // window keeps until it is closed.
    explicit FileInfoPlugin(Quarn::PluginContext* context);
    ~FileInfoPlugin() override;

    // Offers the menu interface alone; never retains.
    std::int32_t queryInterface(const Quarn::String& id, void** out) override;

    // The information window: this object itself.
    QWidget* getWidget() override;

public slots:
    // Brings the window up to date and shows and raises it.
    void showFileInfo();
    // Gives back the player connection and the window's own reference.
    void releaseLater();

protected:
    // Defers releaseLater() to the event loop; the close itself goes on as
    // usual and hides the window.
    void closeEvent(QCloseEvent* event) override;

private:
    // The player connection (PlayerConnection.cpp): takes the handles on
    // PlaybackServices and AdvancedPlayback and subscribes showFileInfo() to
    // the three playback messages; gives the handles back.
    void connectToPlayer();
    void releasePlayerConnection();

    // One run of the refresh (window/Refresh.cpp): asks the player what is
    // being played and writes the six rows. Throws only the free store's
    // out-of-memory exception, with every temporary of the run released.
    void refreshRows();
    void setRow(int row, const std::string& text);

    QVBoxLayout* topLayout;
    Quarn::InterfaceHandle* advancedPlayback;
    Quarn::InterfaceHandle* playbackServices;
    std::array<QLabel*, kRowCount> valueLabels;
    // The window's own reference is taken once; a window shown again and
    // closed again has nothing left to give back.
    bool holdsWindowReference;
    // A refresh is running; a message delivered from inside it (a player
    // publishing while it answers) queues one more run instead of nesting.
    bool refreshing;
    bool refreshQueued;
};

}  // namespace Vantrel
