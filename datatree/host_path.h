#pragma once
// Game paths keep Windows backslashes everywhere (caches compare them byte for byte); only at the
// moment a file is opened does each backslash become a slash.

#include <string>

inline std::string hostPath(const std::string& gamePath) {
    std::string path = gamePath;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}
