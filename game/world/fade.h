#pragma once
// How fast beaten enemies and spent stars fade: gone about 167 updates after fading begins.
inline constexpr float kFadeStep = 0.006f;
