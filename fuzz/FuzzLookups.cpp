// Both name lookups on arbitrary input, checked against their definitions:
// the video lookup answers as lowering both texts and comparing them would,
// the audio lookup as comparing the low 16 bits would.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "media/MediaNameTable.h"

namespace {

const Vantrel::VideoCodecEntry* videoByDefinition(const std::string& text) {
    const std::string lowered = Vantrel::MediaNameTable::toLowerAscii(text);
    for (const auto& entry : Vantrel::kVideoCodecTable) {
        if (Vantrel::MediaNameTable::toLowerAscii(entry.fourCC) == lowered) {
            return &entry;
        }
    }
    return nullptr;
}

const Vantrel::AudioFormatEntry* audioByDefinition(std::uint32_t tag) {
    for (const auto& entry : Vantrel::kAudioFormatTable) {
        if (entry.tag == (tag & 0xFFFF)) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Vantrel::MediaNameTable& table = *Vantrel::MediaNameTable::instance();

    // The input as a counted string: its bytes, NULs included, with a
    // length that covers them all; the text ends at the first NUL.
    Quarn::String fourCC(nullptr);
    fourCC.data = fourCC.allocator->allocate(size + 1);
    std::memcpy(fourCC.data, data, size);
    fourCC.data[size] = '\0';
    fourCC.length = static_cast<std::int32_t>(size);
    const std::string text(fourCC.data);
    if (table.findVideoCodec(fourCC) != videoByDefinition(text)) {
        std::abort();
    }

    std::uint32_t tag = 0;
    std::memcpy(&tag, data, size < sizeof(tag) ? size : sizeof(tag));
    if (table.findAudioFormat(tag) != audioByDefinition(tag)) {
        std::abort();
    }
    return 0;
}
