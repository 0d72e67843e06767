#include "directory_of.h"

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos) return {};
    return path.substr(0, slash + 1);
}
