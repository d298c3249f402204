#pragma once

#include <stdexcept>

#include <QApplication>

#include "devhost/PluginLibrary.h"
#include "devhost/context/DevPluginContext.h"
#include "host/InterfaceNames.h"
#include "host/MenuInterface.h"
#include "plugin/Plugin.h"

namespace testsupport {

// The built plug-in library, loaded once per test program through the
// development host's loader, as the player loads it.
inline devhost::PluginLibrary& builtPluginLibrary() {
    static devhost::PluginLibrary library(FILEINFO_PLUGIN_PATH);
    if (!library.load()) {
        throw std::runtime_error(library.errorString());
    }
    return library;
}

inline Vantrel::MenuInterface* menuOf(Quarn::Plugin* plugin) {
    void* menu = nullptr;
    plugin->queryInterface(Quarn::String(Vantrel::InterfaceNames::Menu), &menu);
    return static_cast<Vantrel::MenuInterface*>(menu);
}

inline QWidget* windowOf(Quarn::Plugin* plugin) {
    Vantrel::MenuInterface* menu = menuOf(plugin);
    return menu != nullptr ? menu->getWidget() : nullptr;
}

// Lets the event loop run what closing the window queued.
inline void runEventLoopOnce() {
    QApplication::processEvents();
    QApplication::sendPostedEvents();
}

}  // namespace testsupport
