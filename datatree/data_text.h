#pragma once
// A text value: any bytes, any length. Numbers are texts too; readInt and readFloat convert them.

#include "data_node.h"

#include <string>

class DataText : public DataNode {
public:
    DataText() = default;
    explicit DataText(std::string text) : chars_(std::move(text)) {}
    DataKind kind() const override { return DataKind::Text; }
    void setText(const std::string& text) override { chars_ = text; }
    const std::string& text() const override { return chars_; }
    void clear() override { chars_.clear(); }
    bool isEmpty() const override { return chars_.empty(); }
    std::unique_ptr<DataNode> clone() const override;
    void write(std::ostream& out) const override;
    void read(std::istream& in) override;

private:
    std::string chars_;
};
