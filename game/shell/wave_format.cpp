#include "wave_format.h"

#include <cstring>

namespace {

constexpr std::uint16_t kTagPcm = 1;
constexpr std::uint16_t kTagFloat = 3;
constexpr std::uint16_t kTagExtensible = 0xFFFE;

// The tail that every sub-format GUID of the extensible form shares after its leading tag.
constexpr std::uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return u16(b, at) | static_cast<std::uint32_t>(u16(b, at + 2)) << 16;
}

}  // namespace

std::optional<AudioFormat> playableFormat(const std::vector<std::uint8_t>& chunk) {
    if (chunk.size() < 16) return std::nullopt;
    std::uint16_t tag = u16(chunk, 0);
    AudioFormat format;
    format.channels = u16(chunk, 2);
    format.rate = u32(chunk, 4);
    std::uint16_t blockAlign = u16(chunk, 12);
    std::uint16_t bits = u16(chunk, 14);

    if (tag == kTagExtensible) {
        if (chunk.size() < 40 || u16(chunk, 16) < 22) return std::nullopt;
        if (std::memcmp(chunk.data() + 26, kGuidTail, sizeof kGuidTail) != 0) return std::nullopt;
        tag = u16(chunk, 24);
    }

    if (tag == kTagPcm && bits == 8) {
        format.type = SampleType::pcm8;
    } else if (tag == kTagPcm && bits == 16) {
        format.type = SampleType::pcm16;
    } else if (tag == kTagFloat && bits == 32) {
        format.type = SampleType::float32;
    } else {
        return std::nullopt;
    }
    if (format.channels < 1 || format.channels > 2 || format.rate == 0) return std::nullopt;
    // A block size that disagrees with the layout means the data is not laid out as we would play it.
    if (blockAlign != format.frameBytes()) return std::nullopt;
    return format;
}
