// The journal of real play: readings pass through unchanged, one line is written per change of input,
// joystick buttons become the keys they stand for, and the script read back gives every frame again.
#include "game/replay/input_journal.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

// Devices that play back a list of frames, as a person's hands would produce them.
struct Hands final : PadDevice, PointerDevice {
    std::vector<ScriptFrame> frames;
    std::vector<std::uint32_t> stickButtons;  // per frame
    std::size_t pad = 0, mouse = 0;

    MouseState readMouse() override { return frames[mouse++].mouse; }
    std::uint32_t heldKeys() override { return frames[pad++].keys; }
    bool readJoystick(JoystickPosition& position) override {
        const ScriptFrame& frame = frames[pad - 1];
        if (!frame.joystickPresent) return false;
        position = frame.joystick;
        position.buttons = stickButtons[pad - 1];
        return true;
    }
};

}  // namespace

TEST(InputJournal, WritesOneLinePerChangeAndReadsBackFrameForFrame) {
    Hands hands;
    ScriptFrame input;
    auto add = [&](int count, std::uint32_t stickButtons = 0) {
        for (int i = 0; i < count; ++i) {
            hands.frames.push_back(input);
            hands.stickButtons.push_back(stickButtons);
        }
    };
    add(3);
    input.keys = kPadKeyRight;
    add(4);
    input.mouse = {320, 240, false, true};
    add(1);
    input.mouse.right = false;
    input.joystickPresent = true;
    input.joystick.x = 40000;
    add(2, 1u << 0 | 1u << 3 | 1u << 9);  // buttons 1, 4 and 10: Z, V and one the game never reads
    input.joystick.x = 40001;
    add(1);
    input.joystickPresent = false;
    input.mouse = {-3, 500, true, false};
    input.keys = kPadKeyZ | kPadKeyV;
    add(5);

    std::ostringstream out;
    {
        InputJournal journal(hands, hands, out);
        for (std::size_t frame = 0; frame < hands.frames.size(); ++frame) {
            const MouseState mouse = journal.readMouse();
            const std::uint32_t keys = journal.heldKeys();
            JoystickPosition stick;
            const bool present = journal.readJoystick(stick);
            // Passed through untouched, joystick buttons included.
            EXPECT_EQ(mouse.x, hands.frames[frame].mouse.x);
            EXPECT_EQ(keys, hands.frames[frame].keys);
            EXPECT_EQ(present, hands.frames[frame].joystickPresent);
            if (present) {
                EXPECT_EQ(stick.buttons, hands.stickButtons[frame]);
            }
        }
        EXPECT_EQ(journal.frames(), hands.frames.size() - 1) << "the last frame is open until the next one begins";
    }  // the journal's end writes the last line

    EXPECT_EQ(out.str(),
              "0-2 - @0,0\n"
              "3-6 R @0,0\n"
              "7 R MR @320,240\n"
              "8-9 RZV @320,240 J@40000,0,0\n"
              "10 R @320,240 J@40001,0,0\n"
              "11-15 ZV ML @-3,500\n"
              "# 16 frames: puppet-replay --script FILE --frames 16\n");

    ReplayScript script;
    std::string error;
    ASSERT_TRUE(script.parse(out.str(), error)) << error;
    for (std::size_t frame = 0; frame < hands.frames.size(); ++frame) {
        ScriptFrame want = hands.frames[frame];
        want.joystick.buttons = 0;
        for (int i = 0; i < 4; ++i) {
            if (hands.stickButtons[frame] & (1u << i)) want.keys |= kPadKeyZ << i;
        }
        EXPECT_TRUE(script.frameAt(frame) == want) << "frame " << frame;
    }
}
