#pragma once
// The sound output on OpenAL Soft: one device and context, one source for effects and one streaming
// source per open music stream, mixed by the library.

#include "platform/audio_output.h"

#include <memory>

// The device is opened by the first call that needs it (always an audio thread). If that fails, the
// game stays silent for the rest of the run, even if a device appears later.
std::unique_ptr<AudioOutput> makeOpenAlOutput();
