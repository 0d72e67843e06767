#include "openal_stream_voice.h"

OpenAlStreamVoice::OpenAlStreamVoice(OpenAlDevice& device, ALenum format, ALsizei rate)
    : device_(device), format_(format), rate_(rate) {
    alGetError();
    alGenBuffers(kSlots, buffers_.data());
    if (alGetError() != AL_NO_ERROR) {
        buffers_ = {};
        return;
    }
    alGenSources(1, &source_);
    if (alGetError() != AL_NO_ERROR) {
        source_ = 0;
        return;
    }
    device_.setUpSource(source_);
}

OpenAlStreamVoice::~OpenAlStreamVoice() {
    std::lock_guard<std::mutex> guard(device_.lock);
    if (source_) {
        detachAll();
        alDeleteSources(1, &source_);
    }
    if (buffers_[0]) alDeleteBuffers(kSlots, buffers_.data());
}

bool OpenAlStreamVoice::queue(int slot, const std::uint8_t* bytes, std::size_t size) {
    if (slot < 0 || slot >= kSlots) return false;
    std::lock_guard<std::mutex> guard(device_.lock);
    ALint state = AL_INITIAL;
    alGetSourcei(source_, AL_SOURCE_STATE, &state);
    if (state == AL_STOPPED) {
        // The queue ran dry, or the device went away: everything queued has been played. Starting
        // again would replay it all, so the queue starts afresh.
        if (!device_.connected()) return false;
        detachAll();
    } else {
        reclaimPlayed();
    }
    if (queued_[slot]) return false;

    alGetError();
    alBufferData(buffers_[slot], format_, bytes, static_cast<ALsizei>(size), rate_);
    alSourceQueueBuffers(source_, 1, &buffers_[slot]);
    if (alGetError() != AL_NO_ERROR) return false;
    queued_[slot] = true;
    if (state != AL_PLAYING) alSourcePlay(source_);
    return alGetError() == AL_NO_ERROR;
}

bool OpenAlStreamVoice::isQueued(int slot) {
    if (slot < 0 || slot >= kSlots) return false;
    std::lock_guard<std::mutex> guard(device_.lock);
    reclaimPlayed();
    return queued_[slot];
}

void OpenAlStreamVoice::reset() {
    std::lock_guard<std::mutex> guard(device_.lock);
    detachAll();
}

void OpenAlStreamVoice::reclaimPlayed() {
    ALint played = 0;
    alGetSourcei(source_, AL_BUFFERS_PROCESSED, &played);
    while (played-- > 0) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(source_, 1, &buffer);
        for (int slot = 0; slot < kSlots; ++slot) {
            if (buffers_[slot] == buffer) queued_[slot] = false;
        }
    }
}

void OpenAlStreamVoice::detachAll() {
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    queued_ = {};
}
