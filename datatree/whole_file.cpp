#include "whole_file.h"

#include <filesystem>
#include <system_error>

bool isRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && !error;
}

bool openRegularFile(std::ifstream& file, const std::string& path) {
    if (isRegularFile(path)) {
        file.open(path, std::ios::binary);
    } else {
        file.setstate(std::ios::failbit);  // a stream never opened would otherwise test as good
    }
    return static_cast<bool>(file);
}

bool readWholeFile(const std::string& path, std::string& bytes, std::uintmax_t maxBytes) {
    bytes.clear();
    std::ifstream file;
    openRegularFile(file, path);
    if (!file) return false;
    // The size is taken from the open file, so a file swapped after the check above is still bounded.
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::uintmax_t>(size) > maxBytes) return false;
    file.seekg(0, std::ios::beg);
    bytes.resize(static_cast<std::size_t>(size));
    // istream::read turns a failing read into a stream state instead of an exception.
    file.read(bytes.data(), size);
    if (file.gcount() != size) {
        bytes.clear();
        return false;
    }
    return true;
}
