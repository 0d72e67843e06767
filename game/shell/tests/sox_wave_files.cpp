#include "sox_wave_files.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    auto base = std::filesystem::temp_directory_path();
    root_ = (base / ("dolvane-audio-" + std::to_string(getpid()) + "-" + std::to_string(counter++))).string();
    std::filesystem::create_directories(root_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

bool soxSynth(const std::string& path, const std::string& formatOptions, const std::string& synth) {
    std::string sox = DOLVANE_SOX;
    if (sox.empty()) return false;
    // -D: no dither, so that the samples are the same on every run.
    std::string command = "'" + sox + "' -D -n " + formatOptions + " '" + path + "' " + synth + " 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

bool soxTone(const std::string& path, const std::string& formatOptions, double seconds, bool raw) {
    return soxSynth(path, formatOptions + (raw ? " -t raw" : ""), "synth " + std::to_string(seconds) + " sine 440");
}

Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void putU16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putU32(Bytes& out, std::uint32_t value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

Bytes chunkClaiming(const char* id, std::uint32_t claimedSize, const Bytes& body) {
    Bytes out(id, id + 4);
    putU32(out, claimedSize);
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2) out.push_back(0);
    return out;
}

Bytes chunk(const char* id, const Bytes& body) {
    return chunkClaiming(id, static_cast<std::uint32_t>(body.size()), body);
}

Bytes riffWave(const std::vector<Bytes>& chunks) {
    Bytes body{'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    return chunk("RIFF", body);
}

Bytes pcmFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::uint16_t tag) {
    Bytes out;
    std::uint32_t blockAlign = channels * bits / 8;
    putU16(out, tag);
    putU16(out, channels);
    putU32(out, rate);
    putU32(out, rate * blockAlign);
    putU16(out, blockAlign);
    putU16(out, bits);
    return out;
}
