#pragma once
// A button counts as pressed only in the frame it goes down: set in this frame's pad sample and clear
// in the previous one's, so a key held from an earlier screen does not act again.

#include "game/shell/pad_input.h"

#include <cstdint>

inline constexpr std::uint32_t kConfirmButton = 1u << 0;  // Z or joystick button 1

inline bool newlyPressed(std::uint32_t bit) {
    const PadInput* pad = PadInput::instance();
    if (!pad) return false;
    return (pad->record(0).buttons & bit) != 0 && (pad->record(1).buttons & bit) == 0;
}
