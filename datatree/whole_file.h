#pragma once
// Opening the files a program reads as data. Anything that is not a regular file (a folder, a device,
// a dangling link) reads as a missing file, and reading never throws.

#include <cstdint>
#include <fstream>
#include <string>

// Data files are small; a larger one is taken as damaged and reads as empty rather than filling memory.
constexpr std::uintmax_t kMaxDataFileBytes = 16u * 1024u * 1024u;

// Whether path names a regular file (following links).
bool isRegularFile(const std::string& path);

// Opens path for binary reading only when it is a regular file; otherwise the stream stays closed and
// failed. Returns whether it opened. The path is used as given (callers turn backslashes into slashes).
// When it fails and why is given, why says in a few words what stood in the way.
bool openRegularFile(std::ifstream& file, const std::string& path, std::string* why = nullptr);

// The whole contents of a regular file of at most maxBytes. Returns false, with bytes empty, for a
// missing, unreadable, irregular or larger file, and then says why when asked.
bool readWholeFile(const std::string& path, std::string& bytes, std::uintmax_t maxBytes = kMaxDataFileBytes,
                   std::string* why = nullptr);
