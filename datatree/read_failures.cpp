#include "read_failures.h"

#include <mutex>
#include <set>

namespace {
// The audio threads load sounds while the main thread loads pictures and puppets.
std::mutex lock;
std::function<void(const std::string&)> sink;
std::set<std::string> said;
}  // namespace

void read_failures::reportTo(std::function<void(const std::string& line)> newSink) {
    const std::lock_guard<std::mutex> guard(lock);
    sink = std::move(newSink);
    said.clear();
}

void read_failures::note(const std::string& path, const std::string& reason) {
    const std::lock_guard<std::mutex> guard(lock);
    if (!sink || !said.insert(path).second) return;
    sink("cannot read " + path + ": " + reason);
}
