// Files that cannot be read still read as empty, and each is named once with its reason: missing, a
// folder, over the size limit; quiet until a program asks for the reports.
#include "data_file.h"
#include "read_failures.h"
#include "whole_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

TEST(ReadFailures, EachUnreadableFileIsNamedOnceWithItsReason) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "dolvane-read-XXXXXX").string();
    const fs::path folder = mkdtemp(pattern.data());
    fs::create_directories(folder / "a folder");
    std::ofstream(folder / "good.txt") << "[1 2]";
    const std::string missing = (folder / "missing.model").string();
    const std::string directory = (folder / "a folder").string();

    // Quiet before a program asks.
    DataRef root;
    readDataFile(missing, root);

    std::vector<std::string> said;
    read_failures::reportTo([&said](const std::string& line) { said.push_back(line); });
    for (int i = 0; i < 3; ++i) {
        readDataFile(missing, root);
        readDataFile(directory, root);
        readDataFile((folder / "good.txt").string(), root);
    }
    EXPECT_EQ(said, (std::vector<std::string>{"cannot read " + missing + ": no such file",
                                              "cannot read " + directory + ": a folder, not a file"}));

    // Over the size limit: empty, with the limit named.
    std::string bytes = "x", why;
    EXPECT_FALSE(readWholeFile((folder / "good.txt").string(), bytes, 2, &why));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(why, "larger than 2 bytes");
    EXPECT_TRUE(readWholeFile((folder / "good.txt").string(), bytes, 5, &why));
    EXPECT_EQ(bytes, "[1 2]");

    // Turning the reports off forgets what was said.
    read_failures::reportTo(nullptr);
    readDataFile(missing, root);
    EXPECT_EQ(said.size(), 2u);
    read_failures::reportTo([&said](const std::string& line) { said.push_back(line); });
    readDataFile(missing, root);
    EXPECT_EQ(said.size(), 3u);
    read_failures::reportTo(nullptr);
    fs::remove_all(folder);
}
