#include "audio_system.h"

#include "music_player.h"
#include "platform/audio_output.h"
#include "sound_effects.h"
#include "sound_pause.h"
#include "wave_data.h"
#include "wave_stream.h"

namespace {
constexpr std::chrono::milliseconds kShutdownWait{1000};
}

AudioSystem::AudioSystem(const SoundSettings& settings, std::unique_ptr<AudioOutput> output)
    : settings_(settings), output_(std::move(output)) {
    effects_ = std::make_unique<SoundEffects>(*output_, settings_.seEnabled);
    waveData_ = std::make_unique<WaveData>();
    waveStream_ = std::make_unique<WaveStream>();
    music_ = std::make_unique<MusicPlayer>(*output_, *waveData_, *waveStream_, settings_.bgmEnabled);
    sound_pause::attach(this, [sink = output_.get()](bool paused) { sink->setPaused(paused); });
}

AudioSystem::~AudioSystem() {
    sound_pause::detach(this);
    bool musicEnded = music_->shutdown(kShutdownWait);
    if (musicEnded) {
        music_.reset();
        waveData_.reset();
        waveStream_.reset();
    } else {
        // The manager (or its stream) still uses these; the process ends around them.
        (void)music_.release();
        (void)waveData_.release();
        (void)waveStream_.release();
    }

    bool effectsEnded = effects_->shutdown(kShutdownWait);
    if (effectsEnded) {
        effects_.reset();
    } else {
        (void)effects_.release();
    }

    if (!musicEnded || !effectsEnded) (void)output_.release();
}
