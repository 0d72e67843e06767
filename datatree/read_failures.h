#pragma once
// The data files a program could not read, each said once. Reading still never fails: a file that
// cannot be read reads as empty or as its default, and the program plays on; but a modder's typo or a
// missing picture is named, with the reason, instead of showing as an invisible figure. Quiet until a
// program gives a place to say it (the game gives standard error; tools and tests stay quiet).

#include <functional>
#include <string>

namespace read_failures {

// Where each first failure for a path goes, as one line without its line feed; empty turns the
// reports off. Also forgets which paths were already said.
void reportTo(std::function<void(const std::string& line)> sink);

// Says "cannot read PATH: REASON" unless PATH was said before. Safe from any thread.
void note(const std::string& path, const std::string& reason);

}  // namespace read_failures
