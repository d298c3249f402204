#include "devhost/player/MediaProbe.h"

#include <cctype>
#include <cstdint>
#include <memory>

#include <QFile>
#include <QFileInfo>

// FFmpeg's headers are C.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
}

#include "devhost/player/SourceFile.h"

namespace devhost {

const char* const MediaProbe::kVideoRenderer = "Devhost Video Output";
const char* const MediaProbe::kAudioRenderer = "Devhost Audio Output";

namespace {

struct InputCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
using Input = std::unique_ptr<AVFormatContext, InputCloser>;

QString describe(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof(text));
    return QString::fromUtf8(text);
}

bool isPrintableFourCC(std::uint32_t tag) {
    for (int shift = 0; shift < 32; shift += 8) {
        const auto byte = static_cast<unsigned char>((tag >> shift) & 0xFF);
        if (byte < 0x20 || byte > 0x7E) {
            return false;
        }
    }
    return true;
}

// Little-endian, as RIFF stores a FourCC: the first character is the low byte.
std::string fourCCText(std::uint32_t tag) {
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) {
        text += static_cast<char>((tag >> shift) & 0xFF);
    }
    return text;
}

// The name of the format the file's first bytes look like, or empty.
QString recognisedFormat(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    QByteArray start = file.read(4096);
    const int size = start.size();
    start.append(QByteArray(AVPROBE_PADDING_SIZE, '\0'));
    AVProbeData probe{};
    probe.filename = "";
    probe.buf = reinterpret_cast<unsigned char*>(start.data());
    probe.buf_size = size;
    const AVInputFormat* format = av_probe_input_format(&probe, 1);
    if (format == nullptr) {
        return QString();
    }
    return QString::fromUtf8(format->long_name != nullptr ? format->long_name : format->name);
}

std::uint32_t riffTag(const AVCodecTag* table, AVCodecID codec) {
    const AVCodecTag* const tables[] = {table, nullptr};
    return av_codec_get_tag(tables, codec);
}

std::string videoFourCC(const AVCodecParameters& codec) {
    if (codec.codec_tag != 0 && isPrintableFourCC(codec.codec_tag)) {
        return fourCCText(codec.codec_tag);
    }
    const std::uint32_t tag = riffTag(avformat_get_riff_video_tags(), codec.codec_id);
    return tag != 0 ? fourCCText(tag) : std::string();
}

std::uint32_t audioFormatTag(const AVCodecParameters& codec) {
    // A WAVE format tag is a 16-bit number; larger tags are the container's
    // FourCCs (MP4's 'mp4a', say), not WAVE tags.
    if (codec.codec_tag != 0 && codec.codec_tag <= 0xFFFF) {
        return codec.codec_tag;
    }
    return riffTag(avformat_get_riff_audio_tags(), codec.codec_id);
}

}  // namespace

std::optional<PlayerModel> MediaProbe::probe(const QString& path, QString& error) {
    error = sourceFileProblem(path, "media file");
    if (!error.isEmpty()) {
        return std::nullopt;
    }
    if (QFileInfo(path).size() == 0) {
        error = "is empty";
        return std::nullopt;
    }

    av_log_set_level(AV_LOG_QUIET);
    AVFormatContext* opened = nullptr;
    const QByteArray name = QFile::encodeName(path);
    int status = avformat_open_input(&opened, name.constData(), nullptr, nullptr);
    if (status < 0) {
        const QString format = recognisedFormat(path);
        if (status != AVERROR_INVALIDDATA) {
            error = "cannot be opened as media: " + describe(status);
        } else if (format.isEmpty()) {
            error = "is not a media file the media library recognises";
        } else {
            error = "looks like " + format + " but is damaged or cut short: " + describe(status);
        }
        return std::nullopt;
    }
    const Input input(opened);
    status = avformat_find_stream_info(input.get(), nullptr);
    if (status < 0) {
        error = "cannot read its streams: " + describe(status);
        return std::nullopt;
    }

    PlayerModel model;
    model.videoRendererName = kVideoRenderer;
    model.audioRendererName = kAudioRenderer;
    for (unsigned index = 0; index < input->nb_streams; ++index) {
        const AVCodecParameters& codec = *input->streams[index]->codecpar;
        if (codec.codec_type != AVMEDIA_TYPE_VIDEO && codec.codec_type != AVMEDIA_TYPE_AUDIO) {
            continue;
        }
        const bool isVideo = codec.codec_type == AVMEDIA_TYPE_VIDEO;
        const AVCodec* decoder = avcodec_find_decoder(codec.codec_id);

        PlayerStream stream;
        stream.id = index;
        stream.typeFlags = (isVideo ? 0x10u : 0x20u) | (decoder != nullptr ? 0x01u : 0u);
        if (isVideo) {
            stream.fourCC = videoFourCC(codec);
        } else {
            stream.formatTag = audioFormatTag(codec);
        }
        if (decoder != nullptr && decoder->long_name != nullptr) {
            stream.decoderName = decoder->long_name;
        }
        model.streams.push_back(std::move(stream));
    }
    if (model.streams.empty()) {
        error = "has no video or audio stream";
        return std::nullopt;
    }
    return model;
}

}  // namespace devhost
