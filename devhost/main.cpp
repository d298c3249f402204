// The development host: plays the player's part for a plug-in library. It
// starts a player plug-in, loads the library as the player does, asks the
// plug-in for its menu interface and shows its window, on screen or as a PNG.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QWidget>

#include "devhost/HostSession.h"

namespace {

bool hasArgument(int argc, char** argv, const char* name) {
    const std::size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], name, length) == 0 &&
            (argv[i][length] == '\0' || argv[i][length] == '=')) {
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

}  // namespace

int main(int argc, char** argv) {
    // Writing a PNG needs no display: render offscreen unless told otherwise.
    const bool screenshotOnly = hasArgument(argc, argv, "--screenshot");
    if (screenshotOnly && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    if (!screenshotOnly && !hasArgument(argc, argv, "--help") && !hasDisplay()) {
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
    const QCommandLineOption libraryOption("library", "The plug-in library to load.", "file.so",
                                           QString::fromUtf8(FILEINFO_DEFAULT_PLUGIN_PATH));
    const QCommandLineOption screenshotOption(
        "screenshot", "Render the window offscreen into a PNG file and exit.", "file.png");
    parser.addOption(libraryOption);
    parser.addOption(screenshotOption);
    parser.process(application);

    devhost::HostSession session(parser.value(libraryOption).toStdString());
    if (!session.start()) {
        return fail(QString::fromStdString(session.errorString()));
    }

    int status = 0;
    QWidget* window = session.window();
    window->show();
    if (parser.isSet(screenshotOption)) {
        QApplication::processEvents();
        const QString file = parser.value(screenshotOption);
        if (!window->grab().save(file, "PNG")) {
            status = fail(QString("cannot write the screenshot to '%1'").arg(file));
        }
    } else {
        status = application.exec();
    }

    if (!session.stop()) {
        return fail(QString::fromStdString(session.errorString()));
    }
    return status;
}
