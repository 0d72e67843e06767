#include "data_map.h"

#include "data_file.h"
#include "data_stream.h"

#include <cstring>
#include <iterator>
#include <ostream>

bool DataKeyLess::operator()(const std::string& a, const std::string& b) const {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    const int order = std::memcmp(a.data(), b.data(), common);  // memcmp compares unsigned bytes
    if (order != 0) return order < 0;
    return a.size() < b.size();
}

DataRef& DataMap::find(const std::string& key) {
    auto found = entries_.find(key);
    return found != entries_.end() ? found->second : noneRef();
}

DataRef& DataMap::at(const std::string& key) { return entries_[key]; }

const std::string& DataMap::keyAt(std::uint32_t index) const {
    if (index >= entries_.size()) return emptyText();
    return std::next(entries_.begin(), index)->first;
}

std::unique_ptr<DataNode> DataMap::clone() const {
    auto copy = std::make_unique<DataMap>();
    copy->entries_ = entries_;
    return copy;
}

void DataMap::write(std::ostream& out) const {
    out.put('{');
    for (const auto& [key, value] : entries_) {
        out.write(key.data(), static_cast<std::streamsize>(key.size()));
        out.put('=');
        value->write(out);
    }
    out.put('}');
    out.put(',');
}

void DataMap::read(std::istream& in) {
    std::string key;
    for (;;) {
        const int c = takeChar(in);
        if (c == kEndOfInput || c == '}') return;
        if (isDataSpace(c)) continue;
        if (c == '=') {
            parseValue(at(key), in);
            key.clear();
            continue;
        }
        key.push_back(static_cast<char>(c));
    }
}
