#pragma once
// The tree as one line of JSON: a text is a string of its bytes read as Latin-1 (so every byte
// survives), an array an array, a map an object in key order, the none value null. Tools and tests
// rely on this form; keep it stable.

#include "data_ref.h"

#include <iosfwd>
#include <string>

void writeJsonString(std::ostream& out, const std::string& bytes);
void writeJson(std::ostream& out, const DataRef& value);
