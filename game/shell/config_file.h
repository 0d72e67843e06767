#pragma once
// Reader of the game's small key=value configuration files (config/window.txt and friends).
// Lines are split at their first '=' with no trimming; '#' lines and empty lines are kept but never
// found; the first of duplicate keys wins. A missing file reads as a file without lines.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class ConfigFile {
public:
    // Reads the whole file at once; lookups never touch the disk. The path is a game path and may
    // use backslashes.
    explicit ConfigFile(const std::string& path);
    // Builds the lines from text already in memory (tests, tools).
    static ConfigFile fromText(const std::string& contents);

    std::string getString(const std::string& key, const std::string& fallback) const;
    std::int32_t getInt(const std::string& key, std::int32_t fallback) const;
    float getFloat(const std::string& key, float fallback) const;
    bool getBool(const std::string& key, bool fallback) const;

    const std::string& fileName() const { return fileName_; }
    const std::vector<std::pair<std::string, std::string>>& lines() const { return lines_; }

private:
    ConfigFile() = default;
    void split(const std::string& contents);
    const std::string* findValue(const std::string& key) const;

    std::string fileName_;
    std::vector<std::pair<std::string, std::string>> lines_;  // (key, value) in file order
    std::vector<std::size_t> settings_;                        // indexes of searchable lines
};
