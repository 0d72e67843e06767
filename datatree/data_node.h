#pragma once
// A value of the data tree: the none value (this class itself), a text, an array or a map.
// Every operation exists on every kind; where it makes no sense it does nothing and returns the
// shared none value, so chained lookups on missing data are always safe.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

class DataRef;

enum class DataKind : int { None = 0, Text = 1, Array = 2, Map = 3 };

class DataNode {
public:
    virtual ~DataNode();
    virtual DataKind kind() const;
    virtual DataRef& find(const std::string& key);           // never creates
    virtual DataRef& at(const std::string& key);             // creates an empty text when absent
    virtual const DataRef& item(std::uint32_t index) const;
    virtual DataRef& item(std::uint32_t index);
    virtual const std::string& keyAt(std::uint32_t index) const;
    virtual DataRef& append();
    virtual void removeLast();
    virtual std::uint32_t size() const;
    virtual void resize(std::uint32_t count);
    virtual void setText(const std::string& text);
    virtual const std::string& text() const;
    virtual void clear();
    virtual bool isEmpty() const;
    virtual std::unique_ptr<DataNode> clone() const;
    virtual void write(std::ostream& out) const;
    virtual void read(std::istream& in);
};

// The one shared none value. Failed lookups return it; nothing ever replaces its node.
DataRef& noneRef();
// The one shared empty string, returned wherever there is no text.
const std::string& emptyText();

// The six bytes the notation treats as spaces.
inline bool isDataSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
