#include "data_ref.h"

#include "data_array.h"
#include "data_map.h"
#include "data_number.h"
#include "data_text.h"

DataRef::DataRef() : node_(std::make_unique<DataText>()) {}

DataRef::DataRef(std::unique_ptr<DataNode> node)
    : node_(node ? std::move(node) : std::make_unique<DataText>()) {}

DataRef::DataRef(const DataRef& other) : node_(other.node_->clone()) {}

// A moved-from handle must still hold a node, so moving swaps in a fresh empty text.
DataRef::DataRef(DataRef&& other) noexcept : node_(std::move(other.node_)) {
    other.node_ = std::make_unique<DataText>();
}

DataRef& DataRef::operator=(const DataRef& other) {
    if (this != &other) reset(other.node_->clone());
    return *this;
}

DataRef& DataRef::operator=(DataRef&& other) noexcept {
    if (this != &other && this != &noneRef()) {
        node_.swap(other.node_);
    }
    return *this;
}

DataRef::~DataRef() = default;

void DataRef::reset(std::unique_ptr<DataNode> node) {
    if (this == &noneRef() || !node) return;
    node_ = std::move(node);
}

bool DataRef::isReplaceableEmpty(DataKind wanted) const {
    const DataKind held = node_->kind();
    return held != wanted && held != DataKind::None && node_->isEmpty();
}

DataRef& DataRef::member(const std::string& key) {
    if (isReplaceableEmpty(DataKind::Map)) reset(std::make_unique<DataMap>());
    return node_->at(key);
}

void DataRef::makeArray(std::uint32_t count) {
    if (isReplaceableEmpty(DataKind::Array)) reset(std::make_unique<DataArray>());
    node_->resize(count);
}

void DataRef::setInt(std::int32_t value) {
    if (isReplaceableEmpty(DataKind::Text)) reset(std::make_unique<DataText>());
    node_->setText(formatInt(value));
}

void DataRef::setFloat(float value) {
    if (isReplaceableEmpty(DataKind::Text)) reset(std::make_unique<DataText>());
    node_->setText(formatFloat(value));
}
