#pragma once
// The command line of puppet-replay, which runs the game with the pad played from a script.

#include <cstdint>
#include <map>
#include <string>

struct ReplayOptions {
    std::string dir;     // working directory holding data/ and config/; empty keeps the current one
    std::string script;  // pad script; empty holds nothing in every frame
    std::uint64_t frames = 0;
    std::map<std::uint64_t, std::string> shots;   // frame number -> PNG file
    std::map<std::uint64_t, std::string> states;  // frame number -> JSON file of the game's state
    bool paced = false;  // keep the game's own pacing instead of running flat out
    bool shotsOnly = false;  // pixels only for the frames a shot asks for; none shown in the window
    std::string record;  // journal of the real devices' input; empty plays the script
    bool random = false;          // --random SEED: a restless random player instead of a script
    std::uint64_t randomSeed = 0;
    bool crazy = false;           // the set the random player picks at the title
    std::string memoryLog;        // resident memory every memoryInterval frames; empty writes none
    std::uint64_t memoryInterval = 1000;
    bool help = false;   // --help or -h: print the usage and run nothing
};

extern const char* const kReplayUsage;

// Returns false with a message in error for a command line it cannot follow. Without --frames the
// run lasts until the last shot or state, or one frame; a recorded run lasts until the player quits;
// a random run needs --frames.
bool parseReplayOptions(int argc, const char* const* argv, ReplayOptions& options, std::string& error);
