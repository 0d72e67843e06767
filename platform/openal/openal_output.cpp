#include "openal_output.h"

#include "openal_device.h"
#include "openal_stream_voice.h"

namespace {

class OpenAlOutput : public AudioOutput {
public:
    ~OpenAlOutput() override {
        std::lock_guard<std::mutex> guard(device_.lock);
        if (effectSource_) {
            alSourceStop(effectSource_);
            alDeleteSources(1, &effectSource_);
        }
        if (effectBuffer_) alDeleteBuffers(1, &effectBuffer_);
    }

    bool playEffect(const AudioFormat& format, const std::uint8_t* bytes, std::size_t size) override {
        std::lock_guard<std::mutex> guard(device_.lock);
        if (!effectVoiceReady()) return false;
        ALenum alFormat = device_.bufferFormat(format);
        if (alFormat == 0 || !device_.connected()) return false;
        // The buffer cannot change while a source holds it, so the old effect is cut first.
        alSourceStop(effectSource_);
        alSourcei(effectSource_, AL_BUFFER, 0);
        alGetError();
        alBufferData(effectBuffer_, alFormat, bytes, static_cast<ALsizei>(size), static_cast<ALsizei>(format.rate));
        if (alGetError() != AL_NO_ERROR) return false;
        alSourcei(effectSource_, AL_BUFFER, static_cast<ALint>(effectBuffer_));
        alSourcePlay(effectSource_);
        return alGetError() == AL_NO_ERROR;
    }

    void stopEffect() override {
        std::lock_guard<std::mutex> guard(device_.lock);
        if (effectSource_) alSourceStop(effectSource_);
    }

    std::unique_ptr<StreamVoice> openStream(const AudioFormat& format) override {
        std::unique_ptr<OpenAlStreamVoice> voice;  // a failed voice is destroyed after the lock is let go
        {
            std::lock_guard<std::mutex> guard(device_.lock);
            if (!device_.ready() || !device_.connected()) return nullptr;
            ALenum alFormat = device_.bufferFormat(format);
            if (alFormat == 0) return nullptr;
            voice = std::make_unique<OpenAlStreamVoice>(device_, alFormat, static_cast<ALsizei>(format.rate));
            if (voice->valid()) return voice;
        }
        return nullptr;
    }

    void setPaused(bool paused) override {
        std::lock_guard<std::mutex> guard(device_.lock);
        device_.setPaused(paused);
    }

private:
    // Caller holds the lock.
    bool effectVoiceReady() {
        if (effectSource_) return true;
        if (!device_.ready()) return false;
        alGetError();
        alGenBuffers(1, &effectBuffer_);
        alGenSources(1, &effectSource_);
        if (alGetError() != AL_NO_ERROR) {
            effectSource_ = 0;
            return false;
        }
        device_.setUpSource(effectSource_);
        return true;
    }

    // Declared first so that it is closed last, after the sources above are deleted.
    OpenAlDevice device_;
    ALuint effectSource_ = 0;
    ALuint effectBuffer_ = 0;
};

}  // namespace

std::unique_ptr<AudioOutput> makeOpenAlOutput() { return std::make_unique<OpenAlOutput>(); }
