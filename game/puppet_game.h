#pragma once
// The game from start to end on a given platform: the one GameApp, its first scene, the main loop and
// the shutdown. Both the game and its scripted driver start here.

#include "game/shell/game_app.h"

#include <functional>

// prepare, when given, may set up the application before its first scene is pushed.
int runPuppet(const GamePlatform& platform, const std::function<void(GameApp&)>& prepare = {});
