#pragma once
// The environment of game processes started by a test: no X display means SDL draws offscreen
// through EGL; no shader cache, no sound card. Under the address sanitizer the children skip only the
// exit-time leak check, which would report what the system's GL and X libraries keep until exit.

#include <cstdlib>
#include <string>

inline void prepareChildEnvironment() {
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    const char* asan = std::getenv("ASAN_OPTIONS");
    std::string options = asan ? asan : "";
    if (options.find("detect_leaks=0") == std::string::npos) {
        setenv("ASAN_OPTIONS", (options.empty() ? "" : options + ":").append("detect_leaks=0").c_str(), 1);
    }
}
