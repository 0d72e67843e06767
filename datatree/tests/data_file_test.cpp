// Files: CR LF reads as LF, missing files read as empty text, writing produces the canonical line.
#include "datatree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::filesystem::path scratch(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() / ("datatree_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir / name;
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

TEST(DataFile, CarriageReturnLineFeedReadsAsLineFeed) {
    const auto path = scratch("crlf.model");
    writeBytes(path, "{name=\"a\r\nb\",lone=\"c\rd\",}\r\n");
    DataRef root;
    readDataFile(path.string(), root);
    EXPECT_EQ(root->find("name")->text(), "a\nb");
    EXPECT_EQ(root->find("lone")->text(), "c\rd");
}

TEST(DataFile, MissingFileReadsAsEmptyTextAndKeepsDefaults) {
    DataRef root;
    root->setText("stale");
    readDataFile(scratch("does-not-exist.pose").string(), root);
    EXPECT_EQ(root.kind(), DataKind::Text);
    EXPECT_TRUE(root->isEmpty());
    float scale = 1.5f;
    readFloat(root.member("scale"), scale);
    EXPECT_EQ(scale, 1.5f);
}

TEST(DataFile, FoldersAndOversizedFilesReadAsMissing) {
    const auto folder = scratch("folder.items");
    std::filesystem::create_directories(folder);
    DataRef root;
    root->setText("stale");
    readDataFile(folder.string(), root);
    EXPECT_EQ(root.kind(), DataKind::Text);
    EXPECT_TRUE(root->isEmpty());
    std::string bytes = "junk";
    EXPECT_FALSE(readWholeFile(folder.string(), bytes));
    EXPECT_TRUE(bytes.empty());

    // A valid map padded with spaces to one byte past the limit, then to the limit exactly.
    const auto big = scratch("big.ground");
    std::string text = "{size=3,}";
    text.resize(kMaxDataFileBytes + 1, ' ');
    writeBytes(big, text);
    readDataFile(big.string(), root);
    EXPECT_EQ(root.kind(), DataKind::Text);
    text.resize(kMaxDataFileBytes);
    writeBytes(big, text);
    readDataFile(big.string(), root);
    ASSERT_EQ(root.kind(), DataKind::Map);
    EXPECT_EQ(root->find("size")->text(), "3");
    std::filesystem::remove(big);
}

TEST(DataFile, WriteThenReadBack) {
    const auto path = scratch("out.model");
    DataRef root;
    root.member("parts").makeArray(1);
    root.member("parts")->item(0).member("file")->setText("arm.part");
    ASSERT_TRUE(writeDataFile(path.string(), root));
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "{parts=[{file=arm.part,},],},");
    DataRef back;
    readDataFile(path.string(), back);
    EXPECT_EQ(writeDataString(back), bytes);
    EXPECT_FALSE(writeDataFile((scratch("no-such-dir") / "x" / "y.model").string(), root));
}
