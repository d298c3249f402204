#include "media/MediaNameTable.h"

#include <cstring>

namespace Vantrel {

namespace {

char lowerAscii(char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// Equal after lowering both sides with toLowerAscii, compared byte for byte
// with `text` of `length` bytes, without making either lowered copy.
bool equalsIgnoringAsciiCase(const char* text, std::size_t length, const char* key) {
    if (std::strlen(key) != length) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (lowerAscii(text[i]) != lowerAscii(key[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

MediaNameTable* MediaNameTable::instance() {
    static MediaNameTable shared;
    return &shared;
}

const AudioFormatEntry* MediaNameTable::findAudioFormat(std::uint32_t tag) const {
    const auto wanted = static_cast<std::uint16_t>(tag & 0xFFFFu);
    for (const AudioFormatEntry& entry : kAudioFormatTable) {
        if (entry.tag == wanted) {
            return &entry;
        }
    }
    return nullptr;
}

const VideoCodecEntry* MediaNameTable::findVideoCodec(Quarn::String fourCC) const {
    const char* text = fourCC.data != nullptr ? fourCC.data : "";
    const std::size_t length = std::strlen(text);
    const VideoCodecEntry* found = nullptr;
    for (const VideoCodecEntry& entry : kVideoCodecTable) {
        if (equalsIgnoringAsciiCase(text, length, entry.fourCC)) {
            found = &entry;
            break;
        }
    }
    fourCC.clear();
    return found;
}

std::string MediaNameTable::toLowerAscii(const std::string& text) {
    std::string lowered(text);
    for (char& byte : lowered) {
        byte = lowerAscii(byte);
    }
    return lowered;
}

}  // namespace Vantrel
