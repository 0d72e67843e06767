#include "audio_threads.h"
#include "fake_audio_output.h"
#include "music_files.h"
#include "music_player.h"
#include "stepped_sleep.h"
#include "wave_data.h"
#include "wave_stream.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// Lets a manually played output drain by itself at the end, so that the stream can always stop.
class DrainOnExit {
public:
    explicit DrainOnExit(FakeAudioOutput& output) : output_(output) {}
    ~DrainOnExit() { output_.setPlayback(FakeAudioOutput::Playback::automatic); }

private:
    FakeAudioOutput& output_;
};

std::size_t streamCount(const FakeAudioOutput& output) { return output.streams().size(); }

}  // namespace

TEST(MusicPlayer, LatestRequestWinsAndEveryRequestStartsFromTheBeginning) {
    MusicFiles files;
    FakeAudioOutput output;
    WaveData data;
    WaveStream stream;
    SteppedSleep managerSleep;
    MusicPlayer player(output, data, stream, true, managerSleep.function());
    OpenOnExit openOnExit(managerSleep);
    EXPECT_EQ(MusicPlayer::instance(), &player);
    ASSERT_TRUE(managerSleep.waitParked());

    MusicPlayer::play(files.name('a'));
    MusicPlayer::play(files.name('b'));
    MusicPlayer::play(files.name('c'));
    ASSERT_TRUE(managerSleep.step());
    // Well past the first lap, so that a restart below cannot be mistaken for going on.
    ASSERT_TRUE(output.waitUntil([](const FakeAudioOutput& o) {
        return streamCount(o) == 1 && o.streams()[0].bytes.size() > 2 * MusicFiles::kSize + 5000;
    }));
    EXPECT_TRUE(MusicFiles::startsFromTheBeginning(output.streams()[0].bytes, 'c', 2 * MusicFiles::kSize));

    // The music that is playing, asked for again, starts over.
    MusicPlayer::play(files.name('c'));
    ASSERT_TRUE(managerSleep.step());
    ASSERT_TRUE(output.waitUntil([](const FakeAudioOutput& o) {
        return streamCount(o) == 2 && o.streams()[1].bytes.size() >= kStreamBufferBytes;
    }));
    auto streams = output.streams();
    EXPECT_TRUE(streams[0].closed);
    EXPECT_TRUE(MusicFiles::startsFromTheBeginning(streams[1].bytes, 'c', kStreamBufferBytes));

    // Polls without a request change nothing.
    ASSERT_TRUE(managerSleep.step(3));
    EXPECT_EQ(streamCount(output), 2u);
    for (int ms : managerSleep.sleeps()) EXPECT_EQ(ms, 20);
}

TEST(MusicPlayer, StopSilencesWithinOneBufferAndThePlayAfterStartsAtTheBeginning) {
    MusicFiles files;
    FakeAudioOutput output(FakeAudioOutput::Playback::manual);
    WaveData data;
    WaveStream stream;
    SteppedSleep managerSleep;
    MusicPlayer player(output, data, stream, true, managerSleep.function());
    OpenOnExit openOnExit(managerSleep);
    DrainOnExit drainOnExit(output);
    ASSERT_TRUE(managerSleep.waitParked());

    MusicPlayer::play(files.name('a'));
    ASSERT_TRUE(managerSleep.step());
    ASSERT_TRUE(output.waitUntil([](const FakeAudioOutput& o) { return o.queuedNow() == kStreamBufferCount; }));
    for (int i = 0; i < 6; ++i) {  // play on into the middle of the file
        output.finishOldestBuffer();
        ASSERT_TRUE(output.waitUntil([](const FakeAudioOutput& o) { return o.queuedNow() == kStreamBufferCount; }));
    }
    std::size_t queuedBeforeStop = output.streams()[0].buffersQueued;

    MusicPlayer::stop();
    output.finishOldestBuffer();
    ASSERT_TRUE(output.waitUntil([](const FakeAudioOutput& o) { return o.streams()[0].closed; }));
    EXPECT_EQ(output.streams()[0].buffersQueued, queuedBeforeStop);
    EXPECT_EQ(output.queuedNow(), 0);
    ASSERT_TRUE(managerSleep.step(2));
    EXPECT_EQ(streamCount(output), 1u);  // nothing more until the next play

    MusicPlayer::play(files.name('b'));
    ASSERT_TRUE(managerSleep.step());
    ASSERT_TRUE(output.waitUntil([](const FakeAudioOutput& o) {
        return streamCount(o) == 2 && o.streams()[1].buffersQueued == kStreamBufferCount;
    }));
    EXPECT_TRUE(MusicFiles::startsFromTheBeginning(output.streams()[1].bytes, 'b', 4 * kStreamBufferBytes));
}

TEST(MusicPlayer, AStopWithNoMusicPlayingDoesNotSilenceTheNextPlay) {
    MusicFiles files;
    FakeAudioOutput output;
    WaveData data;
    WaveStream stream;
    SteppedSleep managerSleep;
    MusicPlayer player(output, data, stream, true, managerSleep.function());
    OpenOnExit openOnExit(managerSleep);
    ASSERT_TRUE(managerSleep.waitParked());
    MusicPlayer::stop();
    EXPECT_TRUE(stream.stopRequested());
    MusicPlayer::play(files.name('a'));
    ASSERT_TRUE(managerSleep.step());
    ASSERT_TRUE(output.waitUntil([](const FakeAudioOutput& o) {
        return streamCount(o) == 1 && o.streams()[0].buffersQueued > 2 * kStreamBufferCount;
    }));
    EXPECT_FALSE(output.streams()[0].closed);
}

TEST(MusicPlayer, AFileThatCannotBePlayedStopsTheOldMusicAndGivesSilence) {
    MusicFiles files;
    FakeAudioOutput output;
    WaveData data;
    WaveStream stream;
    SteppedSleep managerSleep;
    MusicPlayer player(output, data, stream, true, managerSleep.function());
    OpenOnExit openOnExit(managerSleep);
    ASSERT_TRUE(managerSleep.waitParked());

    MusicPlayer::play(files.name('a'));
    ASSERT_TRUE(managerSleep.step());
    ASSERT_TRUE(output.waitUntil([](const FakeAudioOutput& o) { return streamCount(o) == 1; }));

    MusicPlayer::play(files.missing());
    ASSERT_TRUE(managerSleep.step());
    EXPECT_TRUE(output.streams()[0].closed);
    EXPECT_TRUE(data.samples.empty());
    MusicPlayer::play(files.unplayable());
    ASSERT_TRUE(managerSleep.step(2));
    EXPECT_EQ(streamCount(output), 1u);

    // A device that refuses: silence too, and the next request is tried afresh.
    output.refuseStreams(true);
    MusicPlayer::play(files.name('b'));
    ASSERT_TRUE(managerSleep.step());
    ASSERT_TRUE(output.waitUntil([](const FakeAudioOutput& o) { return o.streamRequests() == 2; }));
    EXPECT_EQ(streamCount(output), 1u);
    output.refuseStreams(false);
    MusicPlayer::play(files.name('b'));
    ASSERT_TRUE(managerSleep.step());
    ASSERT_TRUE(output.waitUntil([](const FakeAudioOutput& o) {
        return streamCount(o) == 2 && o.streams()[1].bytes.size() >= kStreamBufferBytes;
    }));
    EXPECT_TRUE(MusicFiles::startsFromTheBeginning(output.streams()[1].bytes, 'b', kStreamBufferBytes));
}

TEST(MusicPlayer, MusicSwitchedOffStartsNoThreadAndIgnoresEveryRequest) {
    MusicFiles files;
    FakeAudioOutput output;
    WaveData data;
    WaveStream stream;
    {
        MusicPlayer player(output, data, stream, false);
        EXPECT_FALSE(player.managerRunning());
        EXPECT_EQ(threadsNamed("music manager"), 0);
        MusicPlayer::play(files.name('a'));
        MusicPlayer::stop();
        EXPECT_FALSE(stream.stopRequested());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_TRUE(output.streams().empty());
        EXPECT_TRUE(player.shutdown(std::chrono::milliseconds(0)));
    }
    {
        MusicPlayer player(output, data, stream, true);
        EXPECT_TRUE(player.managerRunning());
        EXPECT_EQ(threadsNamed("music manager"), 1);
    }
    EXPECT_EQ(MusicPlayer::instance(), nullptr);
}
