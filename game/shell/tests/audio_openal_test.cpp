// The whole audio chain on the real OpenAL Soft, recording through its wave-file backend: what the
// game asks for must come out of the mixer. Its own program, because OpenAL reads its configuration
// once per process.

#include "audio_system.h"
#include "music_player.h"
#include "platform/openal/openal_output.h"
#include "sound_effects.h"
#include "sox_wave_files.h"
#include "wave_data.h"
#include "wave_format.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <thread>

namespace {

// One folder, one configuration and one recording for the whole process, set up before any OpenAL
// call; every device opened afterwards records into the same file, from its beginning.
class WaveBackend : public ::testing::Environment {
public:
    void SetUp() override {
        folder_ = std::make_unique<TempFolder>();
        std::ofstream(folder_->path("alsoft.conf")) << "[general]\ndrivers=wave\n[wave]\nfile="
                                                    << folder_->path("mix.wav") << "\n";
        setenv("ALSOFT_CONF", folder_->path("alsoft.conf").c_str(), 1);
        setenv("ALSOFT_DRIVERS", "wave", 1);
        instance = this;
    }
    void TearDown() override { folder_.reset(); }

    std::string path(const std::string& name) const { return folder_->path(name); }

    static WaveBackend* instance;

private:
    std::unique_ptr<TempFolder> folder_;
};

WaveBackend* WaveBackend::instance = nullptr;
[[maybe_unused]] auto* const kBackend = ::testing::AddGlobalTestEnvironment(new WaveBackend);

// Passes everything on to the real output and counts what got through, so that the test can wait
// for the device instead of guessing how long opening it takes on a loaded machine.
class CountingOutput : public AudioOutput {
public:
    CountingOutput(std::unique_ptr<AudioOutput> real, std::atomic<int>& effects, std::atomic<int>& buffers)
        : real_(std::move(real)), effects_(effects), buffers_(buffers) {}

    bool playEffect(const AudioFormat& format, const std::uint8_t* bytes, std::size_t size) override {
        bool played = real_->playEffect(format, bytes, size);
        if (played) ++effects_;
        return played;
    }
    void stopEffect() override { real_->stopEffect(); }
    std::unique_ptr<StreamVoice> openStream(const AudioFormat& format) override {
        auto voice = real_->openStream(format);
        return voice ? std::make_unique<Voice>(std::move(voice), buffers_) : nullptr;
    }

private:
    class Voice : public StreamVoice {
    public:
        Voice(std::unique_ptr<StreamVoice> real, std::atomic<int>& buffers) : real_(std::move(real)), buffers_(buffers) {}
        bool queue(int slot, const std::uint8_t* bytes, std::size_t size) override {
            bool queued = real_->queue(slot, bytes, size);
            if (queued) ++buffers_;
            return queued;
        }
        bool isQueued(int slot) override { return real_->isQueued(slot); }
        void reset() override { real_->reset(); }

    private:
        std::unique_ptr<StreamVoice> real_;
        std::atomic<int>& buffers_;
    };

    std::unique_ptr<AudioOutput> real_;
    std::atomic<int>& effects_;
    std::atomic<int>& buffers_;
};

bool waitFor(const std::atomic<int>& counter, int atLeast) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (counter.load() < atLeast) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

struct Recording {
    std::vector<float> mono;  // left and right averaged
    double rate = 0;
};

Recording readRecording(const std::string& path) {
    WaveData data;
    data.load(path);
    Recording out;
    auto format = playableFormat(data.format);
    if (!format) return out;
    out.rate = format->rate;
    std::size_t frames = data.samples.size() / format->frameBytes();
    out.mono.resize(frames);
    for (std::size_t f = 0; f < frames; ++f) {
        float sum = 0;
        for (int c = 0; c < format->channels; ++c) {
            const std::uint8_t* at = data.samples.data() + f * format->frameBytes();
            if (format->type == SampleType::float32) {
                float v;
                std::memcpy(&v, at + 4 * c, 4);
                sum += v;
            } else if (format->type == SampleType::pcm16) {
                std::int16_t v;
                std::memcpy(&v, at + 2 * c, 2);
                sum += v / 32768.0f;
            } else {
                sum += (at[c] - 128) / 128.0f;
            }
        }
        out.mono[f] = sum / format->channels;
    }
    return out;
}

// The amplitude of one frequency in a stretch of the recording (Goertzel's single-bin transform).
double amplitude(const Recording& r, std::size_t begin, std::size_t count, double frequency) {
    double k = 2 * std::cos(2 * M_PI * frequency / r.rate);
    double s1 = 0, s2 = 0;
    for (std::size_t i = begin; i < begin + count; ++i) {
        double s = r.mono[i] + k * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    double power = s1 * s1 + s2 * s2 - k * s1 * s2;
    return 2 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(count);
}

struct Tones {
    double music, effect;
};

std::vector<Tones> tonesByTenthOfASecond(const Recording& r, double musicHz, double effectHz) {
    std::vector<Tones> out;
    auto window = static_cast<std::size_t>(r.rate / 10);
    for (std::size_t at = 0; window > 0 && at + window <= r.mono.size(); at += window) {
        out.push_back({amplitude(r, at, window, musicHz), amplitude(r, at, window, effectHz)});
    }
    return out;
}

// The table of tones, printed when a test fails.
std::string describe(const std::vector<Tones>& tones) {
    std::string out = "\ntenth of a second: music/first tone, effect/second tone\n";
    char line[64];
    for (std::size_t i = 0; i < tones.size(); ++i) {
        std::snprintf(line, sizeof line, "%2zu: %.3f %.3f\n", i, tones[i].music, tones[i].effect);
        out += line;
    }
    return out;
}

SoundSettings allOn() { return SoundSettings{}; }

constexpr double kHeard = 0.03;   // the tones are made at 0.3 of full scale
constexpr double kSilent = 0.005;

}  // namespace

TEST(AudioOnOpenAl, EffectAndMusicAreMixedIntoTheOutput) {
    WaveBackend& backend = *WaveBackend::instance;
    std::string music = backend.path("music.wav");
    std::string effect = backend.path("effect.wav");
    // A quarter second of 300 Hz holds whole periods, so the loop joins without a click.
    ASSERT_TRUE(soxSynth(music, "-r 44100 -c 2 -b 16 -e signed-integer", "synth 0.25 sine 300 vol 0.3"))
        << "sox must be installed";
    ASSERT_TRUE(soxSynth(effect, "-r 22050 -c 1 -b 16 -e signed-integer", "synth 0.4 sine 1000 vol 0.3"));
    std::atomic<int> effects{0}, buffers{0};
    {
        AudioSystem audio(allOn(), std::make_unique<CountingOutput>(makeOpenAlOutput(), effects, buffers));
        MusicPlayer::play(music.c_str());
        // Four buffers are queued ahead; past the eighth, music has been playing for a while.
        ASSERT_TRUE(waitFor(buffers, 8));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        SoundEffects::play(effect.c_str());
        ASSERT_TRUE(waitFor(effects, 1));
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
    }  // closing the device finishes the recording

    Recording recording = readRecording(backend.path("mix.wav"));
    ASSERT_GT(recording.rate, 0) << "no readable recording";
    auto tones = tonesByTenthOfASecond(recording, 300, 1000);
    ASSERT_GE(tones.size(), 10u);
    bool musicAlone = false, both = false, effectBeforeMusic = false;
    for (const Tones& t : tones) {
        if (t.music > kHeard && t.effect < kSilent) musicAlone = true;
        if (t.music > kHeard && t.effect > kHeard) both = true;
        if (t.effect > kHeard && !musicAlone) effectBeforeMusic = true;
    }
    EXPECT_TRUE(musicAlone) << "the music never reached the output" << describe(tones);
    EXPECT_TRUE(both) << "the effect was not mixed with the music" << describe(tones);
    EXPECT_FALSE(effectBeforeMusic) << describe(tones);
}

TEST(AudioOnOpenAl, ANewEffectCutsTheOneThatPlays) {
    WaveBackend& backend = *WaveBackend::instance;
    std::string longEffect = backend.path("long.wav");
    std::string shortEffect = backend.path("short.wav");
    ASSERT_TRUE(soxSynth(longEffect, "-r 44100 -c 1 -b 16 -e signed-integer", "synth 2 sine 500 vol 0.3"))
        << "sox must be installed";
    ASSERT_TRUE(soxSynth(shortEffect, "-r 44100 -c 2 -b 8 -e unsigned-integer", "synth 0.2 sine 1500 vol 0.3"));
    SoundSettings effectsOnly;
    effectsOnly.bgmEnabled = false;
    std::atomic<int> effects{0}, buffers{0};
    {
        AudioSystem audio(effectsOnly, std::make_unique<CountingOutput>(makeOpenAlOutput(), effects, buffers));
        SoundEffects::play(longEffect.c_str());
        ASSERT_TRUE(waitFor(effects, 1));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        SoundEffects::play(shortEffect.c_str());
        ASSERT_TRUE(waitFor(effects, 2));
        std::this_thread::sleep_for(std::chrono::milliseconds(900));
    }

    Recording recording = readRecording(backend.path("mix.wav"));
    ASSERT_GT(recording.rate, 0) << "no readable recording";
    auto tones = tonesByTenthOfASecond(recording, 500, 1500);
    ASSERT_GE(tones.size(), 12u);
    std::size_t firstShort = tones.size(), lastLong = 0;
    for (std::size_t i = 0; i < tones.size(); ++i) {
        if (tones[i].effect > kHeard && firstShort == tones.size()) firstShort = i;
        if (tones[i].music > kHeard) lastLong = i;
    }
    ASSERT_LT(firstShort, tones.size()) << "the second effect was never heard" << describe(tones);
    EXPECT_GT(lastLong, 0u) << "the first effect was never heard" << describe(tones);
    // The first effect would have gone on for two seconds; it ends where the second begins.
    EXPECT_LE(lastLong, firstShort) << describe(tones);
    EXPECT_LT(tones.back().music, kSilent) << describe(tones);
}
