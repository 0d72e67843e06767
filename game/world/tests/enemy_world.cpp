#include "enemy_world.h"

#include "game/world/figure_loading.h"
#include "puppet/model/pose.h"

#include <sstream>
#include <vector>

namespace {

struct Folder {
    const char* name;
    int parts;
    std::vector<const char*> poses;
};

const Folder kFolders[] = {
    {"bubble", 2, {"normal", "at0", "at1"}},
    {"hornet", 2, {"normal", "n0"}},
    {"naganeko", 2, {"normal", "at0", "at1", "at2", "at3"}},
    {"pot", 2, {"normal"}},
    {"mask", 2, {"normal", "w0", "w1"}},
    {"pinoko", 2, {"normal"}},
    {"stump", 2, {"normal", "a0", "a1"}},
    {"clay", 2, {"normal", "a0", "a1", "a2"}},
    {"egg", 2, {"0", "1", "2", "3", "4", "5", "6"}},
    {"imo", 2, {"normal", "0"}},
    {"knight", 2, {"normal", "n0", "a0", "a1", "a2"}},
    {"hornetboss", 3, {"0"}},
    {"lastboss", 15, {"normal", "a0"}},
};

// A square part of side 1 with one bound circle of the given kind and, when asked, one joint.
std::string partText(int boundKind, bool joint) {
    std::ostringstream out;
    out << "{texture=p.png,pic_frame=[{x=-0.5,y=0.5,u=0,v=0,},{x=-0.5,y=-0.5,u=0,v=1,},"
           "{x=0.5,y=-0.5,u=1,v=1,},{x=0.5,y=0.5,u=1,v=0,},],joints=["
        << (joint ? "{x=0.3,y=0.2,}," : "") << "],bound=[{x=0,y=0,r=0.5,kind=" << boundKind << ",},],},";
    return out.str();
}

std::string modelText(int parts) {
    std::string text = "{joints_link=[],parts=[";
    for (int i = 0; i < parts; ++i) text += "p" + std::to_string(i) + ".part,";
    return text + "],},";
}

// Every part lying on the puppet's frame, all distances stretched by `stretch`: poses that differ only
// in that number still tell apart.
std::string poseText(int parts, float stretch) {
    const float d[4][4] = {{0, 1, 1.41421356f, 1}, {1, 0, 1, 1.41421356f}, {1.41421356f, 1, 0, 1}, {1, 1.41421356f, 1, 0}};
    std::ostringstream out;
    out << "[";
    for (int m = 0; m < parts; ++m) {
        for (const auto& row : d) {
            for (float v : row) out << v * stretch << ",";
        }
    }
    out << "],";
    return out.str();
}

class StandIn : public PuppetObject {
public:
    StandIn() { loadFigure(*this, "data\\standin\\0.model", "data\\standin\\normal.pose"); }
};

}  // namespace

EnemyWorld::EnemyWorld() : previousDirectory_(std::filesystem::current_path()) {
    int poseNumber = 0;
    for (const Folder& folder : kFolders) {
        const std::string base = std::string("data/puppets/") + folder.name + "/";
        for (int i = 0; i < folder.parts; ++i) {
            // Part 1 stings; the boss's hand (part 14) holds the joint its minions come from.
            dir.write(base + "p" + std::to_string(i) + ".part", partText(i == 1 ? 1 : 0, i == 14));
        }
        dir.write(base + "0.model", modelText(folder.parts));
        for (const char* pose : folder.poses) {
            dir.write(base + pose + ".pose", poseText(folder.parts, 1.0f + 0.002f * static_cast<float>(++poseNumber)));
        }
    }
    dir.write("data/lastboss/lastboss/normal.pose", poseText(15, 0.9f));
    dir.write("data/standin/p0.part", partText(0, false));
    dir.write("data/standin/0.model", modelText(1));
    dir.write("data/standin/normal.pose", poseText(1, 1.0f));

    std::error_code ignored;
    std::filesystem::current_path(dir.path(), ignored);
    textures.setHeadless(true);
    scene.stageNumber = 1;
    scene.ground.load("data\\stage\\", "no such.ground");  // the level fallback ground

    auto standIn = std::make_unique<StandIn>();
    standIn->category = kHeroCategory;
    hero = standIn.get();
    scene.hero = hero;
    scene.addObject(std::move(standIn));
    putHero(6.0f, 0.5f);
}

EnemyWorld::~EnemyWorld() {
    std::error_code ignored;
    std::filesystem::current_path(previousDirectory_, ignored);
}

void EnemyWorld::putHero(float x, float y) {
    hero->moveTo({x, y});
    hero->puppet.damp({0.0f, 0.0f});
    hero->update();
}

void EnemyWorld::step() { stepWorld(scene.objects, scene.ground); }

void EnemyWorld::writeBossModel(int parts) { dir.write("data/puppets/lastboss/0.model", modelText(parts)); }

bool posedAs(const PuppetObject& object, const char* pose) {
    const Pose* named = PoseCache::instance().find(pose);
    return named && !named->empty() && object.puppet.pose == *named;
}
