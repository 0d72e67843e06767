#pragma once
// The pad script of a scripted run: lines "FROM[-TO] KEYS" naming the frames (counted from 0) during
// which KEYS, a string of the letters L R U D Z X C V, are held, or "-" for none. Frames that no line
// names hold nothing; lines naming the same frame add their keys up. '#' starts a comment.

#include <cstdint>
#include <string>
#include <vector>

class ReplayScript {
public:
    // Returns false and describes the first bad line in error (with its line number); the script is
    // then left empty.
    bool parse(const std::string& text, std::string& error);
    bool load(const std::string& path, std::string& error);

    // The PadKey bits held during the given frame.
    std::uint32_t keysAt(std::uint64_t frame) const;

private:
    struct Span {
        std::uint64_t first = 0, last = 0;
        std::uint32_t keys = 0;
    };
    std::vector<Span> spans_;
};
