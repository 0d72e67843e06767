#include "rig_writer.h"

#include "placement.h"

#include <datatree.h>
#include <host_path.h>

#include <algorithm>
#include <filesystem>

namespace {

constexpr float kLinkTolerance = 0.02f;

DataRef partTree(const PartSpec& part) {
    DataRef root;
    root.member("texture")->setText(part.picture);
    // Picture corners run around the outline from the top left, counter-clockwise, as frame
    // corners do, so that the picture is drawn as one fan.
    const RigVec corner[4] = {{part.quadMin.x, part.quadMax.y},
                              {part.quadMin.x, part.quadMin.y},
                              {part.quadMax.x, part.quadMin.y},
                              {part.quadMax.x, part.quadMax.y}};
    const float u[4] = {part.u0, part.u0, part.u1, part.u1};
    const float v[4] = {part.v0, part.v1, part.v1, part.v0};
    DataRef& frame = root.member("pic_frame");
    frame.makeArray(4);
    for (std::uint32_t c = 0; c < 4; ++c) {
        DataRef& e = frame->item(c);
        e.member("x").setFloat(corner[c].x);
        e.member("y").setFloat(corner[c].y);
        e.member("u").setFloat(u[c]);
        e.member("v").setFloat(v[c]);
    }
    DataRef& joints = root.member("joints");
    joints.makeArray(static_cast<std::uint32_t>(part.joints.size()));
    for (std::uint32_t j = 0; j < part.joints.size(); ++j) {
        DataRef& e = joints->item(j);
        e.member("x").setFloat(part.joints[j].at.x);
        e.member("y").setFloat(part.joints[j].at.y);
    }
    DataRef& bounds = root.member("bound");
    bounds.makeArray(static_cast<std::uint32_t>(part.bounds.size()));
    for (std::uint32_t b = 0; b < part.bounds.size(); ++b) {
        DataRef& e = bounds->item(b);
        e.member("x").setFloat(part.bounds[b].centre.x);
        e.member("y").setFloat(part.bounds[b].centre.y);
        e.member("r").setFloat(part.bounds[b].radius);
        e.member("kind").setInt(part.bounds[b].kind);
    }
    return root;
}

DataRef modelTree(const Rig& rig, const ModelSpec& model) {
    DataRef root;
    DataRef& parts = root.member("parts");
    parts.makeArray(static_cast<std::uint32_t>(rig.parts.size()));
    for (std::uint32_t p = 0; p < rig.parts.size(); ++p)
        parts->item(p)->setText(model.folder + rig.parts[p].file);
    DataRef& links = root.member("joints_link");
    links.makeArray(static_cast<std::uint32_t>(rig.links.size()));
    for (std::uint32_t l = 0; l < rig.links.size(); ++l) {
        const LinkSpec& link = rig.links[l];
        DataRef& e = links->item(l);
        DataRef& joints = e.member("joint_num");
        joints.makeArray(2);
        joints->item(0).setInt(link.jointA);
        joints->item(1).setInt(link.jointB);
        DataRef& partNums = e.member("part_num");
        partNums.makeArray(2);
        partNums->item(0).setInt(link.partA);
        partNums->item(1).setInt(link.partB);
        e.member("length").setFloat(link.length);
    }
    return root;
}

bool write(const std::string& path, const DataRef& root, std::vector<std::string>& errors) {
    // A file in the current folder has no parent to make; a folder that cannot be made shows as the
    // write failing below, reported like any other, never as an exception.
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
    if (writeDataFile(path, root)) return true;
    errors.push_back("cannot write " + path);
    return false;
}

}  // namespace

std::string joinHostPath(const std::string& folder, const std::string& gamePath) {
    return (std::filesystem::path(folder) / hostPath(gamePath)).lexically_normal().string();
}

std::string gameDirectoryOf(const std::string& gamePath) {
    const size_t slash = gamePath.rfind('\\');
    return slash == std::string::npos ? std::string() : gamePath.substr(0, slash + 1);
}

bool writeRig(const Rig& rig, const std::string& outDir, std::vector<std::string>& errors) {
    const size_t before = errors.size();
    if (rig.models.empty()) {
        for (const PartSpec& part : rig.parts) write(joinHostPath(outDir, part.file), partTree(part), errors);
    }
    for (const ModelSpec& model : rig.models) {
        for (const PartSpec& part : rig.parts) {
            write(joinHostPath(outDir, gameDirectoryOf(model.file) + model.folder + part.file),
                  partTree(part), errors);
        }
        write(joinHostPath(outDir, model.file), modelTree(rig, model), errors);
    }
    for (const PoseSpec& pose : rig.poses) {
        std::vector<PlacedPart> placed;
        std::string error;
        if (!arrangePose(rig, pose, placed, error)) {
            errors.push_back(error);
            continue;
        }
        for (const std::string& open : openLinks(rig, placed, kLinkTolerance)) {
            errors.push_back(pose.file + ": " + open);
        }
        const std::vector<float> table = poseTable(placed);
        DataRef root;
        root.makeArray(static_cast<std::uint32_t>(table.size()));
        for (std::uint32_t i = 0; i < table.size(); ++i) root->item(i).setFloat(table[i]);
        write(joinHostPath(outDir, pose.file), root, errors);
    }
    return errors.size() == before;
}

bool verifyRig(const Rig& rig, const std::string& outDir, std::vector<std::string>& errors) {
    const size_t before = errors.size();
    namespace fs = std::filesystem;
    if (rig.models.empty()) {
        for (const PartSpec& part : rig.parts) {
            const std::string texture = joinHostPath(outDir, gameDirectoryOf(part.file) + part.picture);
            if (!fs::is_regular_file(texture)) errors.push_back(part.file + ": missing picture " + texture);
        }
    }
    for (const ModelSpec& model : rig.models) {
        DataRef root;
        const std::string modelPath = joinHostPath(outDir, model.file);
        readDataFile(modelPath, root);
        DataRef& parts = root.member("parts");
        if (parts->size() != rig.parts.size()) errors.push_back(modelPath + ": wrong part count");
        const std::string modelDir = gameDirectoryOf(model.file);
        std::vector<std::string> checked;  // parts that share a file are reported once
        for (std::uint32_t p = 0; p < parts->size(); ++p) {
            const std::string partGamePath = modelDir + parts->item(p)->text();
            if (std::find(checked.begin(), checked.end(), partGamePath) != checked.end()) continue;
            checked.push_back(partGamePath);
            const std::string partPath = joinHostPath(outDir, partGamePath);
            if (!fs::is_regular_file(partPath)) {
                errors.push_back(modelPath + ": missing part file " + partPath);
                continue;
            }
            DataRef part;
            readDataFile(partPath, part);
            const std::string texture =
                joinHostPath(outDir, gameDirectoryOf(partGamePath) + part.member("texture")->text());
            if (!fs::is_regular_file(texture)) errors.push_back(partPath + ": missing picture " + texture);
        }
    }
    for (const PoseSpec& pose : rig.poses) {
        DataRef root;
        const std::string posePath = joinHostPath(outDir, pose.file);
        readDataFile(posePath, root);
        if (root.kind() != DataKind::Array || root->size() != 16 * rig.parts.size()) {
            errors.push_back(posePath + ": pose does not hold 16 values for each of " +
                             std::to_string(rig.parts.size()) + " parts");
        }
    }
    return errors.size() == before;
}
