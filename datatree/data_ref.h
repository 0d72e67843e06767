#pragma once
// The owning handle of exactly one data node. Copies are deep; a handle never holds null.

#include "data_node.h"

#include <cstdint>
#include <memory>
#include <string>

class DataRef {
public:
    DataRef();  // holds a new empty text
    explicit DataRef(std::unique_ptr<DataNode> node);
    DataRef(const DataRef& other);
    DataRef(DataRef&& other) noexcept;
    DataRef& operator=(const DataRef& other);
    DataRef& operator=(DataRef&& other) noexcept;
    ~DataRef();

    DataNode* operator->() const { return node_.get(); }
    DataNode& operator*() const { return *node_; }
    DataNode& node() const { return *node_; }
    DataKind kind() const { return node_->kind(); }

    // Replaces the held node. Ignored on the shared none value, which must stay none.
    void reset(std::unique_ptr<DataNode> node);

    // Map lookup that builds: an empty text or empty array becomes a map first. On a non-empty
    // text or array, and on the none value, returns noneRef() and changes nothing.
    DataRef& member(const std::string& key);
    // Turns an empty non-array value into an array, then resizes it to count.
    void makeArray(std::uint32_t count);
    void setInt(std::int32_t value);
    void setFloat(float value);

private:
    bool isReplaceableEmpty(DataKind wanted) const;
    std::unique_ptr<DataNode> node_;
};
