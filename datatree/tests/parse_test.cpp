// How texts, arrays and maps are read, including every oddity that stored files may rely on.
#include "datatree.h"
#include "parse_helper.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(Parse, EmptyAndBlankInputReadAsEmptyText) {
    for (const char* input : {"", " \t\r\n\v\f  \n"}) {
        DataRef root = parse(input);
        EXPECT_EQ(root.kind(), DataKind::Text) << '"' << input << '"';
        EXPECT_TRUE(root->isEmpty());
    }
    EXPECT_EQ(parse("5")->text(), "5");
}

TEST(Parse, UnquotedTextsDropSpacesAndStopAtSeparators) {
    EXPECT_EQ(parse("a b c,")->text(), "abc");
    EXPECT_EQ(parse("  x{[=\"y , z")->text(), "x{[=\"y");
    EXPECT_EQ(parse("ab]cd")->text(), "ab");
    // Bytes above 127 are ordinary characters.
    EXPECT_EQ(parse("\xe3\x81\x82\xff,")->text(), "\xe3\x81\x82\xff");
}

TEST(Parse, QuotedTextsKeepEverythingAndDiscardTheTail) {
    EXPECT_EQ(parse("\"a b,]}\n{[c\",")->text(), "a b,]}\n{[c");
    EXPECT_EQ(parse("\"ab\"junk here,")->text(), "ab");
    EXPECT_EQ(parse("\"unterminated, to the end\n")->text(), "unterminated, to the end\n");
    DataRef map = parse("{a=\"x\"y,b=2,}");
    EXPECT_EQ(map->find("a")->text(), "x");
    EXPECT_EQ(map->find("b")->text(), "2");
}

TEST(Parse, MapEntriesNeedCommas) {
    DataRef map = parse("{a=1 b=2}");
    ASSERT_EQ(map.kind(), DataKind::Map);
    EXPECT_EQ(map->size(), 1u);
    EXPECT_EQ(map->find("a")->text(), "1b=2");

    DataRef twice = parse("{a=1,a=2,}");
    EXPECT_EQ(twice->size(), 1u);
    EXPECT_EQ(twice->find("a")->text(), "2");

    DataRef empty = parse("{a=}");
    EXPECT_EQ(empty->size(), 1u);
    EXPECT_EQ(empty->find("a").kind(), DataKind::Text);
    EXPECT_TRUE(empty->find("a")->isEmpty());

    for (const char* input : {"{a}", "{,}", "{}"}) {
        DataRef m = parse(input);
        EXPECT_EQ(m.kind(), DataKind::Map) << input;
        EXPECT_EQ(m->size(), 0u) << input;
    }
    // Spaces inside a key vanish; a second comma starts the next key.
    DataRef spaced = parse("{a b=1,,c=2,}");
    EXPECT_EQ(spaced->find("ab")->text(), "1");
    EXPECT_EQ(spaced->find(",c")->text(), "2");
}

TEST(Parse, ArrayElementCounts) {
    EXPECT_EQ(parse("[1,,2]")->size(), 3u);
    EXPECT_TRUE(parse("[1,,2]")->item(1)->isEmpty());
    EXPECT_EQ(parse("[1,]")->size(), 1u);
    EXPECT_EQ(parse("[,]")->size(), 1u);
    EXPECT_EQ(parse("[,]")->item(0).kind(), DataKind::Text);
    EXPECT_EQ(parse("[]")->size(), 0u);
    EXPECT_EQ(parse("[ 1 , 2 , ]")->size(), 2u);
    DataRef junk = parse("{a=[1]junk,b=2,}");
    EXPECT_EQ(junk->find("a")->size(), 1u);
    EXPECT_EQ(junk->find("a")->item(0)->text(), "1");
    EXPECT_EQ(junk->find("b")->text(), "2");
}

TEST(Parse, BraceInsideArrayClosesTheEnclosingMap) {
    // The brace ends the array and is left to the map, which it closes.
    DataRef map = parse("{a=[1,2},b=3,}");
    ASSERT_EQ(map.kind(), DataKind::Map);
    EXPECT_EQ(map->find("a")->size(), 2u);
    EXPECT_EQ(map->find("a")->item(1)->text(), "2");
    EXPECT_EQ(map->size(), 1u);  // the map ended at the brace; b is never read

    DataRef array = parse("[1}");
    EXPECT_EQ(array->size(), 1u);
    EXPECT_EQ(array->item(0)->text(), "1");
}

TEST(Parse, TruncatedInputEndsEveryOpenValue) {
    DataRef root = parse("{a=[1,{b=x");
    ASSERT_EQ(root.kind(), DataKind::Map);
    DataRef& inner = root->find("a")->item(1);
    EXPECT_EQ(inner->find("b")->text(), "x");
    // A key cut off before its '=' creates nothing.
    EXPECT_EQ(parse("{a=1,bc")->size(), 1u);
    // Only the first value is read.
    EXPECT_EQ(parse("1,2,3")->text(), "1");
}

TEST(Parse, NestedStructuresReadFully) {
    DataRef root = parse("{parts=[{file=a.part,},{file=\"b c.part\",},],size=2,}");
    EXPECT_EQ(root->find("parts")->size(), 2u);
    EXPECT_EQ(root->find("parts")->item(1)->find("file")->text(), "b c.part");
    EXPECT_EQ(root.member("parts").node().item(0)->find("file")->text(), "a.part");
}

TEST(Parse, DeepNestingIsBoundedNotAStackOverflow) {
    // 100,000 open brackets: the parse stops at the depth bound as if the input ended there.
    DataRef deep = parse(std::string(100000, '['));
    int depth = 0;
    const DataRef* at = &deep;
    while ((*at).kind() == DataKind::Array) {
        ++depth;
        at = &(*at)->item(0);
    }
    EXPECT_EQ(depth, kMaxDataDepth);
    // The same for maps, and copying and writing such a tree work too.
    std::string nestedMaps;
    for (int i = 0; i < 100000; ++i) nestedMaps += "{a=";
    DataRef maps = parse(nestedMaps);
    DataRef copy = maps;
    const std::string written = writeDataString(copy);  // 512 times "{a=" … "},", innermost a empty
    EXPECT_EQ(written.size(), static_cast<std::size_t>(kMaxDataDepth) * 5 + 1);
    // A tree within the bound reads completely.
    std::string ok = std::string(kMaxDataDepth, '[') + "x" + std::string(kMaxDataDepth, ']');
    DataRef within = parse(ok);
    at = &within;
    for (int i = 0; i < kMaxDataDepth; ++i) at = &(*at)->item(0);
    EXPECT_EQ((*at)->text(), "x");
}

TEST(Parse, ParseValueLeavesTargetAloneOnFailedStream) {
    DataRef target;
    target.setInt(7);
    std::istringstream in("");
    in.setstate(std::ios::failbit);
    parseValue(target, in);
    EXPECT_EQ(target->text(), "7");
    // Parsing into the shared none value never replaces it.
    std::istringstream text("{a=1,}");
    parseValue(noneRef(), text);
    EXPECT_EQ(noneRef().kind(), DataKind::None);
}
