// Pad scripts: frame spans, comments, keys adding up, and lines that must be refused.
#include "platform/null/null_pointer.h"
#include "platform/null/scripted_pad.h"

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
