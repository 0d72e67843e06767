// A puppet from one input: the model, its pose and up to 16 part files ("0.part" to "15.part", the
// names the model's list uses), split at lines of "%%". Loaded, scaled, mirrored, posed, stepped 50
// times and its pictures placed, as a figure of the game is, with the texture cache headless.
#include "fuzz_files.h"
#include "fuzz_textures.h"
#include "puppet/model/pose.h"
#include "puppet/model/puppet.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
constexpr std::size_t kParts = 16;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    absoluteFuzzArguments(argc, argv);
    enterFuzzScratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TextureCache& cache = headlessTextureCache();
    const std::vector<std::string> pieces = splitFuzzInput(data, size, 2 + kParts);
    writeFuzzFile("fz/0.model", pieces[0]);
    writeFuzzFile("fz/0.pose", pieces[1]);
    for (std::size_t i = 0; i < kParts; ++i) writeFuzzFile("fz/" + std::to_string(i) + ".part", pieces[2 + i]);

    Puppet puppet;
    puppet.loadModel("fz\\0.model");
    puppet.scale(1.5f);
    puppet.mirror();
    puppet.setPose("fz\\0.pose");
    puppet.set(Puppet::posed, true);
    for (int i = 0; i < 50; ++i) puppet.step();
    for (PuppetPart& part : puppet.parts) part.placePicture();

    PoseCache::instance().clear();  // the next input rewrites the same pose file
    cache.clear();
    return 0;
}
