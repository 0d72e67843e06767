#pragma once
// What the game says on standard error when it is started in a folder without data/: where it looked
// and how to start it so that it finds its pictures, puppets and stages.

#include <filesystem>
#include <string>

// Empty when folder holds data/. program is the game's own executable; when a built data set sits
// beside it (../run/data, as a build lays it out) the hint names the exact command; when it is the
// installed program, it names the launcher installed with it.
std::string missingDataHint(const std::filesystem::path& folder, const std::filesystem::path& program);
