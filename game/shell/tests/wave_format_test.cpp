#include "sox_wave_files.h"
#include "wave_format.h"

#include <gtest/gtest.h>

namespace {

Bytes extensible(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::uint16_t subTag) {
    Bytes out = pcmFormat(channels, rate, bits, 0xFFFE);
    putU16(out, 22);    // extra bytes
    putU16(out, bits);  // valid bits
    putU32(out, channels == 2 ? 3 : 4);
    putU16(out, subTag);
    const std::uint8_t tail[14] = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    out.insert(out.end(), tail, tail + 14);
    return out;
}

}  // namespace

TEST(WaveFormat, MapsPlayableLayoutsAndRejectsTheRest) {
    struct Case {
        Bytes chunk;
        bool playable;
        SampleType type;
        std::uint16_t channels;
    };
    const Case cases[] = {
        {pcmFormat(1, 8000, 8), true, SampleType::pcm8, 1},
        {pcmFormat(2, 11025, 8), true, SampleType::pcm8, 2},
        {pcmFormat(1, 44100, 16), true, SampleType::pcm16, 1},
        {pcmFormat(2, 96000, 16), true, SampleType::pcm16, 2},
        {pcmFormat(2, 48000, 32, 3), true, SampleType::float32, 2},
        {extensible(2, 44100, 16, 1), true, SampleType::pcm16, 2},
        {extensible(1, 44100, 32, 3), true, SampleType::float32, 1},
        {pcmFormat(1, 8000, 4, 2), false, {}, 0},       // ADPCM
        {pcmFormat(2, 44100, 24), false, {}, 0},        // 24-bit PCM
        {pcmFormat(2, 44100, 32), false, {}, 0},        // 32-bit integer PCM
        {pcmFormat(1, 44100, 64, 3), false, {}, 0},     // double precision
        {pcmFormat(3, 44100, 16), false, {}, 0},        // three channels
        {pcmFormat(0, 44100, 16), false, {}, 0},        // no channels
        {pcmFormat(1, 0, 16), false, {}, 0},            // no rate
        {extensible(2, 44100, 16, 2), false, {}, 0},    // extensible ADPCM
    };
    for (const Case& c : cases) {
        auto format = playableFormat(c.chunk);
        ASSERT_EQ(format.has_value(), c.playable) << "tag " << (c.chunk[0] | c.chunk[1] << 8);
        if (!format) continue;
        EXPECT_EQ(format->type, c.type);
        EXPECT_EQ(format->channels, c.channels);
        EXPECT_EQ(format->rate, static_cast<std::uint32_t>(c.chunk[4] | c.chunk[5] << 8 | c.chunk[6] << 16));
    }

    // Damaged chunks: too short, a block size that disagrees with the layout, a wrong GUID.
    EXPECT_FALSE(playableFormat(Bytes(15, 0)).has_value());
    EXPECT_FALSE(playableFormat(Bytes{}).has_value());
    Bytes wrongBlock = pcmFormat(2, 44100, 16);
    wrongBlock[12] = 3;
    EXPECT_FALSE(playableFormat(wrongBlock).has_value());
    Bytes wrongGuid = extensible(2, 44100, 16, 1);
    wrongGuid.back() ^= 0xFF;
    EXPECT_FALSE(playableFormat(wrongGuid).has_value());
    Bytes shortExtensible = extensible(2, 44100, 16, 1);
    shortExtensible.resize(30);
    EXPECT_FALSE(playableFormat(shortExtensible).has_value());
}
