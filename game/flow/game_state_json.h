#pragma once
// The game's state as one JSON document, for scripted runs: tests, bug reports and benchmarks read
// it. The format is documented in the README (puppet-replay --state) and must stay stable.

#include "game/shell/scene.h"

#include <cstdint>
#include <string>

std::string gameStateJson(const Scene* top, std::uint64_t frame);
