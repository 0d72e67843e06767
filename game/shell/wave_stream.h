#pragma once
// The music stream: the loaded WAV data played in a loop through four queued 4096-byte buffers,
// each refilled as soon as the device hands it back, until a stop is asked for.

#include "audio_sleep.h"
#include "wave_data.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

class AudioOutput;

constexpr std::size_t kStreamBufferBytes = 4096;
constexpr int kStreamBufferCount = 4;

// Fills block with loop bytes of samples taken from position on, going back to the start whenever the
// end is reached, so the loop has no gap. Returns the position the next block starts at.
std::size_t fillLooped(const std::uint8_t* samples, std::size_t loop, std::size_t position, std::uint8_t* block,
                       std::size_t blockSize);

class WaveStream {
public:
    explicit WaveStream(SleepFn sleep = sleepMilliseconds) : sleep_(std::move(sleep)) {}

    // Any thread. A stop asked for while no stream runs stays until the next stream starts.
    void requestStop() { stop_.store(true); }
    // Called by whoever starts the stream thread, before it starts: were the new thread to clear the
    // flag itself, a stop set before it got that far would be lost and its starter would wait on a
    // stream that never ends.
    void clearStop() { stop_.store(false); }
    bool stopRequested() const { return stop_.load(); }

    // Plays data until a stop is asked for; the stream thread's whole work. Data that is empty, in a
    // format the output cannot play or refused by the device gives silence and an early return.
    // The music ends within one buffer of a stop.
    void run(const WaveData& data, AudioOutput& output);

private:
    std::atomic<bool> stop_{false};
    SleepFn sleep_;
};
