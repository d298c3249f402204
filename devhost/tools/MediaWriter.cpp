#include "devhost/tools/MediaWriter.h"

#include <cmath>
#include <memory>
#include <stdexcept>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
}

namespace devhost {

namespace {

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void check(int status, const std::string& step) {
    if (status < 0) {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(status, text, sizeof(text));
        throw Failure(step + ": " + text);
    }
}

struct CodecFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct OutputFree {
    void operator()(AVFormatContext* f) const {
        if (f->pb != nullptr) {
            avio_closep(&f->pb);
        }
        avformat_free_context(f);
    }
};

using Codec = std::unique_ptr<AVCodecContext, CodecFree>;
using Frame = std::unique_ptr<AVFrame, FrameFree>;
using Packet = std::unique_ptr<AVPacket, PacketFree>;
using Output = std::unique_ptr<AVFormatContext, OutputFree>;

struct Track {
    Codec codec;
    AVStream* stream = nullptr;
    std::int64_t nextPts = 0;
    std::int64_t endPts = 0;  // one second in the codec's time base
};

std::uint32_t tagOf(const std::string& fourCC) {
    if (fourCC.size() != 4) {
        return 0;
    }
    return MKTAG(fourCC[0], fourCC[1], fourCC[2], fourCC[3]);
}

Codec openEncoder(const std::string& name) {
    const AVCodec* encoder = avcodec_find_encoder_by_name(name.c_str());
    if (encoder == nullptr) {
        throw Failure("no encoder named " + name);
    }
    Codec codec(avcodec_alloc_context3(encoder));
    if (!codec) {
        throw Failure("out of memory");
    }
    return codec;
}

Track addVideo(AVFormatContext* output, const MediaRecipe::Video& recipe) {
    Track track;
    track.codec = openEncoder(recipe.encoder);
    AVCodecContext* c = track.codec.get();
    c->width = 64;
    c->height = 48;
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->time_base = AVRational{1, 25};
    c->framerate = AVRational{25, 1};
    c->gop_size = 12;
    c->bit_rate = 100000;
    if (output->oformat->flags & AVFMT_GLOBALHEADER) {
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    check(avcodec_open2(c, c->codec, nullptr), "opening the video encoder");
    track.stream = avformat_new_stream(output, nullptr);
    check(avcodec_parameters_from_context(track.stream->codecpar, c), "video parameters");
    track.stream->time_base = c->time_base;
    track.stream->codecpar->codec_tag = tagOf(recipe.fourCC);
    track.endPts = 25;
    return track;
}

Track addAudio(AVFormatContext* output, const MediaRecipe::Audio& recipe) {
    Track track;
    track.codec = openEncoder(recipe.encoder);
    AVCodecContext* c = track.codec.get();
    c->sample_fmt = c->codec->sample_fmts != nullptr ? c->codec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
    c->sample_rate = recipe.sampleRate;
    av_channel_layout_default(&c->ch_layout, 1);
    c->bit_rate = 64000;
    c->time_base = AVRational{1, recipe.sampleRate};
    if (output->oformat->flags & AVFMT_GLOBALHEADER) {
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    check(avcodec_open2(c, c->codec, nullptr), "opening the audio encoder");
    track.stream = avformat_new_stream(output, nullptr);
    check(avcodec_parameters_from_context(track.stream->codecpar, c), "audio parameters");
    track.stream->time_base = c->time_base;
    track.endPts = recipe.sampleRate;
    return track;
}

Frame nextVideoFrame(Track& track) {
    AVCodecContext* c = track.codec.get();
    Frame frame(av_frame_alloc());
    frame->format = c->pix_fmt;
    frame->width = c->width;
    frame->height = c->height;
    check(av_frame_get_buffer(frame.get(), 0), "a video frame");
    const auto t = static_cast<int>(track.nextPts);
    for (int y = 0; y < c->height; ++y) {
        for (int x = 0; x < c->width; ++x) {
            frame->data[0][y * frame->linesize[0] + x] = static_cast<std::uint8_t>(x + y + t * 3);
        }
    }
    for (int y = 0; y < c->height / 2; ++y) {
        for (int x = 0; x < c->width / 2; ++x) {
            frame->data[1][y * frame->linesize[1] + x] = static_cast<std::uint8_t>(128 + y + t * 2);
            frame->data[2][y * frame->linesize[2] + x] = static_cast<std::uint8_t>(64 + x + t * 5);
        }
    }
    frame->pts = track.nextPts++;
    return frame;
}

Frame nextAudioFrame(Track& track) {
    AVCodecContext* c = track.codec.get();
    Frame frame(av_frame_alloc());
    frame->format = c->sample_fmt;
    frame->nb_samples = c->frame_size > 0 ? c->frame_size : 1024;
    frame->sample_rate = c->sample_rate;
    check(av_channel_layout_copy(&frame->ch_layout, &c->ch_layout), "a channel layout");
    check(av_frame_get_buffer(frame.get(), 0), "an audio frame");
    for (int i = 0; i < frame->nb_samples; ++i) {
        const double value =
            0.2 *
            std::sin(2 * M_PI * 440.0 * static_cast<double>(track.nextPts + i) / c->sample_rate);
        switch (c->sample_fmt) {
            case AV_SAMPLE_FMT_S16:
            case AV_SAMPLE_FMT_S16P:
                reinterpret_cast<std::int16_t*>(frame->data[0])[i] =
                    static_cast<std::int16_t>(value * 32767);
                break;
            case AV_SAMPLE_FMT_FLT:
            case AV_SAMPLE_FMT_FLTP:
                reinterpret_cast<float*>(frame->data[0])[i] = static_cast<float>(value);
                break;
            case AV_SAMPLE_FMT_S32:
            case AV_SAMPLE_FMT_S32P:
                reinterpret_cast<std::int32_t*>(frame->data[0])[i] =
                    static_cast<std::int32_t>(value * 2147483647.0);
                break;
            default:
                throw Failure("unexpected sample format");
        }
    }
    frame->pts = track.nextPts;
    track.nextPts += frame->nb_samples;
    return frame;
}

// Sends one frame (null: flush) and writes every packet that comes out.
void encode(AVFormatContext* output, Track& track, AVFrame* frame) {
    check(avcodec_send_frame(track.codec.get(), frame), "encoding");
    Packet packet(av_packet_alloc());
    while (true) {
        const int status = avcodec_receive_packet(track.codec.get(), packet.get());
        if (status == AVERROR(EAGAIN) || status == AVERROR_EOF) {
            return;
        }
        check(status, "encoding");
        av_packet_rescale_ts(packet.get(), track.codec->time_base, track.stream->time_base);
        packet->stream_index = track.stream->index;
        check(av_interleaved_write_frame(output, packet.get()), "writing");
    }
}

}  // namespace

bool writeMedia(const std::string& path, const MediaRecipe& recipe, std::string& error) {
    try {
        AVFormatContext* made = nullptr;
        check(
            avformat_alloc_output_context2(&made, nullptr, recipe.container.c_str(), path.c_str()),
            "the " + recipe.container + " muxer");
        Output output(made);

        std::vector<Track> tracks;
        if (recipe.video) {
            tracks.push_back(addVideo(output.get(), *recipe.video));
        }
        if (recipe.audio) {
            tracks.push_back(addAudio(output.get(), *recipe.audio));
        }
        check(avio_open(&output->pb, path.c_str(), AVIO_FLAG_WRITE), "opening " + path);
        check(avformat_write_header(output.get(), nullptr), "writing the header");

        // Interleave: always feed the track that is furthest behind.
        while (true) {
            Track* behind = nullptr;
            for (Track& track : tracks) {
                if (track.nextPts < track.endPts &&
                    (behind == nullptr ||
                     av_compare_ts(track.nextPts, track.codec->time_base, behind->nextPts,
                                   behind->codec->time_base) < 0)) {
                    behind = &track;
                }
            }
            if (behind == nullptr) {
                break;
            }
            const bool isVideo = behind->codec->codec_type == AVMEDIA_TYPE_VIDEO;
            Frame frame = isVideo ? nextVideoFrame(*behind) : nextAudioFrame(*behind);
            encode(output.get(), *behind, frame.get());
        }
        for (Track& track : tracks) {
            encode(output.get(), track, nullptr);
        }
        check(av_write_trailer(output.get()), "writing the trailer");
        return true;
    } catch (const Failure& failure) {
        error = failure.what();
        return false;
    }
}

}  // namespace devhost
