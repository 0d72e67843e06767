#pragma once
// Paths inside data files are relative to the file that names them.

#include <string>

// The game path up to and including its last backslash; empty when it has none.
std::string directoryOf(const std::string& path);
