// Audio on OpenAL Soft (the null driver unless ALSOFT_DRIVERS says otherwise): how long a request
// takes to reach the device (music: request to first buffer queued; effect: request to the effect
// handed to the device), and how much processor time the audio threads use while music plays.

#include "game/shell/audio_system.h"
#include "game/shell/music_player.h"
#include "game/shell/sound_effects.h"
#include "platform/openal/openal_output.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <pthread.h>
#include <unistd.h>

namespace {

using SteadyClock = std::chrono::steady_clock;

// When the last first buffer and the last effect reached the device, as steady-clock nanoseconds.
struct Arrivals {
    std::atomic<long long> firstBuffer{0};
    std::atomic<long long> effect{0};
};

long long nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(SteadyClock::now().time_since_epoch()).count();
}

// The real output with the moments of arrival noted on the way through.
class TimedOutput : public AudioOutput {
public:
    TimedOutput(std::unique_ptr<AudioOutput> real, Arrivals& arrivals) : real_(std::move(real)), arrivals_(arrivals) {}
    bool playEffect(const AudioFormat& format, const std::uint8_t* bytes, std::size_t size) override {
        bool played = real_->playEffect(format, bytes, size);
        arrivals_.effect.store(nowNs());
        return played;
    }
    void stopEffect() override { real_->stopEffect(); }
    std::unique_ptr<StreamVoice> openStream(const AudioFormat& format) override {
        auto voice = real_->openStream(format);
        return voice ? std::make_unique<Voice>(std::move(voice), arrivals_) : nullptr;
    }

private:
    class Voice : public StreamVoice {
    public:
        Voice(std::unique_ptr<StreamVoice> real, Arrivals& arrivals) : real_(std::move(real)), arrivals_(arrivals) {}
        bool queue(int slot, const std::uint8_t* bytes, std::size_t size) override {
            bool queued = real_->queue(slot, bytes, size);
            if (first_) arrivals_.firstBuffer.store(nowNs());
            first_ = false;
            return queued;
        }
        bool isQueued(int slot) override { return real_->isQueued(slot); }
        void reset() override { real_->reset(); }

    private:
        std::unique_ptr<StreamVoice> real_;
        Arrivals& arrivals_;
        bool first_ = true;
    };
    std::unique_ptr<AudioOutput> real_;
    Arrivals& arrivals_;
};

// A stereo 16-bit 44.1 kHz sine WAV of the given length, as game music is.
std::string writeMusic(double seconds, double hz) {
    auto path = std::filesystem::temp_directory_path() /
                ("dolvane-bench-" + std::to_string(getpid()) + "-" + std::to_string(seconds) + ".wav");
    std::uint32_t frames = static_cast<std::uint32_t>(seconds * 44100);
    std::uint32_t dataBytes = frames * 4;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(2);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    for (std::uint32_t i = 0; i < frames; ++i) {
        auto v = static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * hz * i / 44100));
        u16(static_cast<std::uint16_t>(v));
        u16(static_cast<std::uint16_t>(v));
    }
    return path.string();
}

void waitForChange(const std::atomic<long long>& value, long long old) {
    auto deadline = SteadyClock::now() + std::chrono::seconds(10);
    while (value.load() == old && SteadyClock::now() < deadline) std::this_thread::yield();
}

void reportSpread(benchmark::State& state, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    if (ms.empty()) return;
    state.counters["min_ms"] = ms.front();
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["max_ms"] = ms.back();
}

// Music request to its first buffer queued: the manager's poll (up to 20 ms), reading the whole file,
// starting the stream thread. Argument: the music's length in seconds (44.1 kHz stereo 16-bit).
void BM_MusicRequestToFirstBuffer(benchmark::State& state) {
    std::string music = writeMusic(static_cast<double>(state.range(0)), 440);
    Arrivals arrivals;
    AudioSystem audio(SoundSettings{}, std::make_unique<TimedOutput>(makeOpenAlOutput(), arrivals));
    std::vector<double> latencies;
    for (auto _ : state) {
        long long before = arrivals.firstBuffer.load();
        long long asked = nowNs();
        MusicPlayer::play(music.c_str());
        waitForChange(arrivals.firstBuffer, before);
        double seconds = static_cast<double>(arrivals.firstBuffer.load() - asked) / 1e9;
        state.SetIterationTime(seconds);
        latencies.push_back(seconds * 1000);
        // Requests come at random moments of the manager's 20 ms poll.
        std::this_thread::sleep_for(std::chrono::milliseconds(25 + 7 * (latencies.size() % 3)));
    }
    reportSpread(state, latencies);
    std::filesystem::remove(music);
}
BENCHMARK(BM_MusicRequestToFirstBuffer)->Arg(5)->Arg(60)->Iterations(40)->UseManualTime()->Unit(benchmark::kMillisecond);

// Effect request to the effect handed to the device: the effect thread's poll and reading the file.
void BM_EffectRequestToDevice(benchmark::State& state) {
    std::string effect = writeMusic(0.5, 880);
    Arrivals arrivals;
    AudioSystem audio(SoundSettings{}, std::make_unique<TimedOutput>(makeOpenAlOutput(), arrivals));
    std::vector<double> latencies;
    for (auto _ : state) {
        long long before = arrivals.effect.load();
        long long asked = nowNs();
        SoundEffects::play(effect.c_str());
        waitForChange(arrivals.effect, before);
        double seconds = static_cast<double>(arrivals.effect.load() - asked) / 1e9;
        state.SetIterationTime(seconds);
        latencies.push_back(seconds * 1000);
        std::this_thread::sleep_for(std::chrono::milliseconds(25 + 7 * (latencies.size() % 3)));
    }
    reportSpread(state, latencies);
    std::filesystem::remove(effect);
}
BENCHMARK(BM_EffectRequestToDevice)->Iterations(40)->UseManualTime()->Unit(benchmark::kMillisecond);

// Processor time of each thread of the process, by thread name, in seconds.
std::map<std::string, double> cpuByThreadName() {
    std::map<std::string, double> out;
    long ticks = sysconf(_SC_CLK_TCK);
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        double seconds = -1;
        std::ifstream schedstat(task.path() / "schedstat");
        long long runNs = 0;
        if (schedstat >> runNs) {
            seconds = static_cast<double>(runNs) / 1e9;
        } else {
            std::ifstream stat(task.path() / "stat");
            std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
            // Fields after the parenthesised name: state is field 3, utime 14, stime 15.
            std::istringstream rest(text.substr(text.rfind(')') + 2));
            std::string field;
            long long utime = 0, stime = 0;
            for (int i = 3; i <= 15 && rest >> field; ++i) {
                if (i == 14) utime = std::stoll(field);
                if (i == 15) stime = std::stoll(field);
            }
            seconds = static_cast<double>(utime + stime) / static_cast<double>(ticks);
        }
        out[name] += seconds;
    }
    return out;
}

// OpenAL Soft's threads take the name of the thread that opens the device, which would otherwise be
// one of ours: so the device is opened here, from a thread named for the library.
std::unique_ptr<AudioOutput> openedOpenAlOutput() {
    auto output = makeOpenAlOutput();
    std::thread opener([&output] {
        AudioFormat format;
        format.rate = 44100;
        output->openStream(format);
    });
    pthread_setname_np(opener.native_handle(), "openal");
    opener.join();
    return output;
}

// While music plays (and an effect now and then): the share of one core each audio thread uses.
// Argument: seconds of play measured.
void BM_AudioThreadsCpuWhileMusicPlays(benchmark::State& state) {
    std::string music = writeMusic(5, 440);
    std::string effect = writeMusic(0.3, 880);
    Arrivals arrivals;
    AudioSystem audio(SoundSettings{}, std::make_unique<TimedOutput>(openedOpenAlOutput(), arrivals));
    MusicPlayer::play(music.c_str());
    waitForChange(arrivals.firstBuffer, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    for (auto _ : state) {
        auto before = cpuByThreadName();
        auto start = SteadyClock::now();
        for (int i = 0; i < state.range(0); ++i) {
            SoundEffects::play(effect.c_str());
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
        double wall = std::chrono::duration<double>(SteadyClock::now() - start).count();
        auto after = cpuByThreadName();
        state.SetIterationTime(wall);
        double ours = 0, library = 0;
        for (const auto& [name, seconds] : after) {
            double used = seconds - (before.count(name) ? before[name] : 0);
            if (name == "sound effects" || name == "music manager" || name == "music stream") {
                state.counters["cpu%_" + name] = 100 * used / wall;
                ours += used;
            } else if (name == "openal") {
                library += used;  // OpenAL Soft's mixer and the threads of its backend
            }
        }
        state.counters["cpu%_audio_threads"] = 100 * ours / wall;
        state.counters["cpu%_openal_threads"] = 100 * library / wall;
    }
    std::filesystem::remove(music);
    std::filesystem::remove(effect);
}
BENCHMARK(BM_AudioThreadsCpuWhileMusicPlays)->Arg(5)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // No sound card needed; ALSOFT_DRIVERS=pulse (or alsa) measures a real device instead.
    setenv("ALSOFT_DRIVERS", "null", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
