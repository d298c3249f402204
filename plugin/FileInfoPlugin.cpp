#include "plugin/FileInfoPlugin.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

#include "plugin/InterfaceIds.h"

namespace Vantrel {

FileInfoPlugin::FileInfoPlugin(Quarn::PluginContext* context)
    : QWidget(nullptr, Qt::WindowFlags()),
      Quarn::Plugin(context),
      Vantrel::MenuInterface(),
      topLayout(nullptr),
      advancedPlayback(nullptr),
      playbackServices(nullptr),
      valueLabels{},
      holdsWindowReference(false),
      refreshing(false),
      refreshQueued(false) {
    retain();
    holdsWindowReference = true;

    const WindowLayout layout =
        buildWindowLayout(*this, [](const char* text) { return FileInfoPlugin::tr(text); });
    topLayout = layout.topLayout;
    valueLabels = layout.valueLabels;

    // The object is not complete yet, so its destructor would not run if
    // connecting failed part-way: give back what was taken here.
    try {
        connectToPlayer();
    } catch (...) {
        releasePlayerConnection();
        throw;
    }
}

// The window's children (labels, layouts, spacer) go with the QWidget part.
// The handles are not looked at: the count reaches zero only after
// releaseLater() has given them back.
FileInfoPlugin::~FileInfoPlugin() = default;

std::int32_t FileInfoPlugin::queryInterface(const Quarn::String& id, void** out) {
    *out = nullptr;
    if (id == InterfaceIds::Menu) {
        *out = static_cast<Vantrel::MenuInterface*>(this);
        return 0;
    }
    return 3;
}

QWidget* FileInfoPlugin::getWidget() {
    return this;
}

void FileInfoPlugin::releaseLater() {
    releasePlayerConnection();
    if (!holdsWindowReference) {
        return;
    }
    holdsWindowReference = false;
    // When this was the last reference the object is gone after the call.
    release();
}

void FileInfoPlugin::closeEvent(QCloseEvent*) {
    // Never give the reference back inside the close handler: the host may
    // still be using the window while the close event is delivered.
    QTimer::singleShot(0, this, SLOT(releaseLater()));
}

}  // namespace Vantrel
