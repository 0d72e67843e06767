#include "music_files.h"

MusicFiles::MusicFiles() {
    for (char letter : std::string("abc")) {
        writeBytes(folder_.path(std::string(1, letter) + ".wav"),
                   riffWave({chunk("fmt ", pcmFormat(1, 8000, 8)), chunk("data", samples(letter))}));
    }
    writeBytes(folder_.path("deep.wav"), riffWave({chunk("fmt ", pcmFormat(1, 8000, 24)), chunk("data", Bytes(999, 1))}));
}

const char* MusicFiles::name(char letter) { return keep(folder_.path(std::string(1, letter) + ".wav")); }
const char* MusicFiles::missing() { return keep(folder_.path("missing.wav")); }
const char* MusicFiles::unplayable() { return keep(folder_.path("deep.wav")); }

const char* MusicFiles::keep(std::string path) {
    names_.push_back(std::move(path));
    return names_.back().c_str();
}

Bytes MusicFiles::samples(char letter) {
    Bytes out(kSize);
    for (std::size_t i = 0; i < kSize; ++i) out[i] = static_cast<std::uint8_t>((i * 131 + i / 97 + letter * 29) & 0xFF);
    return out;
}

bool MusicFiles::startsFromTheBeginning(const Bytes& bytes, char letter, std::size_t count) {
    if (bytes.size() < count) return false;
    Bytes expected = samples(letter);
    for (std::size_t i = 0; i < count; ++i) {
        if (bytes[i] != expected[i % kSize]) return false;
    }
    return true;
}
