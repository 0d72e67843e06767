// Configuration files of any content: lookups must never crash and must honour the fallback rules.
#include "game/shell/config_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const ConfigFile config = ConfigFile::fromText(input);
    for (const char* key : {"width", "height", "full", "name", "icon", "no_wait", "z_pos", ""}) {
        config.getString(key, "x");
        config.getInt(key, 640);
        config.getFloat(key, 8.f);
        const bool a = config.getBool(key, false);
        const bool b = config.getBool(key, true);
        // Only a missing key or a value other than 0/1 can make the two answers differ.
        if (a != b && config.getInt(key, 5) != 5 && config.getInt(key, 6) != 6) {
            const std::int32_t v = config.getInt(key, 5);
            if (v == 0 || v == 1) std::abort();
        }
    }
    return 0;
}
