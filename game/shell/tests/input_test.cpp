// The input samplers: 256-sample rings read by age, the key and joystick mapping and the axis formula.
#include "fake_platform.h"
#include "game/shell/pad_input.h"
#include "game/shell/pointer_input.h"

#include <gtest/gtest.h>

TEST(InputRing, AgesCountBackFromTheNewestAndWrapAt256) {
    InputRing<InputRecord> ring;
    for (std::uint32_t age = 0; age < 300; ++age) EXPECT_EQ(ring.record(age).buttons, 0u);
    for (std::uint32_t i = 1; i <= 10; ++i) ring.store(InputRecord{0, 0, 0, i});
    EXPECT_EQ(ring.record(0).buttons, 10u);
    EXPECT_EQ(ring.record(1).buttons, 9u);
    EXPECT_EQ(ring.record(9).buttons, 1u);
    EXPECT_EQ(ring.record(10).buttons, 0u);  // older than anything sampled: still the zero record
    EXPECT_EQ(ring.record(256).buttons, 10u);
    EXPECT_EQ(ring.record(257).buttons, 9u);
    for (std::uint32_t i = 11; i <= 600; ++i) ring.store(InputRecord{0, 0, 0, i});
    EXPECT_EQ(ring.record(0).buttons, 600u);
    EXPECT_EQ(ring.record(255).buttons, 345u);
    EXPECT_EQ(ring.record(256).buttons, 600u);
}

TEST(PadInput, KeysMapToAxesAndButtonsWithLeftAndDownWinning) {
    struct Case {
        std::uint32_t keys;
        float x, y;
        std::uint32_t buttons;
    };
    const Case cases[] = {
        {0, 0, 0, 0},
        {kPadKeyLeft, -1, 0, 0},
        {kPadKeyRight, 1, 0, 0},
        {kPadKeyLeft | kPadKeyRight, -1, 0, 0},
        {kPadKeyUp, 0, 1, 0},
        {kPadKeyDown, 0, -1, 0},
        {kPadKeyUp | kPadKeyDown, 0, -1, 0},
        {kPadKeyZ, 0, 0, 1},
        {kPadKeyX, 0, 0, 2},
        {kPadKeyC, 0, 0, 4},
        {kPadKeyV | kPadKeyRight | kPadKeyUp, 1, 1, 8},
        {kPadKeyZ | kPadKeyX | kPadKeyC | kPadKeyV, 0, 0, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        const InputRecord keyboardOnly = padRecord(c.keys, nullptr);
        EXPECT_EQ(keyboardOnly.x, c.x);
        EXPECT_EQ(keyboardOnly.y, c.y);
        EXPECT_EQ(keyboardOnly.z, 0);
        EXPECT_EQ(keyboardOnly.buttons, c.buttons);
    }
}

TEST(PadInput, JoystickAxesFollowTheFormulaAndKeysWinPerAxis) {
    EXPECT_EQ(joystickAxis(0, 0, 65535), -1.0f);
    EXPECT_EQ(joystickAxis(65535, 0, 65535), 1.0f);
    // A centred stick is not exactly 0: 32767 / 65535 * 2 - 1.
    EXPECT_EQ(joystickAxis(32767, 0, 65535), static_cast<float>(-1.0L / 65535));
    EXPECT_NE(joystickAxis(32767, 0, 65535), 0.0f);
    EXPECT_EQ(joystickAxis(100, 100, 300), -0.5f);  // the formula divides by min + max
    // A range whose ends sum to zero would divide by zero: it reads as 0.
    EXPECT_EQ(joystickAxis(12345, 0, 0), 0.0f);

    JoystickPosition stick;
    stick.x = 65535;  // far right
    stick.y = 0;      // pushed up (the stick's y grows downwards)
    stick.z = 65535;
    stick.buttons = 0x1F5;  // buttons 1, 3, 5-9: only 1-4 reach the pad
    InputRecord record = padRecord(0, &stick);
    EXPECT_EQ(record.x, 1.0f);
    EXPECT_EQ(record.y, 1.0f);
    EXPECT_EQ(record.z, 1.0f);
    EXPECT_EQ(record.buttons, 0x5u);

    record = padRecord(kPadKeyLeft | kPadKeyX, &stick);
    EXPECT_EQ(record.x, -1.0f);  // the key wins on x
    EXPECT_EQ(record.y, 1.0f);   // the stick still drives y
    EXPECT_EQ(record.buttons, 0x7u);
    record = padRecord(kPadKeyDown, &stick);
    EXPECT_EQ(record.x, 1.0f);
    EXPECT_EQ(record.y, -1.0f);

    stick.ranges.zMin = stick.ranges.zMax = 0;  // a stick without a throttle
    EXPECT_EQ(padRecord(0, &stick).z, 0.0f);
}

TEST(PadInput, HeldButtonsAreNewlyPressedOnlyOnceAndUnpluggingFallsBackAtOnce) {
    FakePad device;
    PadInput pad(device);
    EXPECT_EQ(PadInput::instance(), &pad);
    auto newlyPressed = [&] { return (pad.record(0).buttons & 1) && !(pad.record(1).buttons & 1); };

    device.keys = kPadKeyZ;  // held while the game starts: pressed in the first sampled frame
    pad.sample();
    EXPECT_TRUE(newlyPressed());
    for (int frame = 0; frame < 5; ++frame) {
        pad.sample();
        EXPECT_FALSE(newlyPressed());
    }
    device.keys = 0;
    pad.sample();
    EXPECT_FALSE(newlyPressed());
    device.keys = kPadKeyZ;
    pad.sample();
    EXPECT_TRUE(newlyPressed());

    device.keys = 0;
    device.joystickPlugged = true;
    device.joystick.x = 65535;
    pad.sample();
    EXPECT_EQ(pad.record(0).x, 1.0f);
    device.joystickPlugged = false;  // unplugged: this very frame reads the keyboard alone
    pad.sample();
    EXPECT_EQ(pad.record(0).x, 0.0f);
    EXPECT_EQ(pad.record(0).z, 0.0f);
    device.joystickPlugged = true;  // back again: used from the next sample on
    pad.sample();
    EXPECT_EQ(pad.record(0).x, 1.0f);
    EXPECT_EQ(pad.record(1).x, 0.0f);

    FakePad script;
    script.keys = kPadKeyUp;
    pad.setDevice(script);
    pad.sample();
    EXPECT_EQ(pad.record(0).y, 1.0f);
    EXPECT_EQ(pad.record(0).x, 0.0f);
}

TEST(PointerInput, ClientPixelsAndTwoButtons) {
    FakePointer device;
    {
        PointerInput pointer(device);
        EXPECT_EQ(PointerInput::instance(), &pointer);
        device.mouse = {-15, 900, true, false};  // outside the window stays as it is
        pointer.sample();
        device.mouse = {10, 20, false, true};
        pointer.sample();
        EXPECT_EQ(pointer.record(0).x, 10);
        EXPECT_EQ(pointer.record(0).y, 20);
        EXPECT_EQ(pointer.record(0).buttons, 2u);
        EXPECT_EQ(pointer.record(1).x, -15);
        EXPECT_EQ(pointer.record(1).y, 900);
        EXPECT_EQ(pointer.record(1).buttons, 1u);
        EXPECT_EQ(pointer.record(1).z, 0);
        EXPECT_EQ(pointer.record(2).buttons, 0u);
    }
    EXPECT_EQ(PointerInput::instance(), nullptr);
}
