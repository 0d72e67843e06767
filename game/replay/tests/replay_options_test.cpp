// The command line of puppet-replay.
#include "game/replay/replay_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool parse(std::vector<const char*> args, ReplayOptions& options, std::string& error) {
    args.insert(args.begin(), "puppet-replay");
    return parseReplayOptions(static_cast<int>(args.size()), args.data(), options, error);
}

}  // namespace

TEST(ReplayOptions, ValuesAndDefaults) {
    ReplayOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--dir", "run", "--script", "s.txt", "--frames", "120", "--shot", "5:a.png", "--shot",
                       "0:b:c.png", "--paced"},
                      options, error))
        << error;
    EXPECT_EQ(options.dir, "run");
    EXPECT_EQ(options.script, "s.txt");
    EXPECT_EQ(options.frames, 120u);
    EXPECT_EQ(options.shots.size(), 2u);
    EXPECT_EQ(options.shots.at(5), "a.png");
    EXPECT_EQ(options.shots.at(0), "b:c.png");  // only the first colon splits
    EXPECT_TRUE(options.paced);

    ASSERT_TRUE(parse({"--shot", "30:x.png"}, options, error));
    EXPECT_EQ(options.frames, 31u);  // long enough for the last shot
    EXPECT_FALSE(options.paced);
    EXPECT_TRUE(options.dir.empty());
    ASSERT_TRUE(parse({}, options, error));
    EXPECT_EQ(options.frames, 1u);

    // States are asked for like shots, and the run lasts past the last of either.
    ASSERT_TRUE(parse({"--shot", "3:a.png", "--state", "40:s.json", "--state", "7:t.json"}, options, error)) << error;
    EXPECT_EQ(options.states.size(), 2u);
    EXPECT_EQ(options.states.at(40), "s.json");
    EXPECT_EQ(options.frames, 41u);
    ASSERT_TRUE(parse({"--state", "2:s.json", "--shot", "9:a.png"}, options, error));
    EXPECT_EQ(options.frames, 10u);
    EXPECT_FALSE(options.shotsOnly);
    // A shot of frame N with --frames N is the last picture of the run, not a frame beyond it.
    ASSERT_TRUE(parse({"--frames", "10", "--shot", "10:a.png", "--shots-only"}, options, error)) << error;
    EXPECT_EQ(options.frames, 11u);
    EXPECT_TRUE(options.shotsOnly);

    // A recorded run lasts until the player quits, unless told otherwise.
    ASSERT_TRUE(parse({"--record", "run.txt", "--paced", "--shot", "9:a.png"}, options, error)) << error;
    EXPECT_EQ(options.record, "run.txt");
    EXPECT_GT(options.frames, 1'000'000'000u);
    ASSERT_TRUE(parse({"--record", "run.txt", "--frames", "50"}, options, error)) << error;
    EXPECT_EQ(options.frames, 50u);

    // A random player for a soak, its memory written down.
    ASSERT_TRUE(parse({"--random", "0", "--frames", "9000", "--memory-log", "m.txt"}, options, error)) << error;
    EXPECT_TRUE(options.random);
    EXPECT_EQ(options.randomSeed, 0u);
    EXPECT_FALSE(options.crazy);
    EXPECT_EQ(options.memoryLog, "m.txt");
    EXPECT_EQ(options.memoryInterval, 1000u);
    ASSERT_TRUE(parse({"--random", "0", "--frames", "500", "--memory-log", "m.txt", "--memory-every", "50"}, options,
                      error))
        << error;
    EXPECT_EQ(options.memoryInterval, 50u);
    ASSERT_TRUE(parse({"--crazy", "--random", "18446744073709551615", "--frames", "5"}, options, error)) << error;
    EXPECT_EQ(options.randomSeed, 18446744073709551615u);
    EXPECT_TRUE(options.crazy);
    EXPECT_TRUE(options.memoryLog.empty());
}

TEST(ReplayOptions, NonsenseIsRefused) {
    const std::vector<std::vector<const char*>> bad = {
        {"--frames"},          {"--frames", "0"},       {"--frames", "-3"},        {"--frames", "12x"},
        {"--shot", "5"},       {"--shot", "x:a.png"},   {"--shot", "5:"},          {"--bogus"},
        {"--shot", "11:a.png", "--frames", "10"},        {"frames", "10"},
        {"--state", "5"},      {"--state", ":s.json"},  {"--state", "4:"},
        {"--state", "11:s.json", "--frames", "10"},      {"--record"},          {"--record", ""},
        {"--record", "r.txt", "--shots-only"},
        {"--record", "r.txt", "--script", "s.txt"},
        {"--random", "1"},     {"--random", "x", "--frames", "5"},          {"--random", "-1", "--frames", "5"},
        {"--random", "1", "--frames", "5", "--script", "s.txt"},          {"--crazy", "--frames", "5"},
        {"--random", "1", "--frames", "5", "--record", "r.txt"},          {"--memory-log", ""},
        {"--memory-every", "0"}};
    for (const auto& args : bad) {
        ReplayOptions options;
        std::string error;
        EXPECT_FALSE(parse(args, options, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}
