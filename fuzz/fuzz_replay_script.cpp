// Input scripts of any content: parsing never crashes, a refused script holds nothing, and every line a
// journal writes for what a script holds reads back as the same input.
#include "platform/null/replay_script.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    ReplayScript script;
    std::string error;
    const bool parsed = script.parse(input, error);
    for (std::uint64_t frame : {0ull, 1ull, 7ull, 100ull, 65536ull, ~0ull}) {
        const ScriptFrame held = script.frameAt(frame);
        if (!parsed && !(held == ScriptFrame{})) std::abort();
        ReplayScript again;
        if (!again.parse(ReplayScript::line(0, 0, held), error) || !(again.frameAt(0) == held)) std::abort();
    }
    return 0;
}
