#include "json_output.h"

#include <ostream>

void writeJsonString(std::ostream& out, const std::string& bytes) {
    static const char hex[] = "0123456789abcdef";
    out.put('"');
    for (unsigned char c : bytes) {
        switch (c) {
            case '"': out << "\\\""; break;
            case '\\': out << "\\\\"; break;
            case '\n': out << "\\n"; break;
            case '\r': out << "\\r"; break;
            case '\t': out << "\\t"; break;
            case '\b': out << "\\b"; break;
            case '\f': out << "\\f"; break;
            default:
                if (c < 0x20) {
                    out << "\\u00" << hex[c >> 4] << hex[c & 15];
                } else if (c < 0x80) {
                    out.put(static_cast<char>(c));
                } else {
                    // Latin-1 byte c is the code point U+00c, two bytes in UTF-8.
                    out.put(static_cast<char>(0xC0 | (c >> 6)));
                    out.put(static_cast<char>(0x80 | (c & 0x3F)));
                }
        }
    }
    out.put('"');
}

void writeJson(std::ostream& out, const DataRef& value) {
    switch (value.kind()) {
        case DataKind::None: out << "null"; break;
        case DataKind::Text: writeJsonString(out, value->text()); break;
        case DataKind::Array:
            out.put('[');
            for (std::uint32_t i = 0; i < value->size(); ++i) {
                if (i) out.put(',');
                writeJson(out, value->item(i));
            }
            out.put(']');
            break;
        case DataKind::Map: {
            out.put('{');
            DataNode& map = value.node();
            for (std::uint32_t i = 0; i < map.size(); ++i) {
                if (i) out.put(',');
                const std::string& key = map.keyAt(i);
                writeJsonString(out, key);
                out.put(':');
                writeJson(out, map.find(key));
            }
            out.put('}');
            break;
        }
    }
}
