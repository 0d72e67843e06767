// Objects and words by exact name.

#include "flow_run.h"
#include "game/world/object_factory.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ObjectFactory, NamesMatchExactlyAndUnknownNamesMakeABubble) {
    FlowFolder folder;
    TextureCache cache;
    cache.setHeadless(true);
    folder.writeFigure("data/puppets/bubble/0.model", "data/puppets/bubble/normal.pose", 2);
    for (const char* name : {"Bubble", "bubble", "hero", "Nothing", "", "Bubble "}) {
        SCOPED_TRACE(name);
        const auto object = createObject(name);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->puppet.partCount(), 2u) << "a bubble";
        EXPECT_TRUE(object->puppet.has(Puppet::posed));
        EXPECT_EQ(object->hitCircles().size(), 2u) << "circles built";
        EXPECT_EQ(object->puppet.rootPart, 0);
    }
    EXPECT_EQ(createObject(nullptr)->puppet.partCount(), 2u);
}

TEST(ObjectFactory, TheHeroWearsTheModelOfTheStageBeforeAndTurnsAroundPartSix) {
    FlowFolder folder;
    TextureCache cache;
    cache.setHeadless(true);
    folder.writeFigure("data/hero/2.model", "data/hero/normal.pose", 7);
    folder.writeFigure("data/hero/0.model", "data/hero/normal.pose", 3);
    {
        GameScene scene;
        scene.stageNumber = 3;
        const auto hero = createObject("Hero");
        EXPECT_EQ(hero->puppet.partCount(), 7u);
        EXPECT_EQ(hero->puppet.rootPart, 6);
    }
    EXPECT_EQ(createObject("Hero")->puppet.partCount(), 3u) << "without a scene: the first model";
}

TEST(ObjectFactory, WordsByNameWithUkiForAnythingElse) {
    EXPECT_STREQ(wordFiles("Warning").model, "data\\etc\\warning.model");
    EXPECT_STREQ(wordFiles("Stage7").pose, "data\\etc\\stage7.pose");
    EXPECT_STREQ(wordFiles("LastStage").model, "data\\etc\\laststage.model");
    EXPECT_STREQ(wordFiles("Iyan").pose, "data\\word\\iyan.pose");
    for (const char* other : {"Stage8", "Stage0", "uki", "warning", "Clear!"}) {
        SCOPED_TRACE(other);
        EXPECT_STREQ(wordFiles(other).model, "data\\word\\uki.model");
    }
    EXPECT_STREQ(wordFiles("Clear").model, "data\\etc\\clear.model");

    FlowFolder folder;
    TextureCache cache;
    cache.setHeadless(true);
    folder.writeFigure("data/word/uki.model", "data/word/uki.pose", 3);
    folder.writeFigure("data/word/zaku.model", "data/word/zaku.pose", 1);
    EXPECT_EQ(createWord("Zaku")->puppet.partCount(), 1u);
    EXPECT_EQ(createWord("Stage9")->puppet.partCount(), 3u);
}
