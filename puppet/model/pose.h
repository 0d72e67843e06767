#pragma once
// A posture stored as nothing but distances: entry 16m + 4k + j is how far corner j of part m's frame
// is to be from corner k of the puppet's frame.

#include <map>
#include <string>
#include <vector>

using Pose = std::vector<float>;

// Every pose file ever asked for, read once and kept for the whole run. A walk cycle asks for the same
// few files every few frames. Names are compared byte for byte as given.
class PoseCache {
public:
    static PoseCache& instance();

    // The pose stored under the name, or null when the name was never read.
    const Pose* find(const std::string& name) const;
    // Reads the file on first use (an unreadable one gives the empty pose, cached all the same).
    const Pose& load(const std::string& name);
    std::size_t size() const { return poses_.size(); }
    // Forgets every file read, so that a changed file is read again (for tools that rewrite poses).
    void clear() { poses_.clear(); }

private:
    std::map<std::string, Pose> poses_;
};
