// The main of every test program that makes widgets: one QApplication on the
// offscreen platform, made before any test runs (and before test discovery
// lists them, which needs no display either).

#include <QApplication>

#include <gmock/gmock.h>

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform notes each fixed-size window and each raise it
// cannot do; the tests do both all the time.
void dropPlatformNotices(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (!message.startsWith("This plugin does not support") && standardHandler != nullptr) {
        standardHandler(type, context, message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    standardHandler = qInstallMessageHandler(dropPlatformNotices);
    testing::InitGoogleMock(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
