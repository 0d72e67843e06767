#include "replay_script.h"

#include "platform/input_devices.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

bool parseFrame(const std::string& text, std::uint64_t& frame) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    auto [rest, failure] = std::from_chars(text.data(), end, frame);
    return failure == std::errc() && rest == end;
}

bool parseKeys(const std::string& text, std::uint32_t& keys) {
    keys = 0;
    if (text == "-") return true;
    if (text.empty()) return false;
    for (char c : text) {
        switch (c) {
            case 'L': keys |= kPadKeyLeft; break;
            case 'R': keys |= kPadKeyRight; break;
            case 'U': keys |= kPadKeyUp; break;
            case 'D': keys |= kPadKeyDown; break;
            case 'Z': keys |= kPadKeyZ; break;
            case 'X': keys |= kPadKeyX; break;
            case 'C': keys |= kPadKeyC; break;
            case 'V': keys |= kPadKeyV; break;
            default: return false;
        }
    }
    return true;
}

}  // namespace

bool ReplayScript::parse(const std::string& text, std::string& error) {
    spans_.clear();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string frames, keys, extra;
        if (!(words >> frames)) continue;  // blank or comment only
        words >> keys >> extra;
        Span span;
        const auto dash = frames.find('-');
        const bool framesOk = dash == std::string::npos
                                  ? parseFrame(frames, span.first) && (span.last = span.first, true)
                                  : parseFrame(frames.substr(0, dash), span.first) &&
                                        parseFrame(frames.substr(dash + 1), span.last) &&
                                        span.first <= span.last;
        if (!framesOk || !parseKeys(keys, span.keys) || !extra.empty()) {
            error = "line " + std::to_string(number) + ": expected FROM[-TO] KEYS, got \"" + line + "\"";
            spans_.clear();
            return false;
        }
        spans_.push_back(span);
    }
    return true;
}

bool ReplayScript::load(const std::string& path, std::string& error) {
    // A folder opens like a file here and reads as empty, which would hold nothing without a word.
    std::error_code failure;
    if (std::filesystem::is_directory(path, failure)) {
        error = "is a folder, not a pad script";
        spans_.clear();
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        spans_.clear();
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str(), error);
}

std::uint32_t ReplayScript::keysAt(std::uint64_t frame) const {
    std::uint32_t keys = 0;
    for (const Span& span : spans_) {
        if (frame >= span.first && frame <= span.last) keys |= span.keys;
    }
    return keys;
}
