// The main of every test program that makes widgets: one QApplication on the
// offscreen platform, made before any test runs (and before test discovery
// lists them, which needs no display either).

#include <QApplication>

#include <gmock/gmock.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleMock(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
