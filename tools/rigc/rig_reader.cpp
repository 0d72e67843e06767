#include "rig_reader.h"

#include "placement.h"

#include <datatree.h>

#include <cmath>
#include <map>

namespace {

constexpr float kDegrees = 3.14159265358979f / 180.0f;

bool has(DataRef& map, const char* key) {
    return map->find(key).kind() != DataKind::None;
}

float number(DataRef& map, const char* key, float fallback) {
    float value = fallback;
    if (has(map, key)) readFloat(map->find(key), value);
    return value;
}

float itemNumber(DataRef& array, std::uint32_t index, float fallback) {
    float value = fallback;
    readFloat(array->item(index), value);
    return value;
}

std::string text(DataRef& map, const char* key) {
    return has(map, key) ? map->find(key)->text() : std::string();
}

// Lengths in a description are in design units (those of the part pictures' SVG sources, y down).
struct Units {
    float perWorld = 100;
    RigVec point(float x, float yDown) const { return {x / perWorld, -yDown / perWorld}; }
};

bool readPart(DataRef& node, const Units& units, PartSpec& part, std::string& error) {
    part.name = text(node, "name");
    part.file = text(node, "file");
    part.picture = text(node, "picture");
    if (part.name.empty() || part.file.empty() || part.picture.empty()) {
        error = "a part needs name, file and picture";
        return false;
    }
    DataRef& quad = node->find("quad");
    if (quad->size() != 4) {
        error = "part " + part.name + ": quad must be [left,top,width,height]";
        return false;
    }
    const float left = itemNumber(quad, 0, 0), top = itemNumber(quad, 1, 0);
    const float width = itemNumber(quad, 2, 0), height = itemNumber(quad, 3, 0);
    part.quadMin = units.point(left, top + height);
    part.quadMax = units.point(left + width, top);
    if (has(node, "uv")) {
        DataRef& uv = node->find("uv");
        part.u0 = itemNumber(uv, 0, 0);
        part.v0 = itemNumber(uv, 1, 0);
        part.u1 = itemNumber(uv, 2, 1);
        part.v1 = itemNumber(uv, 3, 1);
    }
    DataRef& joints = node->find("joints");
    for (std::uint32_t i = 0; i < joints->size(); ++i) {
        DataRef& j = joints->item(i);
        part.joints.push_back({text(j, "name"), units.point(number(j, "x", 0), number(j, "y", 0))});
    }
    DataRef& bounds = node->find("bounds");
    for (std::uint32_t i = 0; i < bounds->size(); ++i) {
        DataRef& b = bounds->item(i);
        BoundSpec bound;
        bound.centre = units.point(number(b, "x", 0), number(b, "y", 0));
        bound.radius = number(b, "r", 0) / units.perWorld;
        bound.kind = static_cast<int>(number(b, "kind", 0));
        part.bounds.push_back(bound);
    }
    return true;
}

bool findJoint(const Rig& rig, const std::string& ref, int& part, int& joint, std::string& error) {
    const size_t dot = ref.find('.');
    const std::string partName = ref.substr(0, dot);
    const std::string jointName = dot == std::string::npos ? std::string() : ref.substr(dot + 1);
    for (size_t p = 0; p < rig.parts.size(); ++p) {
        if (rig.parts[p].name != partName) continue;
        for (size_t j = 0; j < rig.parts[p].joints.size(); ++j) {
            if (rig.parts[p].joints[j].name == jointName) {
                part = static_cast<int>(p);
                joint = static_cast<int>(j);
                return true;
            }
        }
    }
    error = "unknown joint " + ref;
    return false;
}

int findPart(const Rig& rig, const std::string& name) {
    for (size_t p = 0; p < rig.parts.size(); ++p) {
        if (rig.parts[p].name == name) return static_cast<int>(p);
    }
    return -1;
}

bool readPose(DataRef& node, const Units& units, const Rig& rig, PoseSpec& pose, std::string& error) {
    pose.file = text(node, "file");
    pose.centre = number(node, "centre", 0) != 0;
    DataRef& place = node->find("place");
    for (std::uint32_t i = 0; i < place->size(); ++i) {
        DataRef& p = place->item(i);
        Placement placement;
        placement.part = findPart(rig, text(p, "part"));
        if (placement.part < 0) {
            error = pose.file + ": unknown part " + text(p, "part");
            return false;
        }
        placement.hasPosition = has(p, "x") || has(p, "y");
        placement.position = {number(p, "x", 0) / units.perWorld, number(p, "y", 0) / units.perWorld};
        placement.angle = number(p, "angle", 0) * kDegrees;
        placement.mirror = number(p, "mirror", 0) != 0;
        pose.placements.push_back(placement);
    }
    return true;
}

// A word puppet: one part per letter, cut from the glyph atlas, chained by links between the
// letters' sides, laid out in a row with a jaunty tilt per letter.
bool expandWord(DataRef& word, const Units& units, Rig& rig, std::string& error) {
    const std::string letters = text(word, "text");
    const std::string prefix = text(word, "prefix");
    const std::string font = text(word, "font");
    const float size = number(word, "size", 50);
    DataRef& tilt = word->find("tilt");
    if (letters.empty() || prefix.empty() || font.empty()) {
        error = "a word needs text, prefix and font";
        return false;
    }
    PoseSpec pose;
    pose.file = prefix + ".pose";
    pose.centre = true;
    float x = 0;
    for (char c : letters) {
        if (c == ' ') {
            x += size * 0.45f;
            continue;
        }
        const int cell = glyphCell(c);
        if (cell < 0) {
            error = std::string("no glyph for '") + c + "'";
            return false;
        }
        PartSpec part;
        part.name = prefix + std::to_string(rig.parts.size());
        part.file = part.name + ".part";
        part.picture = font;
        part.quadMin = units.point(-size / 2, size / 2);
        part.quadMax = units.point(size / 2, -size / 2);
        part.u0 = static_cast<float>(cell % 8) / 8;
        part.v0 = static_cast<float>(cell / 8) / 8;
        part.u1 = part.u0 + 0.125f;
        part.v1 = part.v0 + 0.125f;
        part.joints.push_back({"left", units.point(-size * 0.36f, 0)});
        part.joints.push_back({"right", units.point(size * 0.36f, 0)});
        // Below the letter's middle, so that a tilted letter landing on it tips over.
        part.bounds.push_back({units.point(size * 0.08f, size * 0.16f), size * 0.3f / units.perWorld, 2});
        const std::uint32_t index = static_cast<std::uint32_t>(rig.parts.size());
        Placement placement;
        placement.part = static_cast<int>(index);
        placement.hasPosition = true;
        const float degrees = tilt->size() > 0 ? itemNumber(tilt, index % tilt->size(), 0) : 0;
        placement.position = {x / units.perWorld, (index % 2 ? -0.04f : 0.04f) * size / units.perWorld};
        placement.angle = degrees * kDegrees;
        pose.placements.push_back(placement);
        rig.parts.push_back(part);
        x += size * 0.74f;
    }
    std::vector<PlacedPart> placed;
    if (!arrangePose(rig, pose, placed, error)) return false;
    for (size_t i = 0; i + 1 < rig.parts.size(); ++i) {
        LinkSpec link{static_cast<int>(i), 1, static_cast<int>(i + 1), 0, 0};
        const RigVec a = placePoint(placed[i], rig.parts[i].joints[1].at);
        const RigVec b = placePoint(placed[i + 1], rig.parts[i + 1].joints[0].at);
        link.length = std::hypot(a.x - b.x, a.y - b.y);
        rig.links.push_back(link);
    }
    rig.poses.push_back(pose);
    rig.models.push_back({prefix + ".model", ""});
    return true;
}

}  // namespace

int glyphCell(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= '0' && c <= '9') return 26 + (c - '0');
    if (c == '!') return 36;
    if (c == '?') return 37;
    return -1;
}

bool readRig(DataRef& root, Rig& rig, std::string& error) {
    rig = Rig{};
    if (root.kind() != DataKind::Map) {
        error = "the description is not a map";
        return false;
    }
    Units units;
    units.perWorld = number(root, "unit", 100);
    if (!(units.perWorld > 0)) {
        error = "unit must be positive";
        return false;
    }
    if (has(root, "word")) return expandWord(root->find("word"), units, rig, error);

    DataRef& parts = root->find("parts");
    for (std::uint32_t i = 0; i < parts->size(); ++i) {
        PartSpec part;
        if (!readPart(parts->item(i), units, part, error)) return false;
        if (findPart(rig, part.name) >= 0) {
            error = "two parts are called " + part.name;
            return false;
        }
        rig.parts.push_back(part);
    }
    if (rig.parts.empty()) {
        error = "a puppet needs parts";
        return false;
    }
    DataRef& links = root->find("links");
    for (std::uint32_t i = 0; i < links->size(); ++i) {
        DataRef& l = links->item(i);
        LinkSpec link;
        if (!findJoint(rig, text(l, "a"), link.partA, link.jointA, error)) return false;
        if (!findJoint(rig, text(l, "b"), link.partB, link.jointB, error)) return false;
        link.length = number(l, "length", 0) / units.perWorld;
        rig.links.push_back(link);
    }
    DataRef& models = root->find("models");
    for (std::uint32_t i = 0; i < models->size(); ++i) {
        DataRef& m = models->item(i);
        rig.models.push_back({text(m, "file"), text(m, "folder")});
    }
    // Scenery pieces are single parts that the game loads without a model.
    const bool partsOnly = number(root, "parts_only", 0) != 0;
    if (rig.models.empty() && !partsOnly) rig.models.push_back({"0.model", ""});
    DataRef& poses = root->find("poses");
    for (std::uint32_t i = 0; i < poses->size(); ++i) {
        PoseSpec pose;
        if (!readPose(poses->item(i), units, rig, pose, error)) return false;
        rig.poses.push_back(pose);
    }
    return true;
}

bool readRigFile(const std::string& path, Rig& rig, std::string& error) {
    DataRef root;
    readDataFile(path, root);
    if (!readRig(root, rig, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}
