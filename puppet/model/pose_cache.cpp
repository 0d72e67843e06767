#include "pose.h"

#include "datatree/datatree.h"
#include "datatree/host_path.h"

PoseCache& PoseCache::instance() {
    static PoseCache cache;
    return cache;
}

const Pose* PoseCache::find(const std::string& name) const {
    const auto found = poses_.find(name);
    return found == poses_.end() ? nullptr : &found->second;
}

const Pose& PoseCache::load(const std::string& name) {
    if (const Pose* cached = find(name)) return *cached;
    DataRef root;
    readDataFile(hostPath(name), root);
    // A map root has a size but no items: its entries read as the none value and stay 0.
    Pose pose(root->size(), 0.0f);
    for (std::uint32_t i = 0; i < pose.size(); ++i) readFloat(root->item(i), pose[i]);
    return poses_.emplace(name, std::move(pose)).first->second;
}
