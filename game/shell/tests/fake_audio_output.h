#pragma once
// A sound device for tests, behind the same interface as the OpenAL backend. It records every
// effect and every stream buffer, and plays buffers either by itself (each one lasts a few real
// milliseconds) or only when the test says so.

#include "platform/audio_output.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct FakeEffect {
    AudioFormat format;
    std::vector<std::uint8_t> bytes;
};

struct FakeStream {
    AudioFormat format;
    std::vector<int> slots;           // every slot queued, in order
    std::vector<std::uint8_t> bytes;  // every byte queued, in order (kept up to a cap)
    std::size_t buffersQueued = 0;
    std::size_t buffersPlayed = 0;    // played to their end, not dropped by a reset
    int mostQueuedAtOnce = 0;
    bool slotQueuedTwice = false;     // a slot queued again before it came back: a stream bug
    bool wasReset = false;
    bool closed = false;
};

class FakeAudioOutput : public AudioOutput {
public:
    enum class Playback { automatic, manual };

    explicit FakeAudioOutput(Playback playback = Playback::automatic);

    // Knobs, any time.
    void refuseEffects(bool refuse);
    void refuseStreams(bool refuse);
    // The stream's buffers after the first n are refused (a device that fails while playing).
    void refuseBuffersAfter(std::size_t n);

    void setPlayback(Playback playback);
    // Manual playback: the oldest queued buffer of the open stream plays to its end.
    void finishOldestBuffer();

    // Snapshots.
    std::vector<FakeEffect> effects() const;
    std::vector<FakeStream> streams() const;
    std::vector<std::string> events() const;  // "effect", "stop effect", "open", "reset", "close"
    int queuedNow() const;
    int streamRequests() const;  // every openStream call, refused ones included

    // Waits until the condition on this output holds (checked after every change). False on time-out.
    bool waitUntil(const std::function<bool(const FakeAudioOutput&)>& condition,
                   std::chrono::milliseconds limit = std::chrono::seconds(10)) const;

    bool playEffect(const AudioFormat& format, const std::uint8_t* bytes, std::size_t size) override;
    void stopEffect() override;
    std::unique_ptr<StreamVoice> openStream(const AudioFormat& format) override;

    struct State;

private:
    std::shared_ptr<State> state_;
};
