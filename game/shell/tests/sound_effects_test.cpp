#include "fake_audio_output.h"
#include "sound_effects.h"
#include "sox_wave_files.h"
#include "stepped_sleep.h"

#include <gtest/gtest.h>

#include <deque>
#include <numeric>

namespace {

// Effect files whose samples tell them apart: every byte of a file is its letter.
class EffectFiles {
public:
    EffectFiles() {
        for (char letter : std::string("abc")) {
            Bytes samples(100 + 50 * (letter - 'a'), static_cast<std::uint8_t>(letter));
            writeBytes(path(letter), riffWave({chunk("fmt ", pcmFormat(1, 8000, 8)), chunk("data", samples)}));
        }
        writeBytes(folder_.path("deep.wav"),
                   riffWave({chunk("fmt ", pcmFormat(1, 8000, 24)), chunk("data", Bytes(300, 1))}));
    }
    const char* name(char letter) {
        names_.push_back(path(letter));
        return names_.back().c_str();
    }
    const char* unplayable() { return keep(folder_.path("deep.wav")); }
    const char* missing() { return keep(folder_.path("missing.wav")); }

private:
    std::string path(char letter) const { return folder_.path(std::string(1, letter) + ".wav"); }
    const char* keep(std::string path) {
        names_.push_back(std::move(path));
        return names_.back().c_str();
    }
    TempFolder folder_;
    std::deque<std::string> names_;  // the effects keep the callers' pointers, so the names must stay put
};

char letterOf(const FakeEffect& effect) { return effect.bytes.empty() ? '?' : static_cast<char>(effect.bytes[0]); }

std::string playedLetters(const FakeAudioOutput& output) {
    std::string letters;
    for (const FakeEffect& effect : output.effects()) letters += letterOf(effect);
    return letters;
}

}  // namespace

TEST(SoundEffects, LatestRequestOfAPollIsTheOnlyOnePlayed) {
    EffectFiles files;
    FakeAudioOutput output;
    SteppedSleep sleep;
    SoundEffects effects(output, true, sleep.function());
    OpenOnExit openOnExit(sleep);
    EXPECT_EQ(SoundEffects::instance(), &effects);
    ASSERT_TRUE(sleep.waitParked());

    // Two effects in one frame: only the second plays.
    SoundEffects::play(files.name('a'));
    SoundEffects::play(files.name('b'));
    ASSERT_TRUE(sleep.step());
    EXPECT_EQ(playedLetters(output), "b");

    // Three in a row: the last wins; then nothing more plays without a request.
    SoundEffects::play(files.name('a'));
    SoundEffects::play(files.name('c'));
    SoundEffects::play(files.name('a'));
    ASSERT_TRUE(sleep.step(3));
    EXPECT_EQ(playedLetters(output), "ba");

    // One request a poll: each plays, whole and in its own format.
    SoundEffects::play(files.name('c'));
    ASSERT_TRUE(sleep.step());
    SoundEffects::play(files.name('c'));
    ASSERT_TRUE(sleep.step());
    EXPECT_EQ(playedLetters(output), "bacc");
    auto played = output.effects();
    EXPECT_EQ(played.back().bytes.size(), 200u);
    EXPECT_EQ(played.back().format.type, SampleType::pcm8);
    EXPECT_EQ(played.back().format.rate, 8000u);

    for (int ms : sleep.sleeps()) EXPECT_EQ(ms, 20);
}

TEST(SoundEffects, EffectsSwitchedOffIgnoreEveryRequestWhileTheThreadPolls) {
    EffectFiles files;
    FakeAudioOutput output;
    SteppedSleep sleep;
    SoundEffects effects(output, false, sleep.function());
    OpenOnExit openOnExit(sleep);
    SoundEffects::play(files.name('a'));
    ASSERT_TRUE(sleep.step(3));  // the thread runs, idle
    SoundEffects::play(files.name('b'));
    ASSERT_TRUE(sleep.step(2));
    EXPECT_TRUE(output.effects().empty());
}

TEST(SoundEffects, AnEffectThatCannotBePlayedPausesTheThreadForOneSecond) {
    EffectFiles files;
    FakeAudioOutput output;
    SteppedSleep sleep;
    SoundEffects effects(output, true, sleep.function());
    OpenOnExit openOnExit(sleep);
    ASSERT_TRUE(sleep.waitParked());

    auto failsThenPauses = [&](const char* failing, bool deviceRefuses) {
        output.refuseEffects(deviceRefuses);
        std::size_t before = sleep.sleeps().size();
        SoundEffects::play(failing);
        ASSERT_TRUE(sleep.step());  // tried, failed, now in the pause
        output.refuseEffects(false);
        SoundEffects::play(files.name('a'));  // asked for during the pause: dropped with the failed one
        ASSERT_TRUE(sleep.step(49));
        ASSERT_TRUE(sleep.step());  // the pause is over; the next sleep is the usual poll
        ASSERT_TRUE(sleep.step(2));
        EXPECT_EQ(output.effects().size(), 0u);
        auto sleeps = sleep.sleeps();
        // From the failure: 50 sleeps of 20 ms, then the usual polls.
        ASSERT_GE(sleeps.size(), before + 53);
        int paused = std::accumulate(sleeps.begin() + static_cast<long>(before),
                                     sleeps.begin() + static_cast<long>(before) + 50, 0);
        EXPECT_EQ(paused, 1000);
    };
    {
        SCOPED_TRACE("missing file");
        failsThenPauses(files.missing(), false);
    }
    {
        SCOPED_TRACE("format the output cannot play");
        failsThenPauses(files.unplayable(), false);
    }
    {
        SCOPED_TRACE("device refuses");
        failsThenPauses(files.name('b'), true);
    }

    // After the pause, requests play again.
    SoundEffects::play(files.name('c'));
    ASSERT_TRUE(sleep.step());
    EXPECT_EQ(playedLetters(output), "c");
}

TEST(SoundEffects, ShutdownCutsAPauseShortAndSilencesTheEffect) {
    EffectFiles files;
    FakeAudioOutput output;
    SteppedSleep sleep;
    SoundEffects effects(output, true, sleep.function());
    OpenOnExit openOnExit(sleep);
    ASSERT_TRUE(sleep.waitParked());
    SoundEffects::play(files.name('a'));
    ASSERT_TRUE(sleep.step());
    output.refuseEffects(true);
    SoundEffects::play(files.name('b'));
    ASSERT_TRUE(sleep.step());  // now inside a one-second pause
    sleep.open();

    // Without the cut the thread would sit out the rest of its second and overrun this limit.
    EXPECT_TRUE(effects.shutdown(std::chrono::milliseconds(500)));
    EXPECT_EQ(SoundEffects::instance(), nullptr);
    auto events = output.events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "stop effect");
    SoundEffects::play(files.name('c'));  // no instance: ignored, no crash
}
