#pragma once
// What a WAV file's format chunk means to the sound output: plain PCM of 8 or 16 bits or 32-bit
// float, mono or stereo, at any rate, also when written in the extensible form. Any other format
// cannot be played and gives silence.

#include "platform/audio_output.h"

#include <cstdint>
#include <optional>
#include <vector>

std::optional<AudioFormat> playableFormat(const std::vector<std::uint8_t>& formatChunk);
