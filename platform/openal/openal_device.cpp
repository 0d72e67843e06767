#include "openal_device.h"

#include <AL/alext.h>

OpenAlDevice::~OpenAlDevice() {
    std::lock_guard<std::mutex> guard(lock);
    close();
}

bool OpenAlDevice::ready() {
    if (!tried_) {
        tried_ = true;
        device_ = alcOpenDevice(nullptr);
        if (device_) context_ = alcCreateContext(device_, nullptr);
        if (!context_ || !alcMakeContextCurrent(context_)) {
            close();
        } else {
            hasFloat_ = alIsExtensionPresent("AL_EXT_FLOAT32");
            hasDirectChannels_ = alIsExtensionPresent("AL_SOFT_direct_channels");
            hasDisconnect_ = alcIsExtensionPresent(device_, "ALC_EXT_disconnect");
            applyPause();
        }
    }
    return context_ != nullptr;
}

bool OpenAlDevice::connected() {
    if (!context_) return false;
    if (!hasDisconnect_) return true;
    ALCint isConnected = ALC_TRUE;
    alcGetIntegerv(device_, ALC_CONNECTED, 1, &isConnected);
    return isConnected == ALC_TRUE;
}

ALenum OpenAlDevice::bufferFormat(const AudioFormat& format) const {
    bool stereo = format.channels == 2;
    switch (format.type) {
        case SampleType::pcm8: return stereo ? AL_FORMAT_STEREO8 : AL_FORMAT_MONO8;
        case SampleType::pcm16: return stereo ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
        case SampleType::float32:
            if (!hasFloat_) return 0;
            return stereo ? AL_FORMAT_STEREO_FLOAT32 : AL_FORMAT_MONO_FLOAT32;
    }
    return 0;
}

void OpenAlDevice::setUpSource(ALuint source) const {
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    if (hasDirectChannels_) alSourcei(source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
}

void OpenAlDevice::setPaused(bool paused) {
    paused_ = paused;
    applyPause();
}

void OpenAlDevice::applyPause() {
    if (!device_ || !alcIsExtensionPresent(device_, "ALC_SOFT_pause_device")) return;
    // Looked up, not linked: the extension's functions are not exported under every OpenAL.
    using PauseFunction = void(ALC_APIENTRY*)(ALCdevice*);
    const char* name = paused_ ? "alcDevicePauseSOFT" : "alcDeviceResumeSOFT";
    if (auto function = reinterpret_cast<PauseFunction>(alcGetProcAddress(device_, name))) function(device_);
}

void OpenAlDevice::close() {
    if (context_) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context_);
        context_ = nullptr;
    }
    if (device_) {
        alcCloseDevice(device_);
        device_ = nullptr;
    }
}
