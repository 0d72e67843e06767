#include "data_file.h"

#include "data_array.h"
#include "data_map.h"
#include "data_stream.h"
#include "data_text.h"
#include "read_failures.h"
#include "whole_file.h"

#include <fstream>
#include <sstream>

namespace {

// Nesting depth of the value being parsed. The parser recurses once per open container; past the
// limit the input is treated as ended, which closes every open value where it stands.
thread_local int parseDepth = 0;

struct DepthGuard {
    DepthGuard() { ++parseDepth; }
    ~DepthGuard() { --parseDepth; }
};

std::string withoutCarriageReturnsBeforeLineFeeds(const std::string& contents) {
    std::string text;
    text.reserve(contents.size());
    for (std::size_t i = 0; i < contents.size(); ++i) {
        if (contents[i] == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n') continue;
        text.push_back(contents[i]);
    }
    return text;
}

}  // namespace

std::istream& parseValue(DataRef& target, std::istream& in) {
    if (!in || &target == &noneRef()) return in;
    DepthGuard depth;

    int c;
    do {
        c = takeChar(in);
    } while (c != kEndOfInput && isDataSpace(c));
    if (c == kEndOfInput) {
        target.reset(std::make_unique<DataText>());
        return in;
    }

    if ((c == '{' || c == '[') && parseDepth > kMaxDataDepth) {
        target.reset(std::make_unique<DataText>());
        in.setstate(std::ios::failbit);
        return in;
    }
    if (c == '{') {
        target.reset(std::make_unique<DataMap>());
    } else if (c == '[') {
        target.reset(std::make_unique<DataArray>());
    } else {
        target.reset(std::make_unique<DataText>());
        putBack(in);
    }
    target->read(in);

    // Trailing scan: everything up to the value's comma is discarded; a closer is left for the
    // enclosing container.
    for (;;) {
        c = takeChar(in);
        if (c == kEndOfInput || c == ',') break;
        if (c == ']' || c == '}') {
            putBack(in);
            break;
        }
    }
    return in;
}

void readDataString(const std::string& contents, DataRef& root) {
    root.reset(std::make_unique<DataText>());
    std::istringstream in(withoutCarriageReturnsBeforeLineFeeds(contents));
    parseValue(root, in);
}

void readDataFile(const std::string& path, DataRef& root) {
    root.reset(std::make_unique<DataText>());
    std::string contents, why;
    if (!readWholeFile(path, contents, kMaxDataFileBytes, &why)) {
        read_failures::note(path, why);
        return;
    }
    readDataString(contents, root);
}

std::string writeDataString(const DataRef& root) {
    std::ostringstream out;
    root->write(out);
    return out.str();
}

bool writeDataFile(const std::string& path, const DataRef& root) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    root->write(file);
    file.flush();
    return static_cast<bool>(file);
}
