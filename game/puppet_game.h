#pragma once
// The game from start to end on a given platform: the one GameApp, its first scene, the main loop and
// the shutdown. Both the game and its scripted driver start here.

#include "game/shell/game_app.h"

#include <functional>

// What runPuppet returns when the window has no GL context: the game would run unseen, so it does
// not run at all, and the caller says why.
inline constexpr int kPuppetNoWindow = 1;

// prepare, when given, may set up the application before its first scene is pushed.
int runPuppet(const GamePlatform& platform, const std::function<void(GameApp&)>& prepare = {});
