#pragma once

#include <memory>

#include "devhost/player/PlayerModel.h"
#include "host/PlaybackInterfaces.h"
#include "plugin/Plugin.h"

namespace devhost {

// The development host's player plug-in: it serves PlaybackServices and
// AdvancedPlayback, and BasicPlayback through the same object, answering
// from a player model that the host may change between messages.
class PlayerPlugin : public Quarn::Plugin,
                     public Vantrel::PlaybackServices,
                     public Vantrel::AdvancedPlayback,
                     public Vantrel::BasicPlayback {
public:
    PlayerPlugin(Quarn::PluginContext* context, std::shared_ptr<const PlayerModel> model);

    std::int32_t queryInterface(const Quarn::String& id, void** out) override;

    // PlaybackServices: how often it was asked, as this player's own value.
    std::int64_t getValue64() override;

    // BasicPlayback. Every answer fills the caller's containers through
    // their own allocators; an unknown stream id leaves them as they were
    // and answers 3, a missing output 1.
    std::int32_t getStreams(Quarn::StreamTypeFilter* filter,
                            Quarn::List<std::uint64_t>* out) override;
    std::int32_t getVideoFourCC(std::uint64_t stream, Quarn::String* out) override;
    std::uint32_t getAudioFormatTag(std::uint64_t stream) override;
    std::int32_t getVideoRendererName(Quarn::String* out) override;
    std::int32_t getVideoDecoderName(std::uint64_t stream, Quarn::String* out) override;
    std::int32_t getAudioRendererName(Quarn::String* out) override;
    std::int32_t getAudioDecoderName(std::uint64_t stream, Quarn::String* out) override;

private:
    const PlayerStream* findStream(std::uint64_t id) const;

    std::shared_ptr<const PlayerModel> model;
    std::int64_t servicesCalls = 0;
};

}  // namespace devhost
