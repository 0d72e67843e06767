// Any byte string must parse without crashing or reading out of bounds; a tree whose texts and keys
// are safe to write must read back exactly as it was written.
#include "datatree.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

bool hasSpace(const std::string& s) {
    for (char c : s) {
        if (isDataSpace(static_cast<unsigned char>(c))) return true;
    }
    return false;
}

bool safeText(const std::string& s) {
    if (hasSpace(s)) return s.find('"') == std::string::npos;
    if (!s.empty() && (s[0] == '{' || s[0] == '[' || s[0] == '"')) return false;
    return s.find_first_of(",]}") == std::string::npos;
}

bool safeKey(const std::string& s) { return !hasSpace(s) && s.find_first_of("=}") == std::string::npos; }

bool roundTripSafe(const DataRef& value) {
    switch (value.kind()) {
        case DataKind::Text: return safeText(value->text());
        case DataKind::Array:
            for (std::uint32_t i = 0; i < value->size(); ++i) {
                if (!roundTripSafe(value->item(i))) return false;
            }
            return true;
        case DataKind::Map:
            for (std::uint32_t i = 0; i < value->size(); ++i) {
                const std::string& key = value->keyAt(i);
                if (!safeKey(key) || !roundTripSafe(value.node().find(key))) return false;
            }
            return true;
        default: return true;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    DataRef root;
    readDataString(input, root);

    std::int32_t i = 0;
    float f = 0;
    readInt(root, i);
    readFloat(root, f);
    DataRef copy = root;
    copy.member("key");
    copy->item(0)->find("x");

    if (roundTripSafe(root)) {
        const std::string written = writeDataString(root);
        // Parsed from the stream directly: file reading's CR LF folding would change texts that
        // hold a CR LF pair, as the text-mode files of the game always have.
        DataRef back;
        std::istringstream in(written);
        parseValue(back, in);
        if (writeDataString(back) != written) std::abort();
    }
    return 0;
}
