#pragma once
// Reading and writing whole data-tree values from streams and files. Reading never fails: what is
// missing or malformed reads as empty values.

#include "data_ref.h"

#include <iosfwd>
#include <string>

// Containers nested deeper than this end the parse as if the input ended there, so that a hostile
// file cannot exhaust the stack of the parser, the destructor or the writer.
constexpr int kMaxDataDepth = 512;

// Reads one value of any kind into target, replacing the node it held. Does nothing to target when
// the stream has already failed.
std::istream& parseValue(DataRef& target, std::istream& in);

// Root becomes an empty text, then the first value of the file is read into it. CR LF reads as LF.
// A folder or other irregular file, and a file over kMaxDataFileBytes, reads as missing: empty.
// The path is used as given (callers turn backslashes into slashes).
void readDataFile(const std::string& path, DataRef& root);
// Parses a value from an in-memory string, with the same CR LF rule as readDataFile.
void readDataString(const std::string& contents, DataRef& root);

// Writes the value in its canonical one-line form. Returns false when the file could not be written.
bool writeDataFile(const std::string& path, const DataRef& root);
// The canonical written form of a value.
std::string writeDataString(const DataRef& root);
