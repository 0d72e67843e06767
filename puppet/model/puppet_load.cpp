// Reading model files and setting poses.

#include "directory_of.h"
#include "puppet.h"

#include "datatree/datatree.h"
#include "datatree/host_path.h"

void Puppet::loadModel(const std::string& path) {
    *this = Puppet();
    const std::string directory = directoryOf(path);
    DataRef root;
    readDataFile(hostPath(path), root);

    DataRef& partNames = root.member("parts");
    parts.resize(partNames->size());
    for (std::uint32_t i = 0; i < parts.size(); ++i) parts[i].load(directory + partNames->item(i)->text());

    DataRef& linkList = root.member("joints_link");
    links.resize(linkList->size());
    for (std::uint32_t i = 0; i < links.size(); ++i) {
        DataRef& entry = linkList->item(i);
        DataRef& jointNumbers = entry.member("joint_num");
        readInt(jointNumbers->item(0), links[i].jointA);
        readInt(jointNumbers->item(1), links[i].jointB);
        DataRef& partNumbers = entry.member("part_num");
        readInt(partNumbers->item(0), links[i].partA);
        readInt(partNumbers->item(1), links[i].partB);
        readFloat(entry.member("length"), links[i].length);
    }
}

void Puppet::setPose(const std::string& name) { pose = PoseCache::instance().load(name); }
