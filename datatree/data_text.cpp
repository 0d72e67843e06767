#include "data_text.h"

#include "data_stream.h"

#include <algorithm>
#include <ostream>

std::unique_ptr<DataNode> DataText::clone() const { return std::make_unique<DataText>(chars_); }

void DataText::write(std::ostream& out) const {
    const bool quoted = std::any_of(chars_.begin(), chars_.end(),
                                    [](char c) { return isDataSpace(static_cast<unsigned char>(c)); });
    if (quoted) out.put('"');
    out.write(chars_.data(), static_cast<std::streamsize>(chars_.size()));
    if (quoted) out.put('"');
    out.put(',');
}

void DataText::read(std::istream& in) {
    int c = takeChar(in);
    if (c == kEndOfInput) return;
    if (c == '"') {
        // Quoted: every byte up to the closing quote, with no escapes.
        while ((c = takeChar(in)) != kEndOfInput && c != '"') chars_.push_back(static_cast<char>(c));
        return;
    }
    // Unquoted: spaces are dropped; a separator or closer is left for the caller.
    for (;; c = takeChar(in)) {
        if (c == kEndOfInput) return;
        if (c == ',' || c == ']' || c == '}') {
            putBack(in);
            return;
        }
        if (!isDataSpace(c)) chars_.push_back(static_cast<char>(c));
    }
}
