#include "whole_file.h"

#include <filesystem>
#include <system_error>

bool isRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && !error;
}

namespace {

std::string whyNotRegular(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return "no such file";
    if (status.type() == std::filesystem::file_type::directory) return "a folder, not a file";
    if (error) return error.message();
    return "not a regular file";
}

bool failWith(std::string* why, std::string reason) {
    if (why) *why = std::move(reason);
    return false;
}

}  // namespace

bool openRegularFile(std::ifstream& file, const std::string& path, std::string* why) {
    if (isRegularFile(path)) {
        file.open(path, std::ios::binary);
        if (!file) return failWith(why, "cannot be opened (no permission?)");
    } else {
        file.setstate(std::ios::failbit);  // a stream never opened would otherwise test as good
        return failWith(why, whyNotRegular(path));
    }
    return true;
}

bool readWholeFile(const std::string& path, std::string& bytes, std::uintmax_t maxBytes, std::string* why) {
    bytes.clear();
    std::ifstream file;
    if (!openRegularFile(file, path, why)) return false;
    // The size is taken from the open file, so a file swapped after the check above is still bounded.
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0) return failWith(why, "cannot be read");
    if (static_cast<std::uintmax_t>(size) > maxBytes) {
        return failWith(why, "larger than " + std::to_string(maxBytes) + " bytes");
    }
    file.seekg(0, std::ios::beg);
    bytes.resize(static_cast<std::size_t>(size));
    // istream::read turns a failing read into a stream state instead of an exception.
    file.read(bytes.data(), size);
    if (file.gcount() != size) {
        bytes.clear();
        return failWith(why, "cannot be read");
    }
    return true;
}
