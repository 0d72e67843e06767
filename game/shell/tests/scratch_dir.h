#pragma once
// A fresh, empty working directory for the life of a test, so that the game's relative config\ and
// data\ paths point into it. The previous directory comes back afterwards.

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

class ScratchDir {
public:
    ScratchDir() : previous_(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "dolvane-shell-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        std::filesystem::current_path(path_);
    }
    ~ScratchDir() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    // Writes a file below the directory, making its folders.
    void write(const std::string& relative, const std::string& contents) const {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << contents;
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};
