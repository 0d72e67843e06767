#pragma once
// A map from byte-string keys to values, kept in key order. Keys compare byte by byte as unsigned
// values, a prefix before its extensions, letter case significant.

#include "data_node.h"
#include "data_ref.h"

#include <map>
#include <string>

struct DataKeyLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

class DataMap : public DataNode {
public:
    DataKind kind() const override { return DataKind::Map; }
    DataRef& find(const std::string& key) override;
    DataRef& at(const std::string& key) override;
    const std::string& keyAt(std::uint32_t index) const override;
    std::uint32_t size() const override { return static_cast<std::uint32_t>(entries_.size()); }
    void clear() override { entries_.clear(); }
    bool isEmpty() const override { return entries_.empty(); }
    std::unique_ptr<DataNode> clone() const override;
    void write(std::ostream& out) const override;
    void read(std::istream& in) override;

private:
    std::map<std::string, DataRef, DataKeyLess> entries_;
};
