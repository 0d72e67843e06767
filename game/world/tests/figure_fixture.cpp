#include "figure_fixture.h"

#include <sstream>

namespace {

std::string partText(const std::vector<BoundSpec>& bounds) {
    std::ostringstream out;
    out << "{texture=p.png,pic_frame=[{x=-0.5,y=0.5,u=0,v=0,},{x=-0.5,y=-0.5,u=0,v=1,},"
           "{x=0.5,y=-0.5,u=1,v=1,},{x=0.5,y=0.5,u=1,v=0,},],joints=[],bound=[";
    for (const BoundSpec& b : bounds) {
        out << "{x=" << b.x << ",y=" << b.y << ",r=" << b.r << ",kind=" << b.kind << ",},";
    }
    out << "],},";
    return out.str();
}

// Distances from the corners of the reference square to the corners of a part lying exactly on it.
std::string identityPose(std::size_t parts) {
    const char* row[4] = {"0,1,1.41421356,1,", "1,0,1,1.41421356,", "1.41421356,1,0,1,", "1,1.41421356,1,0,"};
    std::string text = "[";
    for (std::size_t m = 0; m < parts; ++m) {
        for (const char* r : row) text += r;
    }
    return text + "],";
}

}  // namespace

std::string writeFigure(const TempDir& dir, const std::string& name,
                        const std::vector<std::vector<BoundSpec>>& parts) {
    std::string model = "{joints_link=[],parts=[";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string part = name + "_" + std::to_string(i) + ".part";
        dir.write(part, partText(parts[i]));
        model += part + ",";
    }
    dir.write(name + ".model", model + "],},");
    dir.write(name + ".pose", identityPose(parts.size()));
    return dir.path() + "\\" + name + ".model";
}

std::string posePathOf(const std::string& modelPath) {
    return modelPath.substr(0, modelPath.size() - 6) + ".pose";
}

TestFigure::TestFigure(const std::string& modelPath, bool posed) {
    puppet.loadModel(modelPath);
    puppet.setPose(posePathOf(modelPath));
    puppet.set(Puppet::posed, posed);
    buildHits();
}

void TestFigure::damage(Vec2 v) {
    ++damageCalls;
    PuppetObject::damage(v);
}

void TestFigure::onHit(Vec2 v) {
    ++onHitCalls;
    PuppetObject::onHit(v);
}
