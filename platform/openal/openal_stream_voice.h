#pragma once
// A music stream on one streaming OpenAL source with one AL buffer per slot.

#include "openal_device.h"

#include <array>

class OpenAlStreamVoice : public StreamVoice {
public:
    static constexpr int kSlots = 4;

    // Caller holds the device lock; the voice is usable when valid() says so.
    OpenAlStreamVoice(OpenAlDevice& device, ALenum format, ALsizei rate);
    ~OpenAlStreamVoice() override;

    bool valid() const { return source_ != 0; }

    bool queue(int slot, const std::uint8_t* bytes, std::size_t size) override;
    bool isQueued(int slot) override;
    void reset() override;

private:
    // Takes back the buffers the source has finished. Caller holds the lock.
    void reclaimPlayed();
    void detachAll();

    OpenAlDevice& device_;
    ALenum format_;
    ALsizei rate_;
    ALuint source_ = 0;
    std::array<ALuint, kSlots> buffers_{};
    std::array<bool, kSlots> queued_{};
};
