#pragma once
// Test WAV files: made by sox in a private temporary folder, or built by hand chunk by chunk for the
// damaged cases that no tool writes.

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path(const std::string& name) const { return root_ + "/" + name; }

private:
    std::string root_;
};

// Runs sox to write a short sine tone with the given output options (rate, channels, bits, encoding)
// to path; with raw set, the same samples as a headerless file. False when sox fails or is missing.
bool soxTone(const std::string& path, const std::string& formatOptions, double seconds, bool raw = false);
// The same with any synth arguments and effects after the output file, e.g. "synth 0.5 sine 300 vol 0.3".
bool soxSynth(const std::string& path, const std::string& formatOptions, const std::string& synth);

Bytes readBytes(const std::string& path);
void writeBytes(const std::string& path, const Bytes& bytes);

// Little-endian builders for hand-made RIFF files.
void putU16(Bytes& out, std::uint32_t value);
void putU32(Bytes& out, std::uint32_t value);
// A chunk: id, the size as claimed (by default the body's), the body and the pad byte for odd sizes.
Bytes chunk(const char* id, const Bytes& body);
Bytes chunkClaiming(const char* id, std::uint32_t claimedSize, const Bytes& body);
// "RIFF" of the whole, "WAVE", then the chunks.
Bytes riffWave(const std::vector<Bytes>& chunks);
// A plain PCM format chunk body.
Bytes pcmFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::uint16_t tag = 1);
