#pragma once
// An ordered sequence of values.

#include "data_node.h"
#include "data_ref.h"

#include <vector>

class DataArray : public DataNode {
public:
    DataKind kind() const override { return DataKind::Array; }
    const DataRef& item(std::uint32_t index) const override;
    DataRef& item(std::uint32_t index) override;
    DataRef& append() override;
    void removeLast() override;
    std::uint32_t size() const override { return static_cast<std::uint32_t>(elements_.size()); }
    void resize(std::uint32_t count) override;
    void clear() override { elements_.clear(); }
    bool isEmpty() const override { return elements_.empty(); }
    std::unique_ptr<DataNode> clone() const override;
    void write(std::ostream& out) const override;
    void read(std::istream& in) override;

private:
    std::vector<DataRef> elements_;
};
