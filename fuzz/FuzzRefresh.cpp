// A whole refresh against a player whose answers are decoded from the input:
// the window's rows must be what the player's answers imply, and nothing
// may crash, leak or stay referenced.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include <QApplication>

#include <fuzzer/FuzzedDataProvider.h>

#include "devhost/WindowRows.h"
#include "devhost/context/DevPluginContext.h"
#include "devhost/player/PlayerPlugin.h"
#include "host/InterfaceNames.h"
#include "host/PubSubHub.h"
#include "media/MediaNameTable.h"
#include "plugin/FileInfoPlugin.h"

namespace {

// Names and FourCCs may hold any bytes, NULs included.
std::string someText(FuzzedDataProvider& input, std::size_t longest) {
    return input.ConsumeRandomLengthString(longest);
}

devhost::PlayerModel decodeModel(FuzzedDataProvider& input) {
    devhost::PlayerModel model;
    model.basicPlayback = input.ConsumeIntegralInRange<int>(0, 7) != 0;
    model.videoRendererName = someText(input, 40);
    model.audioRendererName = someText(input, 40);
    const int streams = input.ConsumeIntegralInRange<int>(0, 6);
    for (int i = 0; i < streams; ++i) {
        devhost::PlayerStream stream;
        stream.id = input.ConsumeIntegralInRange<std::uint64_t>(0, 8);
        const std::uint32_t typical[] = {0x11, 0x21, 0x31, 0x10, 0x20, 0x01, 0};
        stream.typeFlags = input.ConsumeBool() ? typical[input.ConsumeIntegralInRange<int>(0, 6)]
                                               : input.ConsumeIntegral<std::uint32_t>();
        stream.fourCC = someText(input, 6);
        stream.formatTag = input.ConsumeBool()
                               ? input.PickValueInArray<std::uint32_t>({1, 85, 65621, 57005, 80})
                               : input.ConsumeIntegral<std::uint32_t>();
        stream.decoderName = someText(input, 40);
        model.streams.push_back(std::move(stream));
    }
    return model;
}

QString textOf(const std::string& bytes) {
    return QString::fromStdString(std::string(bytes.c_str()));
}

// What the player answers for a stream id: the first stream with that id.
const devhost::PlayerStream& answering(const devhost::PlayerModel& model, std::uint64_t id) {
    for (const auto& stream : model.streams) {
        if (stream.id == id) {
            return stream;
        }
    }
    std::abort();
}

const devhost::PlayerStream* firstOfKind(const devhost::PlayerModel& model, std::uint32_t kind) {
    for (const auto& stream : model.streams) {
        if ((stream.typeFlags & 0x01) != 0 && (stream.typeFlags & kind) != 0) {
            return &answering(model, stream.id);
        }
    }
    return nullptr;
}

// The six rows by definition, from the player's answers.
QStringList expectedRows(const devhost::PlayerModel& model) {
    QStringList rows = {"", "", "", "", "", ""};
    if (!model.basicPlayback) {
        return rows;
    }
    rows[0] = textOf(model.videoRendererName);
    rows[3] = textOf(model.audioRendererName);
    if (const devhost::PlayerStream* video = firstOfKind(model, 0x10)) {
        rows[1] = textOf(video->decoderName);
        const std::string fourCC = Vantrel::MediaNameTable::toLowerAscii(video->fourCC.c_str());
        for (const auto& entry : Vantrel::kVideoCodecTable) {
            if (Vantrel::MediaNameTable::toLowerAscii(entry.fourCC) == fourCC) {
                rows[2] = QString::fromUtf8(entry.name);
                break;
            }
        }
    }
    if (const devhost::PlayerStream* audio = firstOfKind(model, 0x20)) {
        rows[4] = textOf(audio->decoderName);
        for (const auto& entry : Vantrel::kAudioFormatTable) {
            if (entry.tag == (audio->formatTag & 0xFFFF)) {
                rows[5] = QString("%1 (Tag %2)").arg(QString::fromUtf8(entry.name)).arg(entry.tag);
                break;
            }
        }
    }
    return rows;
}

}  // namespace

// One host for the whole run, as in the player: the plug-in and its player
// live on, and each input replaces what the player answers.
struct Host {
    std::shared_ptr<devhost::PlayerModel> model = std::make_shared<devhost::PlayerModel>();
    devhost::DevPluginContext context;
    Quarn::Plugin* player = nullptr;
    Vantrel::FileInfoPlugin* plugin = nullptr;
};

Host* host = nullptr;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QApplication application(*argc, *argv);
    static Host running;
    host = &running;
    Quarn::PluginInfo* record = host->context.registerPlugin(
        {Vantrel::InterfaceNames::PlaybackServices, Vantrel::InterfaceNames::AdvancedPlayback},
        [model = host->model](Quarn::PluginContext* c) {
            return new devhost::PlayerPlugin(c, model);
        });
    if (host->context.createPlugin(record, &host->player) != 0) {
        std::abort();
    }
    host->plugin = new Vantrel::FileInfoPlugin(&host->context);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    *host->model = decodeModel(input);
    Vantrel::PubSubHub::publish("Playback.Playing.New");
    if (devhost::WindowRows::of(host->plugin).valueTexts() != expectedRows(*host->model) ||
        host->player->getRefCount() != 3 || !host->plugin->isVisible()) {
        std::abort();
    }
    return 0;
}
