// The development host as a desktop program: real windows on an X server
// (the test runs under xvfb-run), driven through the player window's buttons.

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "devhost/ControlWindow.h"
#include "devhost/HostSession.h"
#include "devhost/WindowRows.h"
#include "devhost/tools/MediaWriter.h"

namespace {

void settle() {
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
    }
}

QStringList rowsOf(devhost::HostSession& session) {
    return devhost::WindowRows::of(session.window()).valueTexts();
}

}  // namespace

TEST(Desktop, ThePlayerWindowDrivesThePluginsWindow) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run this test under xvfb-run";

    QTemporaryDir directory;
    const QString media = directory.filePath("clip.avi");
    std::string error;
    ASSERT_TRUE(devhost::writeMedia(media.toStdString(),
                                    {"avi", devhost::MediaRecipe::Video{"mpeg4", "XVID"},
                                     devhost::MediaRecipe::Audio{"mp2", 44100}},
                                    error))
        << error;

    devhost::HostSession session(FILEINFO_PLUGIN_PATH);
    ASSERT_TRUE(session.start()) << session.errorString();
    {
        devhost::ControlWindow controls(session);
        controls.show();
        controls.move(400, 0);
        settle();

        ASSERT_TRUE(controls.play(media));
        settle();
        EXPECT_TRUE(session.window()->isVisible());
        EXPECT_EQ(rowsOf(session),
                  QStringList({"Devhost Video Output", "MPEG-4 part 2", "XviD Mpeg-4 Video",
                               "Devhost Audio Output", "MP2 (MPEG audio layer 2)",
                               "MPEG-1 Layer-2 Audio (mp2) (Tag 80)"}));
        EXPECT_EQ(controls.statusText(), "Playing clip.avi");

        // What a person sees: both real windows on the X server's screen.
        session.window()->move(0, 0);
        settle();
        const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, 720, 200);
        EXPECT_TRUE(screen.save(QString::fromUtf8(FILEINFO_DESKTOP_SCREENSHOT), "PNG"));

        controls.stopButton()->click();
        settle();
        EXPECT_EQ(rowsOf(session),
                  QStringList({"Devhost Video Output", "", "", "Devhost Audio Output", "", ""}));
        EXPECT_EQ(controls.statusText(), "Stopped");

        EXPECT_FALSE(controls.play(directory.filePath("missing.avi")));
        EXPECT_EQ(controls.statusText(), "missing.avi: no such file");

        session.window()->hide();
        controls.closeButton()->click();
        settle();
        EXPECT_TRUE(session.window()->isVisible()) << "Playback.Closed brings the window up";
        EXPECT_EQ(controls.statusText(), "Nothing open");
    }
    EXPECT_TRUE(session.stop()) << session.errorString();
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
