#include "audio_system.h"
#include "config_file.h"
#include "audio_threads.h"
#include "fake_audio_output.h"
#include "music_files.h"
#include "music_player.h"
#include "sound_effects.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

SoundSettings settings(bool se, bool bgm) {
    SoundSettings s;
    s.seEnabled = se;
    s.bgmEnabled = bgm;
    return s;
}

std::ptrdiff_t indexOf(const std::vector<std::string>& events, const std::string& event) {
    auto found = std::find(events.begin(), events.end(), event);
    return found == events.end() ? -1 : found - events.begin();
}

}  // namespace

TEST(AudioSystem, SoundTxtSwitchesEffectsAndMusic) {
    auto read = [](const std::string& text) { return readSoundSettings(ConfigFile::fromText(text)); };
    SoundSettings none = read("");
    EXPECT_TRUE(none.seEnabled);
    EXPECT_TRUE(none.bgmEnabled);
    SoundSettings off = read("se_enable=0\nbgm_enable=0\n");
    EXPECT_FALSE(off.seEnabled);
    EXPECT_FALSE(off.bgmEnabled);
    SoundSettings onlyMusicOff = read("# sound\r\nbgm_enable=0\r\n");
    EXPECT_TRUE(onlyMusicOff.seEnabled);
    EXPECT_FALSE(onlyMusicOff.bgmEnabled);
    // Values other than 0 and 1, and keys with spaces, leave the default.
    SoundSettings odd = read("se_enable=no\nbgm_enable = 0\nbgm_enable =0\n");
    EXPECT_TRUE(odd.seEnabled);
    EXPECT_TRUE(odd.bgmEnabled);
    SoundSettings two = read("se_enable=2\nbgm_enable=1\n");
    EXPECT_TRUE(two.seEnabled);
    EXPECT_TRUE(two.bgmEnabled);
    // The first of two lines counts.
    EXPECT_FALSE(read("se_enable=0\nse_enable=1\n").seEnabled);
    // A missing file: both on.
    SoundSettings missing = readSoundSettings(ConfigFile("no\\such\\folder\\sound.txt"));
    EXPECT_TRUE(missing.seEnabled);
    EXPECT_TRUE(missing.bgmEnabled);
}

TEST(AudioSystem, StartsItsThreadsAndEndsMusicBeforeEffects) {
    MusicFiles files;
    FakeAudioOutput observer;
    {
        AudioSystem audio(settings(true, true), std::make_unique<FakeAudioOutput>(observer));
        EXPECT_EQ(threadsNamed("sound effects"), 1);
        EXPECT_EQ(threadsNamed("music manager"), 1);
        ASSERT_NE(SoundEffects::instance(), nullptr);
        ASSERT_NE(MusicPlayer::instance(), nullptr);
        MusicPlayer::play(files.name('a'));
        SoundEffects::play(files.name('b'));
        ASSERT_TRUE(observer.waitUntil([](const FakeAudioOutput& o) {
            return !o.effects().empty() && !o.streams().empty() && o.streams()[0].buffersQueued > 4;
        }));
    }
    EXPECT_EQ(SoundEffects::instance(), nullptr);
    EXPECT_EQ(MusicPlayer::instance(), nullptr);
    EXPECT_EQ(audioThreads(), 0);
    auto events = observer.events();
    ASSERT_GE(indexOf(events, "close"), 0);
    EXPECT_LT(indexOf(events, "close"), indexOf(events, "stop effect"));
    EXPECT_EQ(events.back(), "stop effect");
}

TEST(AudioSystem, SwitchedOffParts) {
    MusicFiles files;
    {  // music off: no manager thread, nothing streamed
        FakeAudioOutput observer;
        {
            AudioSystem audio(settings(true, false), std::make_unique<FakeAudioOutput>(observer));
            EXPECT_EQ(threadsNamed("sound effects"), 1);
            EXPECT_EQ(threadsNamed("music manager"), 0);
            MusicPlayer::play(files.name('a'));
            SoundEffects::play(files.name('b'));
            ASSERT_TRUE(observer.waitUntil([](const FakeAudioOutput& o) { return !o.effects().empty(); }));
        }
        EXPECT_TRUE(observer.streams().empty());
    }
    {  // effects off: the effect thread runs idle and is still stopped at the end
        FakeAudioOutput observer;
        {
            AudioSystem audio(settings(false, true), std::make_unique<FakeAudioOutput>(observer));
            EXPECT_EQ(threadsNamed("sound effects"), 1);
            EXPECT_EQ(threadsNamed("music manager"), 1);
            SoundEffects::play(files.name('b'));
            MusicPlayer::play(files.name('a'));
            ASSERT_TRUE(observer.waitUntil([](const FakeAudioOutput& o) { return !o.streams().empty(); }));
        }
        EXPECT_TRUE(observer.effects().empty());
        EXPECT_EQ(audioThreads(), 0);
    }
}

TEST(AudioSystem, AStuckDeviceDoesNotHoldUpTheEnd) {
    MusicFiles files;
    // Buffers that never come back: the stream cannot end, nor the manager waiting for it.
    FakeAudioOutput observer(FakeAudioOutput::Playback::manual);
    auto start = std::chrono::steady_clock::now();
    {
        AudioSystem audio(settings(true, true), std::make_unique<FakeAudioOutput>(observer));
        MusicPlayer::play(files.name('a'));
        ASSERT_TRUE(observer.waitUntil([](const FakeAudioOutput& o) { return o.queuedNow() == 4; }));
        start = std::chrono::steady_clock::now();
    }
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(1000));  // the manager had its second
    // Each of the two threads is given one second, so the end comes after two at most once the stuck
    // one is let go. Ten leaves room for a loaded machine and the sanitizer build, while an end that
    // waited for the device (or much longer than it should) fails here.
    EXPECT_LT(waited, std::chrono::seconds(10)) << "the end waited for the stuck device";
    auto events = observer.events();
    EXPECT_EQ(indexOf(events, "close"), -1);  // the stuck stream was left alone, its memory intact
    EXPECT_EQ(events.back(), "stop effect");   // and the effects still ended in order
    EXPECT_EQ(MusicPlayer::instance(), nullptr);
}
