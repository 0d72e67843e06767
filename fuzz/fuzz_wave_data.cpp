// WAV files of any content: the reader must never read past the file, allocate what the file does
// not hold, or hand the stream a loop it could overrun.
#include "game/shell/wave_data.h"
#include "game/shell/wave_format.h"
#include "game/shell/wave_stream.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    WaveData wave;
    wave.read(in);
    if (wave.samples.size() + wave.format.size() > size) std::abort();

    auto format = playableFormat(wave.format);
    if (!format || wave.samples.empty()) return 0;
    std::size_t loop = wave.samples.size() - wave.samples.size() % format->frameBytes();
    if (loop == 0) return 0;
    std::vector<std::uint8_t> block(kStreamBufferBytes);
    std::size_t position = 0;
    for (int i = 0; i < 3; ++i) {
        position = fillLooped(wave.samples.data(), loop, position, block.data(), block.size());
        if (position >= loop) std::abort();
    }
    return 0;
}
