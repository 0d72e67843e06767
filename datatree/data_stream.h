#pragma once
// Byte-level reading shared by the parser pieces. Reading goes straight to the stream buffer so that
// "put back" is a plain step back and end of input marks the stream failed, which ends every value
// that is still open.

#include <istream>

constexpr int kEndOfInput = -1;

inline int takeChar(std::istream& in) {
    if (!in) return kEndOfInput;
    std::streambuf* buffer = in.rdbuf();
    const auto c = buffer ? buffer->sbumpc() : std::char_traits<char>::eof();
    if (c == std::char_traits<char>::eof()) {
        in.setstate(std::ios::eofbit | std::ios::failbit);
        return kEndOfInput;
    }
    return std::char_traits<char>::to_int_type(static_cast<char>(c)) & 0xff;
}

// Returns the character just taken to the stream; only ever called right after a successful take.
inline void putBack(std::istream& in) { in.rdbuf()->sungetc(); }
