#pragma once
// Reads a whole value from text, as a file holding that text would read.
#include "datatree.h"

#include <string>

inline DataRef parse(const std::string& text) {
    DataRef root;
    readDataString(text, root);
    return root;
}
