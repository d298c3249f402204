// The refresh: what the information window shows after each playback
// message. Every temporary of a run (strings, stream lists, filters) is owned
// by a local whose destructor frees it through the allocator it carries, so
// any way out of a run releases them.

#include <QLabel>
#include <QTimer>

#include "framework/InterfaceHandle.h"
#include "framework/StreamList.h"
#include "framework/StreamTypeFilter.h"
#include "framework/String.h"
#include "host/PlaybackInterfaces.h"
#include "host/VtlStringTools.h"
#include "media/MediaNameTable.h"
#include "plugin/FileInfoPlugin.h"
#include "plugin/InterfaceIds.h"

namespace Vantrel {

namespace {

enum Row { VideoRender, VideoDecoder, VideoFormat, AudioRender, AudioDecoder, AudioFormat };

// The streams of one kind that the player lists; the filter lives only for
// the call.
void listStreams(BasicPlayback& playback, std::uint32_t kind, Quarn::StreamList& streams) {
    Quarn::STMatchMixedFilter filter(Quarn::StreamTypeRequiredBit, kind);
    playback.getStreams(&filter, &streams);
}

}  // namespace

void FileInfoPlugin::setRow(int row, const std::string& text) {
    valueLabels[row]->setText(VtlStringTools::fromStdStringUTF8(text));
}

void FileInfoPlugin::refreshRows() {
    // Both handles are needed; after a failed acquisition, or once the
    // closed window gave them back, the rows are only emptied.
    const bool connected = playbackServices != nullptr && advancedPlayback != nullptr;
    if (connected) {
        static_cast<PlaybackServices*>(playbackServices->iface)->getValue64();
    }
    for (QLabel* value : valueLabels) {
        value->setText(QString());
    }
    if (!connected) {
        return;
    }

    void* basicInterface = nullptr;
    if (advancedPlayback->plugin->queryInterface(InterfaceIds::BasicPlayback, &basicInterface) !=
            0 ||
        basicInterface == nullptr) {
        return;
    }
    // Borrowed for the run: advancedPlayback holds a reference on its plug-in.
    BasicPlayback& playback = *static_cast<BasicPlayback*>(basicInterface);
    const MediaNameTable& names = *MediaNameTable::instance();

    Quarn::String renderer(nullptr);
    playback.getVideoRendererName(&renderer);
    setRow(VideoRender, renderer.toStdString());

    // Declared in this order so that, on every way out, the audio list is
    // cleared before the video list.
    Quarn::StreamList videoStreams;
    listStreams(playback, Quarn::StreamTypeVideo, videoStreams);
    if (const auto stream = Quarn::firstStream(videoStreams)) {
        {
            Quarn::String fourCC(nullptr);
            playback.getVideoFourCC(*stream, &fourCC);
            if (const VideoCodecEntry* codec = names.findVideoCodec(fourCC)) {
                setRow(VideoFormat, codec->name);
            }
        }
        Quarn::String decoder(nullptr);
        playback.getVideoDecoderName(*stream, &decoder);
        setRow(VideoDecoder, decoder.toStdString());
    }

    // The same string: the player replaces the video renderer's name.
    playback.getAudioRendererName(&renderer);
    setRow(AudioRender, renderer.toStdString());

    Quarn::StreamList audioStreams;
    listStreams(playback, Quarn::StreamTypeAudio, audioStreams);
    if (const auto stream = Quarn::firstStream(audioStreams)) {
        const std::uint32_t tag = playback.getAudioFormatTag(*stream);
        if (const AudioFormatEntry* format = names.findAudioFormat(tag)) {
            valueLabels[AudioFormat]->setText(
                tr("%1 (Tag %2)")
                    .arg(VtlStringTools::fromStdStringUTF8(format->name),
                         QString::number(format->tag)));
        }
        Quarn::String decoder(nullptr);
        playback.getAudioDecoderName(*stream, &decoder);
        setRow(AudioDecoder, decoder.toStdString());
    }

    audioStreams.clear();
    videoStreams.clear();
    renderer.clear();
}

void FileInfoPlugin::showFileInfo() {
    // Invoked by the host's hub: nothing may escape into it.
    if (refreshing) {
        // Delivered from inside a run (a player publishing while it
        // answers): nesting would interleave two runs' rows. The run in
        // progress finishes, and one more, for any number of such messages,
        // follows from the event loop, so the window ends with answers given
        // after the last message.
        try {
            if (!refreshQueued) {
                QTimer::singleShot(0, this, SLOT(showFileInfo()));
                refreshQueued = true;
            }
        } catch (...) {
        }
        return;
    }
    refreshQueued = false;
    refreshing = true;
    // A run that runs out of memory part-way keeps the rows it wrote and does
    // not show the window; its temporaries are already released.
    try {
        refreshRows();
        show();
        raise();
    } catch (...) {
    }
    refreshing = false;
}

}  // namespace Vantrel
