#include "sound_effects.h"

#include "platform/audio_output.h"
#include "wave_format.h"

SoundEffects* SoundEffects::instance_ = nullptr;

namespace {
constexpr int kPollMs = 20;
constexpr int kFailurePauseMs = 1000;
}  // namespace

SoundEffects::SoundEffects(AudioOutput& output, bool enabled, SleepFn sleep)
    : output_(output), enabled_(enabled), sleep_(std::move(sleep)) {
    instance_ = this;
    thread_.start("sound effects", [this] { run(); });
}

SoundEffects::~SoundEffects() {
    if (thread_.started()) {
        stop_.store(true);
        thread_.join();
    }
    if (instance_ == this) instance_ = nullptr;
}

void SoundEffects::play(const char* name) {
    if (instance_ && instance_->enabled_ && name) instance_->pendingEffect_.store(name);
}

bool SoundEffects::shutdown(std::chrono::milliseconds limit) {
    stop_.store(true);
    bool ended = thread_.joinWithin(limit);
    if (instance_ == this) instance_ = nullptr;
    return ended;
}

void SoundEffects::run() {
    while (!stop_.load()) {
        if (const char* name = pendingEffect_.load()) {
            if (!playNow(name)) pause(kFailurePauseMs);
            // Requests made while the file was read, or during the pause, go with this one.
            pendingEffect_.store(nullptr);
        }
        sleep_(kPollMs);
    }
    output_.stopEffect();
}

bool SoundEffects::playNow(const char* name) {
    effect_.load(name);
    auto format = playableFormat(effect_.format);
    if (!format) return false;
    std::size_t bytes = effect_.samples.size() - effect_.samples.size() % format->frameBytes();
    if (bytes == 0) return false;
    return output_.playEffect(*format, effect_.samples.data(), bytes);
}

void SoundEffects::pause(int ms) {
    for (int waited = 0; waited < ms && !stop_.load(); waited += kPollMs) sleep_(kPollMs);
}
