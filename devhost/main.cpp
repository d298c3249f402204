// The development host: plays the player's part for a plug-in library. It
// makes a plug-in context, loads the library as the player does, asks the
// plug-in for its menu interface and shows its window, on screen or as a PNG.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QWidget>

#include "devhost/PluginLibrary.h"
#include "devhost/context/DevPluginContext.h"
#include "host/InterfaceNames.h"
#include "host/MenuInterface.h"
#include "plugin/Plugin.h"

namespace {

bool hasArgument(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0 ||
            std::strncmp(argv[i], name, std::strlen(name)) == 0) {
            return true;
        }
    }
    return false;
}

bool hasDisplay() {
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
           std::getenv("QT_QPA_PLATFORM") != nullptr;
}

int fail(const QString& message) {
    std::fprintf(stderr, "devhost: %s\n", qPrintable(message));
    return 1;
}

QWidget* menuWidget(Quarn::Plugin& plugin) {
    void* menu = nullptr;
    if (plugin.queryInterface(Quarn::String(Vantrel::InterfaceNames::Menu), &menu) != 0 ||
        menu == nullptr) {
        return nullptr;
    }
    return static_cast<Vantrel::MenuInterface*>(menu)->getWidget();
}

}  // namespace

int main(int argc, char** argv) {
    // Writing a PNG needs no display: render offscreen unless told otherwise.
    const bool screenshotOnly = hasArgument(argc, argv, "--screenshot");
    if (screenshotOnly && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    if (!screenshotOnly && !hasDisplay()) {
        std::fprintf(stderr,
                     "devhost: there is no display to show the window on; use --screenshot "
                     "FILE.png, or run it under xvfb-run\n");
        return 2;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName("devhost");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Runs a plug-in library the way the player does and shows its window.");
    parser.addHelpOption();
    const QCommandLineOption pluginOption("library", "The plug-in library to load.", "file.so",
                                          QString::fromUtf8(FILEINFO_DEFAULT_PLUGIN_PATH));
    const QCommandLineOption screenshotOption(
        "screenshot", "Render the window offscreen into a PNG file and exit.", "file.png");
    parser.addOption(pluginOption);
    parser.addOption(screenshotOption);
    parser.process(application);

    devhost::DevPluginContext context;
    devhost::PluginLibrary library(parser.value(pluginOption).toStdString());
    if (!library.load()) {
        return fail(QString::fromStdString(library.errorString()));
    }
    Quarn::Plugin* plugin = library.createPlugin(&context);
    if (plugin == nullptr) {
        return fail(QString::fromStdString(library.errorString()));
    }

    int status = 0;
    if (QWidget* window = menuWidget(*plugin)) {
        window->show();
        if (parser.isSet(screenshotOption)) {
            QApplication::processEvents();
            const QString file = parser.value(screenshotOption);
            if (!window->grab().save(file, "PNG")) {
                status = fail(QString("cannot write the screenshot to '%1'").arg(file));
            }
            window->close();
        } else {
            status = application.exec();
        }
    } else {
        status = fail("the plug-in offers no menu interface, so it has no window to show");
    }

    // Closing the window queued the release of its own reference; let it
    // run, then give back the creator's.
    QApplication::processEvents();
    plugin->release();
    if (!context.wasDeleted(plugin)) {
        return fail("the plug-in object is still alive after every reference was given back");
    }
    return status;
}
