#include "data_array.h"

#include "data_file.h"
#include "data_stream.h"

#include <ostream>

const DataRef& DataArray::item(std::uint32_t index) const {
    return index < elements_.size() ? elements_[index] : noneRef();
}

DataRef& DataArray::item(std::uint32_t index) {
    return index < elements_.size() ? elements_[index] : noneRef();
}

DataRef& DataArray::append() {
    elements_.emplace_back();
    return elements_.back();
}

void DataArray::removeLast() {
    if (!elements_.empty()) elements_.pop_back();
}

void DataArray::resize(std::uint32_t count) { elements_.resize(count); }

std::unique_ptr<DataNode> DataArray::clone() const {
    auto copy = std::make_unique<DataArray>();
    copy->elements_ = elements_;
    return copy;
}

void DataArray::write(std::ostream& out) const {
    out.put('[');
    for (const DataRef& element : elements_) element->write(out);
    out.put(']');
    out.put(',');
}

void DataArray::read(std::istream& in) {
    for (;;) {
        const int c = takeChar(in);
        if (c == kEndOfInput || c == ']') return;
        if (isDataSpace(c)) continue;
        if (c == '}') {
            // A brace where an element belongs ends the array and is left to an enclosing map, so
            // "{a=[1,2}" still closes the map where its author meant it to.
            putBack(in);
            return;
        }
        putBack(in);
        parseValue(append(), in);
    }
}
