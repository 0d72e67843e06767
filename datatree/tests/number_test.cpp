// readInt and readFloat: what counts as a number, and that anything else keeps the caller's default.
#include "datatree.h"

#include <gtest/gtest.h>

namespace {

DataRef text(const std::string& chars) {
    DataRef ref;
    ref->setText(chars);
    return ref;
}

std::int32_t intOf(const std::string& chars, std::int32_t fallback = 4242) {
    std::int32_t value = fallback;
    readInt(text(chars), value);
    return value;
}

float floatOf(const std::string& chars, float fallback = 42.5f) {
    float value = fallback;
    readFloat(text(chars), value);
    return value;
}

}  // namespace

TEST(ReadInt, PrefixRules) {
    EXPECT_EQ(intOf("12abc"), 12);
    EXPECT_EQ(intOf("3.7"), 3);
    EXPECT_EQ(intOf("0x1F"), 0);
    EXPECT_EQ(intOf("-0012"), -12);
    EXPECT_EQ(intOf("+5"), 5);
    EXPECT_EQ(intOf("2147483647"), 2147483647);
    EXPECT_EQ(intOf("-2147483648"), -2147483647 - 1);
    // No digits, or out of range: the target keeps its value.
    for (const char* bad : {"", "abc", "-", "+", " 5", "2147483648", "-2147483649", "99999999999999999999"}) {
        EXPECT_EQ(intOf(bad), 4242) << bad;
    }
}

TEST(ReadInt, NonTextsKeepTheTarget) {
    std::int32_t value = 9;
    DataRef map;
    map.member("a");
    readInt(map, value);
    readInt(noneRef(), value);
    EXPECT_EQ(value, 9);
}

TEST(ReadFloat, DecimalForms) {
    EXPECT_FLOAT_EQ(floatOf("1e-005"), 0.00001f);
    EXPECT_FLOAT_EQ(floatOf("1.5.3"), 1.5f);
    EXPECT_FLOAT_EQ(floatOf("-2.25abc"), -2.25f);
    EXPECT_FLOAT_EQ(floatOf("+.5"), 0.5f);
    EXPECT_FLOAT_EQ(floatOf("7."), 7.f);
    EXPECT_FLOAT_EQ(floatOf("3e"), 3.f);     // an exponent without digits is not part of the number
    EXPECT_FLOAT_EQ(floatOf("2E+2x"), 200.f);
    EXPECT_FLOAT_EQ(floatOf("0.1"), 0.1f);  // rounded to single precision
    EXPECT_FLOAT_EQ(floatOf("1e-60"), 0.f);  // underflow reads as zero
    for (const char* bad : {"", ".", "-.", "e5", "inf", "nan", "abc", "1e39", "-1e39", "1e999"}) {
        EXPECT_FLOAT_EQ(floatOf(bad), 42.5f) << bad;
    }
}
