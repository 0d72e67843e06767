// puppet-data's output is a contract for modders and tests: JSON form, canonical form, exit codes.
#include "command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = runPuppetData(args, out, err);
    return {status, out.str(), err.str()};
}

std::string fileWith(const std::string& name, const std::string& bytes) {
    const auto dir = std::filesystem::temp_directory_path() / ("puppet_data_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary) << bytes;
    return (dir / name).string();
}

}  // namespace

TEST(PuppetData, JsonOfEveryKind) {
    const std::string file =
        fileWith("a.model", "{z=[1,,{q=\"a\\\"b\"},],a=\"x\ty\",\xe9=\x01\x7f\xff,b={},}\r\n");
    const ToolRun r = run({"json", file});
    EXPECT_EQ(r.status, 0);
    // Keys in byte order; the quote ends the quoted text at the backslash; Latin-1 bytes as UTF-8.
    EXPECT_EQ(r.out, "{\"a\":\"x\\ty\",\"b\":{},\"z\":[\"1\",\"\",{\"q\":\"a\\\\\"}],\"\xc3\xa9\":\"\\u0001\x7f\xc3\xbf\"}\n");
}

TEST(PuppetData, CanonAndMissingFiles) {
    const std::string file = fileWith("b.pose", "[ 1 , 2.50 ,\"two words\"]\n");
    EXPECT_EQ(run({"canon", file}).out, "[1,2.50,\"two words\",],\n");

    const ToolRun missing = run({"json", "/no/such/dir/x.model"});
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(missing.out, "\"\"\n");
    EXPECT_EQ(run({"canon", "/no/such/dir/x.model"}).out, ",\n");
    // A folder reads as a missing file.
    const ToolRun folder = run({"json", std::filesystem::path(file).parent_path().string()});
    EXPECT_EQ(folder.status, 0);
    EXPECT_EQ(folder.out, "\"\"\n");

    // A game path with backslashes names the same file.
    std::string gamePath = file;
    for (char& c : gamePath) c = c == '/' ? '\\' : c;
    EXPECT_EQ(run({"canon", gamePath}).out, "[1,2.50,\"two words\",],\n");
}

TEST(PuppetData, HelpAndUsageErrors) {
    const ToolRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("puppet-data json FILE"), std::string::npos);
    EXPECT_NE(help.out.find("puppet-data canon FILE"), std::string::npos);
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"frobnicate"}).status, 2);
    EXPECT_EQ(run({"json"}).status, 2);
    EXPECT_EQ(run({"json", "a", "b"}).status, 2);
}
