#include "data_node.h"

#include "data_ref.h"

DataNode::~DataNode() = default;

DataKind DataNode::kind() const { return DataKind::None; }
DataRef& DataNode::find(const std::string&) { return noneRef(); }
DataRef& DataNode::at(const std::string&) { return noneRef(); }
const DataRef& DataNode::item(std::uint32_t) const { return noneRef(); }
DataRef& DataNode::item(std::uint32_t) { return noneRef(); }
const std::string& DataNode::keyAt(std::uint32_t) const { return emptyText(); }
DataRef& DataNode::append() { return noneRef(); }
void DataNode::removeLast() {}
std::uint32_t DataNode::size() const { return 0; }
void DataNode::resize(std::uint32_t) {}
void DataNode::setText(const std::string&) {}
const std::string& DataNode::text() const { return emptyText(); }
void DataNode::clear() {}
bool DataNode::isEmpty() const { return true; }
std::unique_ptr<DataNode> DataNode::clone() const { return std::make_unique<DataNode>(); }
void DataNode::write(std::ostream&) const {}
void DataNode::read(std::istream&) {}

DataRef& noneRef() {
    // Function-local statics: created on first use, destroyed at exit.
    static DataRef none(std::make_unique<DataNode>());
    return none;
}

const std::string& emptyText() {
    static const std::string empty;
    return empty;
}
