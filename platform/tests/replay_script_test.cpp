// Input scripts: frame spans, comments, keys and buttons adding up, the pointer and joystick, lines
// that must be refused, and lines written by a journal.
#include "platform/null/null_pointer.h"
#include "platform/null/scripted_pad.h"
#include "platform/null/scripted_pointer.h"

#include <gtest/gtest.h>

TEST(ReplayScript, SpansCommentsAndOverlaps) {
    ReplayScript script;
    std::string error;
    ASSERT_TRUE(script.parse("# walk right, hop, then stand\n"
                             "0-9 R\n"
                             "5 Z   # hop while walking\n"
                             "\n"
                             "   12-12\tLUDXCV\r\n"
                             "20-21 -\n"
                             "30 RL\n",
                             error))
        << error;
    EXPECT_EQ(script.keysAt(0), kPadKeyRight);
    EXPECT_EQ(script.keysAt(5), kPadKeyRight | kPadKeyZ);
    EXPECT_EQ(script.keysAt(9), kPadKeyRight);
    EXPECT_EQ(script.keysAt(10), 0u);
    EXPECT_EQ(script.keysAt(12), kPadKeyLeft | kPadKeyUp | kPadKeyDown | kPadKeyX | kPadKeyC | kPadKeyV);
    EXPECT_EQ(script.keysAt(20), 0u);
    EXPECT_EQ(script.keysAt(30), kPadKeyLeft | kPadKeyRight);
    EXPECT_EQ(script.keysAt(1'000'000'000'000ull), 0u);
}

TEST(ReplayScript, BadLinesAreRefusedWithTheirNumber) {
    const char* bad[] = {"0-9\n",       "5 r\n",    "5 RZQ\n",     "9-3 R\n",     "a R\n",
                         "-5 R\n",      "5- R\n",   "5 R Z\n",     "1-2-3 R\n",   "99999999999999999999999 R\n",
                         "0 R\n1 -R\n", "+3 R\n",   "3 --\n"};
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        ReplayScript script;
        std::string error;
        EXPECT_FALSE(script.parse(text, error));
        EXPECT_NE(error.find("line "), std::string::npos);
        EXPECT_EQ(script.keysAt(0), 0u);  // nothing half-read is kept
    }
    ReplayScript script;
    std::string error;
    EXPECT_FALSE(script.parse("0 R\n\n7 x\n", error));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    EXPECT_FALSE(script.load("/nonexistent/script.txt", error));
    EXPECT_TRUE(script.parse("", error));
}

TEST(ScriptedPad, EachSampleIsTheNextFrameAndThereIsNoJoystick) {
    ReplayScript script;
    std::string error;
    ASSERT_TRUE(script.parse("1 Z\n2-3 L\n", error));
    ScriptedPad pad(script);
    EXPECT_EQ(pad.heldKeys(), 0u);
    EXPECT_EQ(pad.heldKeys(), kPadKeyZ);
    EXPECT_EQ(pad.heldKeys(), kPadKeyLeft);
    EXPECT_EQ(pad.heldKeys(), kPadKeyLeft);
    EXPECT_EQ(pad.heldKeys(), 0u);
    EXPECT_EQ(pad.framesPlayed(), 5u);
    JoystickPosition position;
    position.x = 7;
    EXPECT_FALSE(pad.readJoystick(position));
    EXPECT_EQ(position.x, 7u);

    NullPointer pointer;
    const MouseState mouse = pointer.readMouse();
    EXPECT_EQ(mouse.x, 0);
    EXPECT_FALSE(mouse.left || mouse.right);
}

// The mouse and joystick words: buttons add up like keys, the later line's pointer and stick win, and
// the pointer stays where it was last put.
TEST(ReplayScript, MouseAndJoystickWords) {
    ReplayScript script;
    std::string error;
    ASSERT_TRUE(script.parse("0-9 R @10,20\n"
                             "5 MR\n"
                             "12-13 ML @-5,700   # outside the window\n"
                             "12 Z MLR\n"
                             "20-29 J@0,65535,-\n"
                             "25 @1,2 J@32768,1,2\n"
                             "40-50 @7,7\n"
                             "45 @8,8\n",
                             error))
        << error;
    auto is = [&](std::uint64_t frame, std::uint32_t keys, int x, int y, bool left, bool right) {
        SCOPED_TRACE(frame);
        const ScriptFrame input = script.frameAt(frame);
        EXPECT_EQ(input.keys, keys);
        EXPECT_EQ(input.mouse.x, x);
        EXPECT_EQ(input.mouse.y, y);
        EXPECT_EQ(input.mouse.left, left);
        EXPECT_EQ(input.mouse.right, right);
        return input;
    };
    EXPECT_FALSE(is(0, kPadKeyRight, 10, 20, false, false).joystickPresent);
    is(5, kPadKeyRight, 10, 20, false, true);
    is(10, 0, 10, 20, false, false);
    is(12, kPadKeyZ, -5, 700, true, true);
    is(13, 0, -5, 700, true, false);
    is(17, 0, -5, 700, false, false);

    const ScriptFrame stick = is(20, 0, -5, 700, false, false);
    ASSERT_TRUE(stick.joystickPresent);
    EXPECT_EQ(stick.joystick.x, 0u);
    EXPECT_EQ(stick.joystick.y, 65535u);
    EXPECT_EQ(stick.joystick.ranges.yMax, 65535u);
    EXPECT_EQ(stick.joystick.ranges.zMin + stick.joystick.ranges.zMax, 0u) << "an axis the stick lacks";
    EXPECT_EQ(is(25, 0, 1, 2, false, false).joystick.x, 32768u);
    EXPECT_EQ(is(26, 0, 1, 2, false, false).joystick.x, 0u);
    EXPECT_FALSE(is(30, 0, 1, 2, false, false).joystickPresent);
    is(44, 0, 7, 7, false, false);
    is(45, 0, 8, 8, false, false);
    is(46, 0, 7, 7, false, false);
    is(1000, 0, 7, 7, false, false);

    // The pad and the mouse each count their own samples from the same script.
    ScriptedPad pad(script);
    ScriptedPointer pointer(script);
    for (int frame = 0; frame < 25; ++frame) {
        pointer.readMouse();
        pad.heldKeys();
    }
    EXPECT_EQ(pointer.readMouse().x, 1);
    EXPECT_EQ(pad.heldKeys(), 0u);
    JoystickPosition position;
    ASSERT_TRUE(pad.readJoystick(position));
    EXPECT_EQ(position.y, 1u);

    const char* bad[] = {"5 ML ML\n", "5 M\n",      "5 MX\n",         "5 @1\n",       "5 @1,2,3\n",
                         "5 @a,2\n",  "5 @+1,2\n",  "5 J@1,2\n",      "5 J@70000,0,0\n", "5 @1,2 @3,4\n",
                         "5 R ML L\n", "5 @1,\n",   "5 J@1,2,3 J@-,-,-\n", "5 @99999999999,0\n"};
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(script.parse(text, error));
        EXPECT_NE(error.find("line 1"), std::string::npos);
        EXPECT_EQ(script.frameAt(5).mouse.x, 0);
    }
}

// What a journal writes, a script reads back as the same input.
TEST(ReplayScript, WrittenLinesReadBack) {
    ScriptFrame plain;
    ScriptFrame busy;
    busy.keys = kPadKeyLeft | kPadKeyDown | kPadKeyV;
    busy.mouse = {-12, 900, true, true};
    busy.joystickPresent = true;
    busy.joystick.x = 1;
    busy.joystick.y = 65535;
    busy.joystick.z = 0;
    busy.joystick.ranges.zMax = 0;
    ScriptFrame odd = busy;  // a stick on another range is written on 0 ... 65535
    odd.joystick.ranges.xMax = 255;
    odd.joystick.x = 255;
    EXPECT_EQ(ReplayScript::line(3, 3, plain), "3 - @0,0");
    EXPECT_EQ(ReplayScript::line(4, 9, busy), "4-9 LDV MLR @-12,900 J@1,65535,-");
    EXPECT_EQ(ReplayScript::line(10, 10, odd), "10 LDV MLR @-12,900 J@65535,65535,-");

    ReplayScript script;
    std::string error;
    ASSERT_TRUE(script.parse(ReplayScript::line(0, 3, plain) + "\n" + ReplayScript::line(4, 9, busy) + "\n", error))
        << error;
    EXPECT_TRUE(script.frameAt(3) == plain);
    EXPECT_TRUE(script.frameAt(4) == busy);
    EXPECT_TRUE(script.frameAt(9) == busy);
    EXPECT_FALSE(script.frameAt(10) == busy);
}
