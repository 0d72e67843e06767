#pragma once
// Music files for the player's tests: 8-bit mono WAVs whose samples tell them apart.

#include "sox_wave_files.h"

#include <deque>
#include <string>

class MusicFiles {
public:
    static constexpr std::size_t kSize = 10007;

    MusicFiles();
    // A name that stays put for the whole test, as the player keeps the caller's pointer.
    const char* name(char letter);
    const char* missing();
    const char* unplayable();
    // The samples of a letter's file.
    static Bytes samples(char letter);
    // True when bytes is that file's music from its beginning, looped.
    static bool startsFromTheBeginning(const Bytes& bytes, char letter, std::size_t count);

private:
    const char* keep(std::string path);
    TempFolder folder_;
    std::deque<std::string> names_;
};
