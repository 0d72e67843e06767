// The game's audio lives from static initialisation, before the entry function runs, to static
// destruction after it returns, so that sound never waits on the game and the game never waits on
// sound. The device itself is opened later, by the first audio thread that needs it.

#include "audio_system.h"
#include "config_file.h"
#include "platform/openal/openal_output.h"

namespace {
// Built before the game's other statics (the texture cache among them) and so taken down after them.
[[gnu::init_priority(1000)]] AudioSystem gameAudio(readSoundSettings(ConfigFile("config\\sound.txt")),
                                                   makeOpenAlOutput());
}  // namespace
