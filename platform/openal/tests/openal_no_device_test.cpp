// No sound device at all: every call answers "cannot", and nothing crashes or blocks.

#include "platform/openal/openal_output.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

class NoDriver : public ::testing::Environment {
public:
    void SetUp() override { setenv("ALSOFT_DRIVERS", "no-such-driver", 1); }
};
[[maybe_unused]] auto* const kDriver = ::testing::AddGlobalTestEnvironment(new NoDriver);

}  // namespace

TEST(OpenAlOutput, WithoutADeviceEverythingIsSilence) {
    auto output = makeOpenAlOutput();
    AudioFormat format;
    format.type = SampleType::pcm16;
    format.channels = 2;
    format.rate = 44100;
    std::vector<std::uint8_t> bytes(4096, 0);
    EXPECT_FALSE(output->playEffect(format, bytes.data(), bytes.size()));
    EXPECT_EQ(output->openStream(format), nullptr);
    output->stopEffect();
    // The device is tried once only; later calls stay silent just as quickly.
    EXPECT_FALSE(output->playEffect(format, bytes.data(), bytes.size()));
    EXPECT_EQ(output->openStream(format), nullptr);
}
