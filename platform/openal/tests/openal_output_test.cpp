// The OpenAL backend on OpenAL Soft's null driver: a real mixer that plays in real time into nothing.

#include "platform/openal/openal_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

class NullDriver : public ::testing::Environment {
public:
    void SetUp() override { setenv("ALSOFT_DRIVERS", "null", 1); }
};
[[maybe_unused]] auto* const kDriver = ::testing::AddGlobalTestEnvironment(new NullDriver);

constexpr std::size_t kBuffer = 4096;

AudioFormat format(SampleType type, std::uint16_t channels, std::uint32_t rate) {
    AudioFormat f;
    f.type = type;
    f.channels = channels;
    f.rate = rate;
    return f;
}

// Polls the way the stream thread does; false if the slot is still queued after the limit.
bool waitUntilBack(StreamVoice& voice, int slot, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (voice.isQueued(slot)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace

TEST(OpenAlOutput, StreamQueuesPlaysAndHandsBuffersBack) {
    auto output = makeOpenAlOutput();
    auto voice = output->openStream(format(SampleType::pcm16, 2, 44100));
    ASSERT_NE(voice, nullptr) << "the null driver should give a device";
    std::vector<std::uint8_t> block(kBuffer, 0);

    for (int slot = 0; slot < 4; ++slot) ASSERT_TRUE(voice->queue(slot, block.data(), block.size()));
    EXPECT_TRUE(voice->isQueued(3));
    EXPECT_FALSE(voice->queue(3, block.data(), block.size())) << "a slot in the queue cannot be queued again";
    // Played in order: the first comes back first, and then, in time, the last.
    ASSERT_TRUE(waitUntilBack(*voice, 0));
    ASSERT_TRUE(waitUntilBack(*voice, 3));

    // After the queue ran dry, a new buffer plays again (the source restarts by itself).
    ASSERT_TRUE(voice->queue(1, block.data(), block.size()));
    EXPECT_TRUE(voice->isQueued(1));
    ASSERT_TRUE(waitUntilBack(*voice, 1));

    // A reset hands everything back at once.
    for (int slot = 0; slot < 4; ++slot) ASSERT_TRUE(voice->queue(slot, block.data(), block.size()));
    voice->reset();
    for (int slot = 0; slot < 4; ++slot) EXPECT_FALSE(voice->isQueued(slot));
    EXPECT_TRUE(voice->queue(0, block.data(), block.size()));
}

TEST(OpenAlOutput, PlaysEveryLayoutTheGameReads) {
    auto output = makeOpenAlOutput();
    const AudioFormat layouts[] = {
        format(SampleType::pcm8, 1, 8000),      format(SampleType::pcm8, 2, 11025),
        format(SampleType::pcm16, 1, 22050),    format(SampleType::pcm16, 2, 96000),
        format(SampleType::float32, 1, 44100),  format(SampleType::float32, 2, 48000),
    };
    std::vector<std::uint8_t> bytes(kBuffer, 128);
    for (const AudioFormat& layout : layouts) {
        SCOPED_TRACE(layout.frameBytes());
        EXPECT_TRUE(output->playEffect(layout, bytes.data(), bytes.size()));
        auto voice = output->openStream(layout);
        ASSERT_NE(voice, nullptr);
        EXPECT_TRUE(voice->queue(0, bytes.data(), bytes.size()));
    }
    output->stopEffect();
    // Two streams at once (the old one not yet closed) share the device without harm.
    auto first = output->openStream(format(SampleType::pcm16, 2, 44100));
    auto second = output->openStream(format(SampleType::pcm16, 2, 44100));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(first->queue(0, bytes.data(), bytes.size()));
    EXPECT_TRUE(second->queue(0, bytes.data(), bytes.size()));
}
