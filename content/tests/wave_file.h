#pragma once
// A minimal RIFF WAVE reader for checking the data set: every chunk size is checked against the file.

#include <cstdint>
#include <string>
#include <vector>

struct WaveInfo {
    bool valid = false;
    int format = 0, channels = 0, bitsPerSample = 0;
    std::uint32_t sampleRate = 0;
    std::vector<std::int16_t> samples;  // interleaved, 16-bit files only
};

WaveInfo readWave(const std::string& hostFile);
