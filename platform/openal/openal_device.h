#pragma once
// The one OpenAL device and context of the game, shared by the effect voice and the music stream.
// OpenAL's error state belongs to the context, so every use takes the lock: otherwise one audio
// thread could read or clear the error of the other.

#include "platform/audio_output.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <mutex>

class OpenAlDevice {
public:
    ~OpenAlDevice();

    // Opens the device on the first call only; true while it is usable. Caller holds lock.
    bool ready();
    // False once the device has been unplugged or its server has gone. Caller holds lock.
    bool connected();
    // The buffer format for the layout, or 0 when this device cannot play it.
    ALenum bufferFormat(const AudioFormat& format) const;
    // Plays the source as it stands: stereo stays stereo, mono comes from straight ahead.
    void setUpSource(ALuint source) const;
    // Stops or restarts the device's mixing; kept and applied when the device opens later. Caller
    // holds lock.
    void setPaused(bool paused);

    std::mutex lock;

private:
    void close();

    bool tried_ = false;
    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    bool hasFloat_ = false;
    bool hasDirectChannels_ = false;
    bool hasDisconnect_ = false;
    bool paused_ = false;
    void applyPause();
};
