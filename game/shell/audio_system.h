#pragma once
// The whole audio of the game, built in start-up order (settings, effects, music data, music) and
// taken down in the reverse order, each thread given at most one second to end. A thread that
// overruns is let go, and everything it may still touch is left alive for the rest of the process.

#include "sound_settings.h"

#include <memory>

class AudioOutput;
class MusicPlayer;
class SoundEffects;
class WaveData;
class WaveStream;

class AudioSystem {
public:
    AudioSystem(const SoundSettings& settings, std::unique_ptr<AudioOutput> output);
    ~AudioSystem();
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    const SoundSettings& settings() const { return settings_; }

private:
    SoundSettings settings_;
    std::unique_ptr<AudioOutput> output_;
    std::unique_ptr<SoundEffects> effects_;
    std::unique_ptr<WaveData> waveData_;
    std::unique_ptr<WaveStream> waveStream_;
    std::unique_ptr<MusicPlayer> music_;
};
