#include "fake_audio_output.h"
#include "sox_wave_files.h"
#include "wave_stream.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

Bytes pattern(std::size_t size) {
    Bytes out(size);
    // Not a multiple of any small period, so that a shifted or repeated byte shows.
    for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>((i * 131 + i / 251) & 0xFF);
    return out;
}

WaveData music(const Bytes& format, const Bytes& samples) {
    WaveData data;
    data.format = format;
    data.samples = samples;
    return data;
}

// Runs the stream on its own thread, as the music manager does.
class StreamThread {
public:
    StreamThread(WaveStream& stream, const WaveData& data, AudioOutput& output)
        : stream_(stream), thread_([&stream, &data, &output] { stream.run(data, output); }) {}
    ~StreamThread() { stop(); }
    void stop() {
        stream_.requestStop();
        if (thread_.joinable()) thread_.join();
    }

private:
    WaveStream& stream_;
    std::thread thread_;
};

void expectLoopedBytes(const FakeStream& stream, const Bytes& samples, std::size_t loop) {
    ASSERT_GT(stream.bytes.size(), 3 * loop) << "too few laps to check";
    for (std::size_t i = 0; i < stream.bytes.size(); ++i) {
        ASSERT_EQ(stream.bytes[i], samples[i % loop]) << "byte " << i << " (lap " << i / loop << ")";
    }
}

}  // namespace

TEST(WaveStream, FillingLoopsTheSamplesWithoutAGapOrAStrayByte) {
    for (std::size_t loop : {1u, 3u, 1000u, 4095u, 4096u, 4097u, 10007u}) {
        SCOPED_TRACE(loop);
        Bytes samples = pattern(loop);
        Bytes played;
        std::size_t position = 0;
        for (int block = 0; block < 12; ++block) {
            Bytes buffer(kStreamBufferBytes, 0xEE);
            position = fillLooped(samples.data(), loop, position, buffer.data(), buffer.size());
            played.insert(played.end(), buffer.begin(), buffer.end());
            EXPECT_EQ(position, played.size() % loop);
        }
        for (std::size_t i = 0; i < played.size(); ++i) {
            ASSERT_EQ(played[i], samples[i % loop]) << "byte " << i;
        }
    }
}

TEST(WaveStream, PlaysTheMusicInALoopThroughFourBuffers) {
    struct Case {
        Bytes format;
        std::size_t size;
        std::size_t loop;  // whole frames only
    };
    const Case cases[] = {
        {pcmFormat(1, 8000, 8), 10007, 10007},
        {pcmFormat(1, 8000, 8), 1000, 1000},                 // shorter than a buffer: repeats inside each
        {pcmFormat(2, 44100, 16), 4 * 1001 + 3, 4 * 1001},  // a torn last frame is left out of the loop
        {pcmFormat(2, 48000, 32, 3), 8 * 700, 8 * 700},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        FakeAudioOutput output;
        WaveStream stream;
        Bytes samples = pattern(c.size);
        WaveData data = music(c.format, samples);
        {
            StreamThread thread(stream, data, output);
            ASSERT_TRUE(output.waitUntil([&](const FakeAudioOutput& o) {
                return !o.streams().empty() && o.streams()[0].bytes.size() > 4 * c.loop + 3 * kStreamBufferBytes;
            }));
        }
        auto streams = output.streams();
        ASSERT_EQ(streams.size(), 1u);
        const FakeStream& played = streams[0];
        expectLoopedBytes(played, samples, c.loop);
        EXPECT_LE(played.mostQueuedAtOnce, kStreamBufferCount);
        EXPECT_FALSE(played.slotQueuedTwice);
        for (std::size_t i = 0; i < played.slots.size(); ++i) {
            ASSERT_EQ(played.slots[i], static_cast<int>(i % kStreamBufferCount));
        }
        EXPECT_TRUE(played.wasReset);
        EXPECT_TRUE(played.closed);
    }
}

TEST(WaveStream, StopTakesEffectWithinOneBuffer) {
    FakeAudioOutput output(FakeAudioOutput::Playback::manual);
    WaveStream stream;
    WaveData data = music(pcmFormat(1, 8000, 8), pattern(50000));
    StreamThread thread(stream, data, output);
    ASSERT_TRUE(output.waitUntil([](const FakeAudioOutput& o) { return o.queuedNow() == kStreamBufferCount; }));

    stream.requestStop();
    // The stream notices the stop when the playing buffer comes back, and not before.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(output.streams()[0].wasReset);
    output.finishOldestBuffer();
    ASSERT_TRUE(output.waitUntil([](const FakeAudioOutput& o) { return o.streams()[0].closed; }));

    FakeStream played = output.streams()[0];
    EXPECT_EQ(played.buffersPlayed, 1u);
    EXPECT_EQ(played.buffersQueued, static_cast<std::size_t>(kStreamBufferCount));  // none after the stop
    EXPECT_TRUE(played.wasReset);
    EXPECT_EQ(output.queuedNow(), 0);
}

TEST(WaveStream, SilenceWhenThereIsNothingToPlayOrTheDeviceRefuses) {
    const Bytes samples = pattern(9000);
    {  // no samples
        FakeAudioOutput output;
        WaveStream stream;
        stream.run(music(pcmFormat(1, 8000, 8), {}), output);
        EXPECT_TRUE(output.streams().empty());
    }
    {  // formats the output cannot play, or no format chunk at all
        for (const Bytes& format : {pcmFormat(2, 44100, 24), pcmFormat(1, 8000, 4, 2), Bytes{}}) {
            FakeAudioOutput output;
            WaveStream stream;
            stream.run(music(format, samples), output);
            EXPECT_TRUE(output.streams().empty());
        }
    }
    {  // less than one whole frame
        FakeAudioOutput output;
        WaveStream stream;
        stream.run(music(pcmFormat(2, 44100, 16), Bytes(3, 1)), output);
        EXPECT_TRUE(output.streams().empty());
    }
    {  // no device, or a device refusing the format
        FakeAudioOutput output;
        output.refuseStreams(true);
        WaveStream stream;
        stream.run(music(pcmFormat(1, 8000, 8), samples), output);
        EXPECT_EQ(output.events(), std::vector<std::string>{});
    }
    {  // a device that fails while playing: the stream ends by itself and closes the device
        FakeAudioOutput output;
        output.refuseBuffersAfter(6);
        WaveStream stream;
        stream.run(music(pcmFormat(1, 8000, 8), samples), output);
        auto streams = output.streams();
        ASSERT_EQ(streams.size(), 1u);
        EXPECT_EQ(streams[0].buffersQueued, 6u);
        EXPECT_TRUE(streams[0].closed);
    }
}
