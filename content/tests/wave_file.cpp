#include "wave_file.h"

#include <fstream>
#include <iterator>

namespace {

std::uint32_t le32(const std::string& b, size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
std::uint16_t le16(const std::string& b, size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}

}  // namespace

WaveInfo readWave(const std::string& hostFile) {
    WaveInfo wave;
    std::ifstream in(hostFile, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return wave;
    bool haveFormat = false, haveData = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id = b.substr(at, 4);
        const std::uint32_t size = le32(b, at + 4);
        if (size > b.size() - at - 8) return wave;
        if (id == "fmt " && size >= 16) {
            wave.format = le16(b, at + 8);
            wave.channels = le16(b, at + 10);
            wave.sampleRate = le32(b, at + 12);
            wave.bitsPerSample = le16(b, at + 22);
            haveFormat = true;
        } else if (id == "data") {
            if (wave.bitsPerSample == 16) {
                wave.samples.resize(size / 2);
                for (size_t i = 0; i < wave.samples.size(); ++i) {
                    wave.samples[i] = static_cast<std::int16_t>(le16(b, at + 8 + 2 * i));
                }
            }
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    wave.valid = haveFormat && haveData;
    return wave;
}
