// Handles: deep copies, the building lookups, and the shared none value that must never change.
#include "datatree.h"

#include <gtest/gtest.h>

TEST(DataRef, CopiesAreDeep) {
    DataRef original;
    original.member("list").makeArray(2);
    original.member("list")->item(0)->setText("x");
    DataRef copy = original;
    copy.member("list")->item(0)->setText("y");
    EXPECT_EQ(original.member("list")->item(0)->text(), "x");

    DataRef assigned;
    assigned = original;
    original.member("list")->removeLast();
    EXPECT_EQ(assigned.member("list")->size(), 2u);
    EXPECT_EQ(original.member("list")->size(), 1u);

    DataRef moved = std::move(copy);
    EXPECT_EQ(moved.member("list")->item(0)->text(), "y");
    EXPECT_EQ(copy.kind(), DataKind::Text);  // a moved-from handle still holds a node
}

TEST(DataRef, MemberBuildsOnlyOnEmptyValues) {
    DataRef emptyArray;
    emptyArray.makeArray(0);
    ASSERT_EQ(emptyArray.kind(), DataKind::Array);
    emptyArray.member("k")->setText("v");
    EXPECT_EQ(emptyArray.kind(), DataKind::Map);

    DataRef five;
    five->setText("5");
    EXPECT_EQ(&five.member("k"), &noneRef());
    EXPECT_EQ(five->text(), "5");

    DataRef full;
    full.makeArray(1);
    EXPECT_EQ(&full.member("k"), &noneRef());
    EXPECT_EQ(full.kind(), DataKind::Array);

    // A missing key is created as an empty text, which reads as no number.
    DataRef map;
    std::int32_t width = 640;
    readInt(map.member("width"), width);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(map->size(), 1u);
    EXPECT_EQ(&map->find("height"), &noneRef());  // find never creates
    EXPECT_EQ(map->size(), 1u);
}

TEST(DataRef, MakeArraySetIntSetFloatRespectKinds) {
    DataRef map;
    map.member("a");
    map.makeArray(3);  // not empty and not an array: unchanged
    EXPECT_EQ(map.kind(), DataKind::Map);
    map.setInt(5);  // a non-empty map is not a text: nothing
    EXPECT_EQ(map.kind(), DataKind::Map);

    DataRef array;
    array.makeArray(3);
    EXPECT_EQ(array->size(), 3u);
    array.makeArray(1);
    EXPECT_EQ(array->size(), 1u);
    array->item(0).setFloat(0.5f);
    EXPECT_EQ(array->item(0)->text(), "0.5");
    array->resize(0);
    array.setInt(3);  // an empty array becomes a text
    EXPECT_EQ(array->text(), "3");
}

TEST(DataRef, NoneValueIgnoresEveryChange) {
    DataRef& none = noneRef();
    none.member("x");
    none.makeArray(4);
    none.setInt(3);
    none.setFloat(1.5f);
    none->setText("t");
    none->append();
    DataRef other;
    other->setText("replacement");
    none = other;
    none = std::move(other);
    EXPECT_EQ(none.kind(), DataKind::None);
    EXPECT_EQ(none->size(), 0u);
    EXPECT_EQ(&none->text(), &emptyText());
    EXPECT_EQ(&none->item(3)->find("a")->item(2), &noneRef());  // chained lookups end at none
    EXPECT_TRUE(none->clone()->isEmpty());
}

TEST(DataRef, ArrayAndMapOperations) {
    DataRef array;
    array.makeArray(0);
    array->append()->setText("a");
    array->append()->setText("b");
    EXPECT_EQ(array->item(1)->text(), "b");
    EXPECT_EQ(&array->item(2), &noneRef());
    array->removeLast();
    array->removeLast();
    array->removeLast();  // on an empty array: nothing
    EXPECT_TRUE(array->isEmpty());

    DataRef map;
    map.member("z")->setText("1");
    EXPECT_EQ(&map->append(), &noneRef());
    EXPECT_EQ(&map->item(0), &noneRef());
    map->clear();
    EXPECT_TRUE(map->isEmpty());
    EXPECT_EQ(map.kind(), DataKind::Map);
}
