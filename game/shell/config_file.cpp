#include "game/shell/config_file.h"

#include "data_number.h"
#include "host_path.h"
#include "whole_file.h"

#include <fstream>
#include <iterator>
#include <string_view>

namespace {

// Formatted stream input skips leading white space before a number.
std::string_view skipLeadingSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\v' ||
                               text[i] == '\f' || text[i] == '\r')) {
        ++i;
    }
    return text.substr(i);
}

}  // namespace

ConfigFile::ConfigFile(const std::string& path) : fileName_(path) {
    std::string contents;
    if (readWholeFile(hostPath(path), contents)) split(contents);
}

ConfigFile ConfigFile::fromText(const std::string& contents) {
    ConfigFile config;
    config.split(contents);
    return config;
}

void ConfigFile::split(const std::string& contents) {
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        const bool lastLine = end == std::string::npos;
        if (lastLine) end = contents.size();
        std::string line = contents.substr(start, end - start);
        if (!lastLine && !line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;

        const bool searchable = !line.empty() && line[0] != '#';
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            lines_.emplace_back(line, line);
        } else {
            lines_.emplace_back(line.substr(0, equals), line.substr(equals + 1));
        }
        if (searchable) settings_.push_back(lines_.size() - 1);
    }
}

const std::string* ConfigFile::findValue(const std::string& key) const {
    for (std::size_t index : settings_) {
        if (lines_[index].first == key) return &lines_[index].second;
    }
    return nullptr;
}

std::string ConfigFile::getString(const std::string& key, const std::string& fallback) const {
    const std::string* value = findValue(key);
    return value && !value->empty() ? *value : fallback;
}

std::int32_t ConfigFile::getInt(const std::string& key, std::int32_t fallback) const {
    const std::string* value = findValue(key);
    std::int32_t number = fallback;
    if (value && parseIntPrefix(skipLeadingSpace(*value), number)) return number;
    return fallback;
}

float ConfigFile::getFloat(const std::string& key, float fallback) const {
    const std::string* value = findValue(key);
    float number = fallback;
    if (value && parseFloatPrefix(skipLeadingSpace(*value), number)) return number;
    return fallback;
}

bool ConfigFile::getBool(const std::string& key, bool fallback) const {
    const std::string* value = findValue(key);
    std::int32_t number = 0;
    if (!value || !parseIntPrefix(skipLeadingSpace(*value), number)) return fallback;
    if (number == 0) return false;
    if (number == 1) return true;
    return fallback;
}
