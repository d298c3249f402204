#pragma once

#include <functional>
#include <string>
#include <vector>

#include "devhost/player/PlayerModel.h"
#include "framework/ListEditing.h"
#include "framework/StringFill.h"
#include "host/InterfaceNames.h"
#include "host/PlaybackInterfaces.h"
#include "plugin/Plugin.h"
#include "tests/support/CountingAllocator.h"

namespace testsupport {

// A player that writes down every call it receives, with its arguments, and
// answers from a model. It fills the caller's strings and lists from counting
// allocators of its own, which it installs in each empty container it is
// handed, so a test can see that the caller frees every block through the
// allocator the container carries.
class RecordingPlayer : public Quarn::Plugin,
                        public Vantrel::PlaybackServices,
                        public Vantrel::AdvancedPlayback,
                        public Vantrel::BasicPlayback {
public:
    RecordingPlayer(Quarn::PluginContext* context, devhost::PlayerModel model)
        : Quarn::Plugin(context), model(std::move(model)) {}

    std::int32_t queryInterface(const Quarn::String& id, void** out) override {
        *out = nullptr;
        const std::string name = id.toStdString();
        if (name == Vantrel::InterfaceNames::BasicPlayback) {
            log("queryInterface(BasicPlayback)");
            if (model.basicPlayback) {
                *out = static_cast<Vantrel::BasicPlayback*>(this);
            }
        } else if (name == Vantrel::InterfaceNames::PlaybackServices) {
            *out = static_cast<Vantrel::PlaybackServices*>(this);
        } else if (name == Vantrel::InterfaceNames::AdvancedPlayback) {
            *out = static_cast<Vantrel::AdvancedPlayback*>(this);
        }
        return *out != nullptr ? 0 : 3;
    }

    std::int64_t getValue64() override {
        log("getValue64()");
        return 42;
    }

    std::int32_t getStreams(Quarn::StreamTypeFilter* filter,
                            Quarn::List<std::uint64_t>* out) override {
        log("getStreams(" + std::string(isEmpty(*out) ? "empty list" : "FILLED LIST") + ")");
        adopt(*out);
        for (const devhost::PlayerStream& stream : model.streams) {
            if (filter->match(stream.id, stream.typeFlags)) {
                Quarn::appendToList(*out, stream.id);
            }
        }
        out->count += overstateCount;
        return 0;
    }

    std::int32_t getVideoFourCC(std::uint64_t stream, Quarn::String* out) override {
        log("getVideoFourCC(" + std::to_string(stream) + ", " + describe(*out) + ")");
        return fill(*out, find(stream).fourCC);
    }

    std::uint32_t getAudioFormatTag(std::uint64_t stream) override {
        log("getAudioFormatTag(" + std::to_string(stream) + ")");
        return find(stream).formatTag;
    }

    std::int32_t getVideoRendererName(Quarn::String* out) override {
        log("getVideoRendererName(" + describe(*out) + ")");
        return fill(*out, model.videoRendererName);
    }

    std::int32_t getVideoDecoderName(std::uint64_t stream, Quarn::String* out) override {
        log("getVideoDecoderName(" + std::to_string(stream) + ", " + describe(*out) + ")");
        return fill(*out, find(stream).decoderName);
    }

    std::int32_t getAudioRendererName(Quarn::String* out) override {
        log("getAudioRendererName(" + describe(*out) + ")");
        return fill(*out, model.audioRendererName);
    }

    std::int32_t getAudioDecoderName(std::uint64_t stream, Quarn::String* out) override {
        log("getAudioDecoderName(" + std::to_string(stream) + ", " + describe(*out) + ")");
        return fill(*out, find(stream).decoderName);
    }

    devhost::PlayerModel model;
    // Added to each stream list's count: a player whose count says more
    // than its chain holds.
    std::uint32_t overstateCount = 0;
    std::vector<std::string> calls;
    // Called at every call, before it is answered.
    std::function<void(const std::string&)> onCall;
    CountingAllocator<char> strings;
    CountingAllocator<Quarn::Node<std::uint64_t>> nodes;

private:
    void log(const std::string& call) {
        calls.push_back(call);
        if (onCall) {
            onCall(call);
        }
    }

    static bool isEmpty(const Quarn::List<std::uint64_t>& list) {
        return list.head == nullptr && list.count == 0;
    }

    static std::string describe(const Quarn::String& s) {
        return s.data == nullptr ? "empty" : "holding '" + s.toStdString() + "'";
    }

    const devhost::PlayerStream& find(std::uint64_t id) const {
        for (const devhost::PlayerStream& stream : model.streams) {
            if (stream.id == id) {
                return stream;
            }
        }
        static const devhost::PlayerStream none;
        return none;
    }

    std::int32_t fill(Quarn::String& out, const std::string& text) {
        if (out.data == nullptr) {
            out.allocator = &strings;
        }
        Quarn::fillString(out, text);
        return 0;
    }

    void adopt(Quarn::List<std::uint64_t>& out) {
        if (isEmpty(out)) {
            out.allocator = &nodes;
        }
    }
};

}  // namespace testsupport
