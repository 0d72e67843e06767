#pragma once
// The input script of a scripted run: lines "FROM[-TO] WORDS" naming the frames (counted from 0)
// during which the words hold. A word is one of
//   KEYS     pad keys held: a string of the letters L R U D Z X C V, or "-" for none;
//   ML MR    mouse buttons held (left, right; "MLR" both);
//   @X,Y     the mouse pointer, in window pixels from the top left (may lie outside the window);
//   J@X,Y,Z  joystick 0 plugged in, its axes on 0 ... 65535 ("-" for an axis it lacks).
// A line has at least one word and each kind at most once. Frames that no line names hold no keys
// or buttons and no joystick; lines naming the same frame add their keys and buttons up, and the
// later line's pointer and joystick win. The pointer stays where a line last put it (at 0,0 before
// any). '#' starts a comment.

#include "platform/input_devices.h"

#include <cstdint>
#include <string>
#include <vector>

// Everything a script holds for one frame. Joystick buttons are the pad keys Z X C V, so a joystick
// here has no buttons of its own.
struct ScriptFrame {
    std::uint32_t keys = 0;  // PadKey bits
    MouseState mouse;
    bool joystickPresent = false;
    JoystickPosition joystick;
};

bool operator==(const ScriptFrame& a, const ScriptFrame& b);

class ReplayScript {
public:
    // Returns false and describes the first bad line in error (with its line number); the script is
    // then left empty.
    bool parse(const std::string& text, std::string& error);
    bool load(const std::string& path, std::string& error);

    ScriptFrame frameAt(std::uint64_t frame) const;
    // The PadKey bits held during the given frame.
    std::uint32_t keysAt(std::uint64_t frame) const { return frameAt(frame).keys; }

    // The script line "FROM[-TO] WORDS" that holds input during the frames first ... last, with the
    // pointer always given. A joystick axis whose range is not 0 ... 65535 is written on that range
    // (0 ... 0 as absent).
    static std::string line(std::uint64_t first, std::uint64_t last, const ScriptFrame& input);

private:
    // From `start` up to the next segment's start, the input is `input`.
    struct Segment {
        std::uint64_t start = 0;
        ScriptFrame input;
    };
    std::vector<Segment> segments_;
};
