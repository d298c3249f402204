// The development host: plays the player's part for a plug-in library. It
// starts a player plug-in that answers from a scenario, loads the library as
// the player does, publishes the scenario's playback messages and shows the
// plug-in's window: on screen, as a PNG, or as its rows in text or JSON.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QPixmap>
#include <QTemporaryFile>
#include <QTranslator>
#include <QWidget>

#include "devhost/ControlWindow.h"
#include "devhost/HostSession.h"
#include "devhost/QuitOnSignal.h"
#include "devhost/RowsOutput.h"
#include "devhost/player/PlayerSource.h"

namespace {

// Exit statuses: 1 when the plug-in misbehaves, 2 for bad input.
constexpr int kPluginFailed = 1;
constexpr int kBadInput = 2;

// A media file where the build can play media, a scenario otherwise.
const char* const kBuiltInSample = ":/samples/sample";

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

int fail(int status, const QString& message) {
    std::fprintf(stderr, "devhost: %s\n", qPrintable(message));
    return status;
}

// The offscreen platform says so each time a window asks for what it cannot
// do (fixed sizes, raising), and the toolkit notes a missing runtime folder
// when run as root without a session; both are expected here and only hide
// what matters on stderr.
QtMessageHandler standardHandler = nullptr;

void dropPlatformNotices(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (message.startsWith("This plugin does not support") ||
        message.startsWith("QStandardPaths: XDG_RUNTIME_DIR not set")) {
        return;
    }
    if (standardHandler != nullptr) {
        standardHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

void write(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    // Output that needs no display is rendered offscreen unless told
    // otherwise.
    const bool headless = hasArgument(argc, argv, "--screenshot") ||
                          hasArgument(argc, argv, "--print") || hasArgument(argc, argv, "--json");
    if (headless && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    if (!headless && !hasArgument(argc, argv, "--help") && !hasArgument(argc, argv, "-h") &&
        !hasDisplay()) {
        return fail(kBadInput,
                    "there is no display to show the window on; use --print, --json or "
                    "--screenshot FILE.png, or run it under xvfb-run");
    }

    standardHandler = qInstallMessageHandler(dropPlatformNotices);
    QApplication application(argc, argv);
    QApplication::setApplicationName("devhost");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Runs a plug-in library the way the player does: a player plug-in answers from the\n"
        "scenario, the scenario's playback messages are published, and the plug-in's window\n"
        "is shown.");
    parser.addHelpOption();
    parser.addPositionalArgument(
        "source", "A scenario file (JSON). Without one, a built-in sample is played.", "[source]");
    const QCommandLineOption libraryOption("library", "The plug-in library to load.", "file.so",
                                           QString::fromUtf8(FILEINFO_DEFAULT_PLUGIN_PATH));
    const QCommandLineOption printOption(
        "print", "Print the window's six rows as \"Caption: value\" lines, then exit.");
    const QCommandLineOption jsonOption("json",
                                        "Print the window's six rows as a JSON object, then exit.");
    const QCommandLineOption screenshotOption(
        "screenshot", "Render the window offscreen into a PNG file, then exit.", "file.png");
    const QCommandLineOption languageOption(
        "lang", "Show the plug-in's texts in this language (de).", "code");
    parser.addOptions({libraryOption, printOption, jsonOption, screenshotOption, languageOption});
    parser.process(application);

    // Installed before the plug-in is made: it translates its texts then.
    QTranslator translator;
    if (parser.isSet(languageOption)) {
        const QString code = parser.value(languageOption);
        const QString directory = QString::fromUtf8(FILEINFO_TRANSLATIONS_DIR);
        if (!translator.load("fileinfo_" + code, directory)) {
            return fail(kBadInput, QString("no translation for '%1' in %2").arg(code, directory));
        }
        QApplication::installTranslator(&translator);
    }

    const QStringList sources = parser.positionalArguments();
    if (sources.size() > 1) {
        return fail(kBadInput, "give one source at most, not " + sources.join(' '));
    }
    // The media library reads files, not the program's resources.
    QString source = sources.isEmpty() ? QString() : sources.first();
    std::unique_ptr<QTemporaryFile> builtIn;
    if (source.isEmpty()) {
        builtIn.reset(QTemporaryFile::createNativeFile(kBuiltInSample));
        if (!builtIn) {
            return fail(kPluginFailed, "the built-in sample is missing from this build");
        }
        source = builtIn->fileName();
    }
    QString problem;
    const std::optional<devhost::Scenario> scenario = devhost::loadPlayerSource(source, problem);
    if (!scenario) {
        return fail(kBadInput,
                    (builtIn ? QString("the built-in sample") : source) + ": " + problem);
    }

    devhost::HostSession session(parser.value(libraryOption).toStdString());
    session.playerModel() = scenario->player;
    if (!session.start()) {
        return fail(kPluginFailed, QString::fromStdString(session.errorString()));
    }
    for (const devhost::ScenarioMessage& message : scenario->messages) {
        message.change.applyTo(session.playerModel());
        session.publish(message.topic);
        QApplication::processEvents();
    }

    int status = 0;
    QWidget* window = session.window();
    if (headless) {
        if (parser.isSet(printOption)) {
            write(devhost::rowsAsText(window));
        }
        if (parser.isSet(jsonOption)) {
            write(devhost::rowsAsJson(window));
        }
        if (parser.isSet(screenshotOption)) {
            const QString file = parser.value(screenshotOption);
            if (!window->grab().save(file, "PNG")) {
                status = fail(kBadInput, QString("cannot write the screenshot to '%1'").arg(file));
            }
        }
    } else {
        devhost::quitEventLoopOnSignals();
        devhost::ControlWindow controls(session);
        controls.showStatus(
            "Playing " + (builtIn ? QString("the built-in sample") : QFileInfo(source).fileName()));
        window->show();
        window->raise();
        controls.show();
        controls.move(window->frameGeometry().topRight() + QPoint(24, 0));
        status = application.exec();
    }

    if (!session.stop()) {
        return fail(kPluginFailed, QString::fromStdString(session.errorString()));
    }
    return status;
}
