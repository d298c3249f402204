// One refresh of the information window against its floor: the same six
// texts set on six labels of a plain window, then the window shown and
// raised, without the plug-in, the player or the name tables in between.

#include <array>
#include <memory>

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QWidget>

#include <benchmark/benchmark.h>

#include "devhost/HostSession.h"
#include "devhost/WindowRows.h"

namespace {

devhost::PlayerModel sampleModel() {
    devhost::PlayerModel model;
    model.videoRendererName = "Devhost Video Output";
    model.audioRendererName = "Devhost Audio Output";
    model.streams = {{1, 0x11, "XVID", 0, "MPEG-4 part 2"},
                     {2, 0x21, "", 85, "MP3 (MPEG audio layer 3)"}};
    return model;
}

void RefreshThroughThePlugin(benchmark::State& state) {
    devhost::HostSession session(FILEINFO_PLUGIN_PATH);
    if (!session.start()) {
        state.SkipWithError(session.errorString().c_str());
        return;
    }
    session.playerModel() = sampleModel();
    for (auto _ : state) {
        session.publish("Playback.Playing.New");
    }
    const QStringList rows = devhost::WindowRows::of(session.window()).valueTexts();
    if (rows.size() != 6 || rows[2] != "XviD Mpeg-4 Video") {
        state.SkipWithError("the refresh did not fill the rows");
    }
    session.stop();
}

void SetSixLabelsDirectly(benchmark::State& state) {
    QWidget window;
    auto* grid = new QGridLayout(&window);
    std::array<QLabel*, 6> labels{};
    for (int row = 0; row < 6; ++row) {
        labels[row] = new QLabel(&window);
        grid->addWidget(labels[row], row, 1);
    }
    const devhost::PlayerModel model = sampleModel();
    const std::array<QString, 6> texts = {QString::fromStdString(model.videoRendererName),
                                          QString::fromStdString(model.streams[0].decoderName),
                                          "XviD Mpeg-4 Video",
                                          QString::fromStdString(model.audioRendererName),
                                          QString::fromStdString(model.streams[1].decoderName),
                                          "MPEG-1 Layer-3 Audio (mp3) (Tag 85)"};
    for (auto _ : state) {
        for (QLabel* label : labels) {
            label->setText(QString());
        }
        for (int row = 0; row < 6; ++row) {
            labels[row]->setText(texts[row]);
        }
        window.show();
        window.raise();
    }
}

}  // namespace

BENCHMARK(RefreshThroughThePlugin);
BENCHMARK(SetSixLabelsDirectly);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform notes every raise it cannot do; keep the
    // figures readable.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
