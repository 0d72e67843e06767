// The key=value reader: no trimming, first duplicate wins, '#' lines and empty lines never match.
#include "game/shell/config_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

TEST(ConfigFile, LineFormat) {
    const ConfigFile config = ConfigFile::fromText(
        "name=Dolvane! Deluxe\r\n"
        "width = 800\n"
        "height=600px\n"
        "#full=1\n"
        "\n"
        "k#=v#\n"
        "height=700\n"
        "lonely\n"
        "empty=\n"
        "eq=a=b\n"
        "cr=x\r\r\n"
        "last=1\r");
    EXPECT_EQ(config.getString("name", "?"), "Dolvane! Deluxe");
    // A space on each side of '=' makes a different key ("width ") and value (" 800").
    EXPECT_EQ(config.getInt("width", 640), 640);
    EXPECT_EQ(config.getInt("width ", 640), 800);
    EXPECT_EQ(config.getInt("height", 480), 600);  // trailing letters ignored; the first duplicate wins
    EXPECT_EQ(config.getBool("full", false), false);
    EXPECT_EQ(config.getBool("#full", false), false);  // comment lines are never found
    EXPECT_EQ(config.getString("k#", ""), "v#");
    EXPECT_EQ(config.getString("lonely", ""), "lonely");  // no '=': key and value are the whole line
    EXPECT_EQ(config.getString("empty", "fallback"), "fallback");
    EXPECT_EQ(config.getString("eq", ""), "a=b");
    EXPECT_EQ(config.getString("cr", ""), "x\r");  // only the CR right before LF is dropped
    EXPECT_EQ(config.getString("last", ""), "1\r");
    EXPECT_EQ(config.getString("Name", "none"), "none");  // letter case counts
    EXPECT_EQ(config.lines().size(), 12u);
}

TEST(ConfigFile, NumbersAndBooleans) {
    const ConfigFile config = ConfigFile::fromText(
        "a=  -12\nb=abc\nc=99999999999\nd=1.5e2x\ne=1\nf=0\ng=2\nh=yes\ni=true\nj= 1\nk=+3\nl=\nm=1.9\n");
    EXPECT_EQ(config.getInt("a", 7), -12);
    EXPECT_EQ(config.getInt("b", 7), 7);
    EXPECT_EQ(config.getInt("c", 7), 7);
    EXPECT_EQ(config.getInt("d", 7), 1);
    EXPECT_FLOAT_EQ(config.getFloat("d", 7), 150.f);
    EXPECT_FLOAT_EQ(config.getFloat("b", 8.f), 8.f);
    EXPECT_FLOAT_EQ(config.getFloat("missing", 8.f), 8.f);
    EXPECT_EQ(config.getInt("k", 7), 3);
    EXPECT_EQ(config.getInt("l", 7), 7);
    EXPECT_TRUE(config.getBool("e", false));
    EXPECT_FALSE(config.getBool("f", true));
    EXPECT_TRUE(config.getBool("g", true));
    EXPECT_FALSE(config.getBool("g", false));
    EXPECT_FALSE(config.getBool("h", false));
    EXPECT_FALSE(config.getBool("i", false));
    EXPECT_TRUE(config.getBool("j", false));
    EXPECT_TRUE(config.getBool("m", false));  // read as the integer 1
}

TEST(ConfigFile, FilesAndMissingFiles) {
    const auto dir = std::filesystem::temp_directory_path() / ("config_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "config");
    std::ofstream(dir / "config" / "window.txt", std::ios::binary) << "width=1024\nfull=1";
    // Game paths use backslashes; they become slashes when the file is opened.
    const ConfigFile window((dir / "config").string() + "\\window.txt");
    EXPECT_EQ(window.getInt("width", 640), 1024);
    EXPECT_TRUE(window.getBool("full", false));

    const ConfigFile missing((dir / "config" / "nothing.txt").string());
    EXPECT_TRUE(missing.lines().empty());
    EXPECT_EQ(missing.getInt("width", 640), 640);
    EXPECT_EQ(missing.getString("name", "Dolvane!"), "Dolvane!");
    std::filesystem::remove_all(dir);
}
