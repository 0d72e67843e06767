#pragma once
// The hero's meter in the top-left corner of the screen: a red life bar under a frame picture, and a
// face that gets sadder as life runs out.

#include "game/graphics/texture_cache.h"

struct TextureCorner {
    float s = 0.0f;
    float t = 0.0f;
};

// Screen x where the bar starts and its full width: the floats just above 120 and 216.
inline constexpr float kMeterBarLeft = 120.00001f;
inline constexpr float kMeterBarWidth = 216.00002f;

// The bar's width for a life (none below 0).
float meterBarWidth(float life);
// The corner of the face sheet (2 x 2 faces) shown for a life.
TextureCorner meterFace(float life);

// Draws bar, frame and face in the 640 x 480 screen space, which the caller has set up.
void drawMeter(float life, Texture meterTexture, Texture faceTexture);
