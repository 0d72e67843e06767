#include "wave_stream.h"

#include "platform/audio_output.h"
#include "wave_format.h"

#include <array>
#include <cstring>
#include <vector>

std::size_t fillLooped(const std::uint8_t* samples, std::size_t loop, std::size_t position, std::uint8_t* block,
                       std::size_t blockSize) {
    std::size_t filled = 0;
    while (filled < blockSize) {
        std::size_t run = loop - position;
        if (run > blockSize - filled) run = blockSize - filled;
        std::memcpy(block + filled, samples + position, run);
        filled += run;
        position += run;
        if (position == loop) position = 0;
    }
    return position;
}

void WaveStream::run(const WaveData& data, AudioOutput& output) {
    if (data.samples.empty()) return;

    auto format = playableFormat(data.format);
    if (!format) return;
    // A loop must end on a whole frame, or every lap after the first would play shifted bytes: noise.
    std::size_t loop = data.samples.size() - data.samples.size() % format->frameBytes();
    if (loop == 0) return;
    auto voice = output.openStream(*format);
    if (!voice) return;

    std::array<std::vector<std::uint8_t>, kStreamBufferCount> blocks;
    for (auto& block : blocks) block.assign(kStreamBufferBytes, 0);
    std::array<bool, kStreamBufferCount> written{};  // queued at least once and not yet taken back
    std::size_t position = 0;
    int current = 0;

    for (;;) {
        position = fillLooped(data.samples.data(), loop, position, blocks[current].data(), kStreamBufferBytes);
        // A device that refuses a buffer or has gone away ends the music until the next request.
        if (!voice->queue(current, blocks[current].data(), kStreamBufferBytes)) break;
        written[current] = true;
        current = (current + 1) % kStreamBufferCount;
        if (written[current]) {
            while (voice->isQueued(current)) sleep_(10);
            written[current] = false;
        }
        if (stop_.load()) break;
    }

    voice->reset();
    for (int slot = 0; slot < kStreamBufferCount; ++slot) {
        while (written[slot] && voice->isQueued(slot)) sleep_(10);
    }
}
