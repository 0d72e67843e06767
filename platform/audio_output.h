#pragma once
// The sound output of the game: one voice for effects and one streamed voice for music, mixed by the
// device. The audio threads of the game shell talk only to this interface; the OpenAL backend and
// the tests' fake device implement it. Every call comes from an audio thread, never the main thread,
// except setPaused.

#include <cstddef>
#include <cstdint>
#include <memory>

// Sample layouts that every backend must play. Anything else is silence before it reaches a backend.
enum class SampleType { pcm8, pcm16, float32 };

struct AudioFormat {
    SampleType type = SampleType::pcm16;
    std::uint16_t channels = 1;  // 1 or 2
    std::uint32_t rate = 0;      // frames a second

    std::size_t frameBytes() const {
        std::size_t sampleBytes = type == SampleType::pcm8 ? 1 : type == SampleType::pcm16 ? 2 : 4;
        return sampleBytes * channels;
    }
};

// One open music stream: numbered buffer slots played in the order they are queued, the way a
// wave-out device plays its headers. A slot may be queued again once it has left the queue.
class StreamVoice {
public:
    virtual ~StreamVoice() = default;  // closes the stream; queued buffers are dropped
    // Appends the bytes (a whole number of frames) to the queue; playback starts or resumes at once.
    // False when the device refuses them or has gone away.
    virtual bool queue(int slot, const std::uint8_t* bytes, std::size_t size) = 0;
    // True while the slot waits in the queue or is playing.
    virtual bool isQueued(int slot) = 0;
    // Silences the stream and hands every queued buffer back at once.
    virtual void reset() = 0;
};

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Starts playing the bytes (a whole number of frames) as the one effect, cutting off the effect
    // that is playing. The output keeps its own copy. False when there is no device or it refuses.
    virtual bool playEffect(const AudioFormat& format, const std::uint8_t* bytes, std::size_t size) = 0;
    // Silences the effect voice.
    virtual void stopEffect() = 0;
    // Opens the music stream for the format; null when there is no device or it refuses the format.
    virtual std::unique_ptr<StreamVoice> openStream(const AudioFormat& format) = 0;
    // Holds the whole mix where it is (music and effect), or lets it go on; from the main thread.
    // Queued buffers stay queued meanwhile, so the threads feeding them simply wait.
    virtual void setPaused(bool paused) { (void)paused; }
};
