#include "devhost/player/PlayerPlugin.h"

#include <utility>

#include "framework/ListEditing.h"
#include "framework/StringFill.h"
#include "host/InterfaceNames.h"

namespace devhost {

namespace {

std::int32_t answer(Quarn::String* out, const std::string& text) {
    if (out == nullptr) {
        return 1;
    }
    Quarn::fillString(*out, text);
    return 0;
}

}  // namespace

PlayerPlugin::PlayerPlugin(Quarn::PluginContext* context, std::shared_ptr<const PlayerModel> model)
    : Quarn::Plugin(context), model(std::move(model)) {}

std::int32_t PlayerPlugin::queryInterface(const Quarn::String& id, void** out) {
    *out = nullptr;
    if (id.equals(Vantrel::InterfaceNames::PlaybackServices)) {
        *out = static_cast<Vantrel::PlaybackServices*>(this);
    } else if (id.equals(Vantrel::InterfaceNames::AdvancedPlayback)) {
        *out = static_cast<Vantrel::AdvancedPlayback*>(this);
    } else if (id.equals(Vantrel::InterfaceNames::BasicPlayback) && model->basicPlayback) {
        *out = static_cast<Vantrel::BasicPlayback*>(this);
    }
    return *out != nullptr ? 0 : 3;
}

std::int64_t PlayerPlugin::getValue64() {
    return ++servicesCalls;
}

const PlayerStream* PlayerPlugin::findStream(std::uint64_t id) const {
    for (const PlayerStream& stream : model->streams) {
        if (stream.id == id) {
            return &stream;
        }
    }
    return nullptr;
}

std::int32_t PlayerPlugin::getStreams(Quarn::StreamTypeFilter* filter,
                                      Quarn::List<std::uint64_t>* out) {
    if (filter == nullptr || out == nullptr) {
        return 1;
    }
    for (const PlayerStream& stream : model->streams) {
        if (filter->match(stream.id, stream.typeFlags)) {
            Quarn::appendToList(*out, stream.id);
        }
    }
    return 0;
}

std::int32_t PlayerPlugin::getVideoFourCC(std::uint64_t stream, Quarn::String* out) {
    const PlayerStream* found = findStream(stream);
    return found != nullptr ? answer(out, found->fourCC) : 3;
}

std::uint32_t PlayerPlugin::getAudioFormatTag(std::uint64_t stream) {
    const PlayerStream* found = findStream(stream);
    return found != nullptr ? found->formatTag : 0;
}

std::int32_t PlayerPlugin::getVideoRendererName(Quarn::String* out) {
    return answer(out, model->videoRendererName);
}

std::int32_t PlayerPlugin::getVideoDecoderName(std::uint64_t stream, Quarn::String* out) {
    const PlayerStream* found = findStream(stream);
    return found != nullptr ? answer(out, found->decoderName) : 3;
}

std::int32_t PlayerPlugin::getAudioRendererName(Quarn::String* out) {
    return answer(out, model->audioRendererName);
}

std::int32_t PlayerPlugin::getAudioDecoderName(std::uint64_t stream, Quarn::String* out) {
    const PlayerStream* found = findStream(stream);
    return found != nullptr ? answer(out, found->decoderName) : 3;
}

}  // namespace devhost
