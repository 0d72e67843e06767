// The canonical written form and what survives a write-then-read round trip.
#include "datatree.h"
#include "parse_helper.h"

#include <gtest/gtest.h>

TEST(Write, CanonicalFormQuotesOnlyTextsWithSpaces) {
    DataRef root;
    root.member("name")->setText("big box");
    root.member("size").makeArray(2);
    root.member("size")->item(0).setInt(1);
    root.member("size")->item(1).setFloat(2.5f);
    EXPECT_EQ(writeDataString(root), "{name=\"big box\",size=[1,2.5,],},");

    DataRef text;
    EXPECT_EQ(writeDataString(text), ",");  // an empty text writes nothing but its comma
    text->setText("tab\there");
    EXPECT_EQ(writeDataString(text), "\"tab\there\",");
    EXPECT_EQ(writeDataString(noneRef()), "");
}

TEST(Write, MapKeysInUnsignedByteOrder) {
    DataRef root;
    for (const char* key : {"b", "\xe9t\xe9", "a", "ab", "B", "", "A"}) root.member(key).setInt(1);
    std::string keys;
    for (std::uint32_t i = 0; i < root->size(); ++i) keys += "<" + root->keyAt(i) + ">";
    EXPECT_EQ(keys, "<><A><B><a><ab><b><\xe9t\xe9>");
    EXPECT_EQ(root->keyAt(99), "");
    EXPECT_EQ(&root->keyAt(99), &emptyText());
}

TEST(Write, RoundTripKeepsSafeTrees) {
    const std::string source =
        "{parts=[{file=\"a b.part\",pic_frame=[0,0.5,1,],},{file=c.part,},],\xc3\xa9=x,name=\"two words\",}";
    DataRef first = parse(source);
    const std::string written = writeDataString(first);
    DataRef second = parse(written);
    EXPECT_EQ(writeDataString(second), written);
    EXPECT_EQ(second->find("parts")->item(0)->find("file")->text(), "a b.part");
    EXPECT_EQ(second->find("parts")->item(0)->find("pic_frame")->item(1)->text(), "0.5");
    EXPECT_EQ(second->find("\xc3\xa9")->text(), "x");
}

TEST(Write, UnsafeTextsAreWrittenAsTheyStand) {
    // A text holding a comma and no space is not quoted, so it does not survive a round trip.
    DataRef root;
    root.member("a")->setText("1,2");
    EXPECT_EQ(writeDataString(root), "{a=1,2,},");
    DataRef back = parse(writeDataString(root));
    EXPECT_EQ(back->find("a")->text(), "1");
}

TEST(Write, SetIntAndSetFloatForms) {
    struct Case {
        float value;
        const char* text;
    };
    for (const Case& c : {Case{12.5f, "12.5"}, Case{0.1f, "0.1"}, Case{1e-5f, "1e-05"}, Case{100000.f, "100000"},
                          Case{1e6f, "1e+06"}, Case{-0.25f, "-0.25"}, Case{0.f, "0"}, Case{1.f / 3, "0.333333"},
                          Case{0.0001f, "0.0001"}}) {
        DataRef ref;
        ref.setFloat(c.value);
        EXPECT_EQ(ref->text(), c.text) << c.value;
        float back = 99;
        readFloat(ref, back);
        EXPECT_NEAR(back, c.value, 1e-6f * (1 + std::abs(c.value)));
    }
    DataRef ref;
    ref.setInt(-2147483647 - 1);
    EXPECT_EQ(ref->text(), "-2147483648");
    ref.setInt(0);
    EXPECT_EQ(ref->text(), "0");
    ref.setInt(-7);
    EXPECT_EQ(ref->text(), "-7");
}
