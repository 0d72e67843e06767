#pragma once
// Writes a rig's part, model and pose files into an output folder in the game's formats, then reads
// them back and checks what the game will rely on.

#include "rig.h"

#include <string>
#include <vector>

// Paths inside the files keep backslashes; this turns one into a path the host can open.
std::string joinHostPath(const std::string& folder, const std::string& gamePath);
// The folder part of a game path, up to and including its last backslash.
std::string gameDirectoryOf(const std::string& gamePath);

// Writes every file. Returns false with messages when a file cannot be written or a pose leaves a
// link open.
bool writeRig(const Rig& rig, const std::string& outDir, std::vector<std::string>& errors);

// Reads the written model and pose files back as the game will: every part file and every picture
// must exist, every pose must hold 16 values per part.
bool verifyRig(const Rig& rig, const std::string& outDir, std::vector<std::string>& errors);
