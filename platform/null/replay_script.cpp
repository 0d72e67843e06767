#include "replay_script.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>

namespace {

// The axis range that script positions are on.
constexpr std::uint32_t kAxisMax = 65535;

template <typename Number>
bool parseNumber(std::string_view text, Number& value) {
    if (text.empty() || text.front() == '+') return false;
    const char* end = text.data() + text.size();
    auto [rest, failure] = std::from_chars(text.data(), end, value);
    return failure == std::errc() && rest == end;
}

bool parseKeys(std::string_view text, std::uint32_t& keys) {
    keys = 0;
    if (text == "-") return true;
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
    return !text.empty();
}

// "A,B,..." into exactly `count` fields.
bool splitFields(std::string_view text, std::size_t count, std::vector<std::string_view>& fields) {
    fields.clear();
    for (;;) {
        const auto comma = text.find(',');
        fields.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return fields.size() == count;
}

bool parseAxis(std::string_view text, std::uint32_t& position, std::uint32_t& min, std::uint32_t& max) {
    if (text == "-") {
        position = min = max = 0;
        return true;
    }
    min = 0;
    max = kAxisMax;
    return parseNumber(text, position) && position <= kAxisMax;
}

struct Span {
    std::uint64_t first = 0, last = 0;
    std::uint32_t keys = 0;
    bool left = false, right = false;
    bool hasPointer = false;
    std::int32_t x = 0, y = 0;
    bool hasJoystick = false;
    JoystickPosition joystick;
};

bool parseWord(std::string_view word, Span& span, unsigned& kinds) {
    enum : unsigned { kKeys = 1, kButtons = 2, kPointer = 4, kStick = 8 };
    auto once = [&](unsigned kind) {
        if (kinds & kind) return false;
        kinds |= kind;
        return true;
    };
    std::vector<std::string_view> fields;
    if (word.size() > 1 && word.front() == 'M') {
        for (char c : word.substr(1)) {
            if (c == 'L') {
                span.left = true;
            } else if (c == 'R') {
                span.right = true;
            } else {
                return false;
            }
        }
        return once(kButtons);
    }
    if (word.front() == '@') {
        span.hasPointer = true;
        return once(kPointer) && splitFields(word.substr(1), 2, fields) && parseNumber(fields[0], span.x) &&
               parseNumber(fields[1], span.y);
    }
    if (word.substr(0, 2) == "J@") {
        span.hasJoystick = true;
        JoystickPosition& stick = span.joystick;
        JoystickRanges& range = stick.ranges;
        return once(kStick) && splitFields(word.substr(2), 3, fields) &&
               parseAxis(fields[0], stick.x, range.xMin, range.xMax) &&
               parseAxis(fields[1], stick.y, range.yMin, range.yMax) &&
               parseAxis(fields[2], stick.z, range.zMin, range.zMax);
    }
    return once(kKeys) && parseKeys(word, span.keys);
}

bool sameStick(const JoystickPosition& a, const JoystickPosition& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.buttons == b.buttons && a.ranges.xMin == b.ranges.xMin &&
           a.ranges.xMax == b.ranges.xMax && a.ranges.yMin == b.ranges.yMin && a.ranges.yMax == b.ranges.yMax &&
           a.ranges.zMin == b.ranges.zMin && a.ranges.zMax == b.ranges.zMax;
}

// An axis position as the script writes it: on 0 ... 65535, or "-" for an axis without a range.
std::string axisText(std::uint32_t position, std::uint32_t min, std::uint32_t max) {
    const double sum = static_cast<double>(min) + static_cast<double>(max);
    if (sum == 0) return "-";
    if (sum == kAxisMax) return std::to_string(position);
    const double scaled = std::round(static_cast<double>(position) / sum * kAxisMax);
    return std::to_string(static_cast<std::uint32_t>(std::clamp(scaled, 0.0, static_cast<double>(kAxisMax))));
}

}  // namespace

bool operator==(const ScriptFrame& a, const ScriptFrame& b) {
    return a.keys == b.keys && a.mouse.x == b.mouse.x && a.mouse.y == b.mouse.y && a.mouse.left == b.mouse.left &&
           a.mouse.right == b.mouse.right && a.joystickPresent == b.joystickPresent &&
           (!a.joystickPresent || sameStick(a.joystick, b.joystick));
}

bool ReplayScript::parse(const std::string& text, std::string& error) {
    segments_.clear();
    std::vector<Span> spans;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string frames, word;
        if (!(words >> frames)) continue;  // blank or comment only
        Span span;
        const auto dash = frames.find('-');
        bool ok = dash == std::string::npos
                      ? parseNumber(std::string_view(frames), span.first) && (span.last = span.first, true)
                      : parseNumber(std::string_view(frames).substr(0, dash), span.first) &&
                            parseNumber(std::string_view(frames).substr(dash + 1), span.last) &&
                            span.first <= span.last;
        unsigned kinds = 0;
        while (ok && words >> word) ok = parseWord(word, span, kinds);
        if (!ok || kinds == 0) {
            error = "line " + std::to_string(number) + ": expected FROM[-TO] KEYS, ML/MR, @X,Y or J@X,Y,Z, got \"" +
                    line + "\"";
            return false;
        }
        spans.push_back(span);
    }

    // Sweep the spans' starts and ends in frame order into segments of unchanging input. Keys and
    // buttons of the open spans add up; the open pointer and joystick spans are kept in file order,
    // the last one winning.
    std::vector<std::pair<std::uint64_t, std::size_t>> starts, ends;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        starts.emplace_back(spans[i].first, i);
        if (spans[i].last != std::numeric_limits<std::uint64_t>::max()) ends.emplace_back(spans[i].last + 1, i);
    }
    std::sort(starts.begin(), starts.end());
    std::sort(ends.begin(), ends.end());
    std::multiset<std::size_t> open, pointers, sticks;
    auto nextStart = starts.begin();
    auto nextEnd = ends.begin();
    ScriptFrame input;
    while (nextStart != starts.end() || nextEnd != ends.end()) {
        std::uint64_t at = std::numeric_limits<std::uint64_t>::max();
        if (nextStart != starts.end()) at = nextStart->first;
        if (nextEnd != ends.end()) at = std::min(at, nextEnd->first);
        for (; nextEnd != ends.end() && nextEnd->first == at; ++nextEnd) {
            const Span& span = spans[nextEnd->second];
            open.erase(open.find(nextEnd->second));
            if (span.hasPointer) pointers.erase(pointers.find(nextEnd->second));
            if (span.hasJoystick) sticks.erase(sticks.find(nextEnd->second));
        }
        for (; nextStart != starts.end() && nextStart->first == at; ++nextStart) {
            const Span& span = spans[nextStart->second];
            open.insert(nextStart->second);
            if (span.hasPointer) pointers.insert(nextStart->second);
            if (span.hasJoystick) sticks.insert(nextStart->second);
        }
        ScriptFrame next;
        next.mouse.x = input.mouse.x;  // the pointer stays where it was put
        next.mouse.y = input.mouse.y;
        for (std::size_t i : open) {
            next.keys |= spans[i].keys;
            next.mouse.left = next.mouse.left || spans[i].left;
            next.mouse.right = next.mouse.right || spans[i].right;
        }
        if (!pointers.empty()) {
            next.mouse.x = spans[*pointers.rbegin()].x;
            next.mouse.y = spans[*pointers.rbegin()].y;
        }
        if (!sticks.empty()) {
            next.joystickPresent = true;
            next.joystick = spans[*sticks.rbegin()].joystick;
        }
        if (segments_.empty() || !(next == input)) segments_.push_back({at, next});
        input = next;
    }
    return true;
}

bool ReplayScript::load(const std::string& path, std::string& error) {
    // A folder opens like a file here and reads as empty, which would hold nothing without a word.
    std::error_code failure;
    if (std::filesystem::is_directory(path, failure)) {
        error = "is a folder, not an input script";
        segments_.clear();
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        segments_.clear();
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str(), error);
}

ScriptFrame ReplayScript::frameAt(std::uint64_t frame) const {
    auto after = std::upper_bound(segments_.begin(), segments_.end(), frame,
                                  [](std::uint64_t f, const Segment& segment) { return f < segment.start; });
    if (after == segments_.begin()) return ScriptFrame{};
    return std::prev(after)->input;
}

std::string ReplayScript::line(std::uint64_t first, std::uint64_t last, const ScriptFrame& input) {
    std::string text = std::to_string(first);
    if (last != first) text += "-" + std::to_string(last);
    text += ' ';
    static constexpr std::pair<PadKey, char> kLetters[] = {
        {kPadKeyLeft, 'L'}, {kPadKeyRight, 'R'}, {kPadKeyUp, 'U'}, {kPadKeyDown, 'D'},
        {kPadKeyZ, 'Z'},    {kPadKeyX, 'X'},     {kPadKeyC, 'C'},  {kPadKeyV, 'V'}};
    const std::size_t before = text.size();
    for (auto [key, letter] : kLetters) {
        if (input.keys & key) text += letter;
    }
    if (text.size() == before) text += '-';
    if (input.mouse.left || input.mouse.right) {
        text += " M";
        if (input.mouse.left) text += 'L';
        if (input.mouse.right) text += 'R';
    }
    text += " @" + std::to_string(input.mouse.x) + "," + std::to_string(input.mouse.y);
    if (input.joystickPresent) {
        const JoystickPosition& stick = input.joystick;
        const JoystickRanges& range = stick.ranges;
        text += " J@" + axisText(stick.x, range.xMin, range.xMax) + "," + axisText(stick.y, range.yMin, range.yMax) +
                "," + axisText(stick.z, range.zMin, range.zMax);
    }
    return text;
}
