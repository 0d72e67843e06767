#pragma once
// The music in memory: a RIFF WAVE file's format chunk and data chunk, kept byte for byte. The
// reader checks every chunk size against the file, so a damaged file gives short or empty vectors
// (silence), never a read past the end or a huge allocation.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

class WaveData {
public:
    std::vector<std::uint8_t> format;   // the "fmt " chunk as it stands in the file
    std::vector<std::uint8_t> samples;  // the "data" chunk; empty when missing or cut short

    // Empties samples, then reads the file (a game path). A file that cannot be opened leaves the
    // format as it was. Used by one audio thread at a time.
    void load(const std::string& gamePath);
    // The same, from a seekable stream holding a whole file.
    void read(std::istream& in);
};
