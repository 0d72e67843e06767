// Checks the built data set as the game will read it: every file the game names exists and parses,
// every picture is an 8-bit RGBA PNG with power-of-two sides, every pose fits its model, every index
// the game's code relies on exists, sounds are 16-bit PCM and music loops join end to start.

#include "data_set.h"
#include "wave_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <utility>

namespace {

namespace fs = std::filesystem;

bool dataSetBuilt() {
    return fs::is_directory(std::string(DOLVANE_RUN_DIR) + "/data");
}

// Every build makes the data set; without its tools the build says which are missing, and an old
// data set left in the run folder is not what the sources would make now.
#define REQUIRE_DATA_SET()                                                                             \
    ASSERT_STREQ(CONTENT_TOOLS_MISSING, "") << "content tools missing when the build was configured: " \
                                               "run scripts/install-deps and configure again";         \
    ASSERT_TRUE(dataSetBuilt()) << "no data set in " DOLVANE_RUN_DIR ": build the content target"

// Model and the poses the game sets on it.
struct Puppet {
    std::string model;
    std::vector<std::string> poses;
};

// Every enemy kind's folder under data\puppets\ and each pose its code sets.
const std::vector<std::pair<std::string, std::vector<std::string>>>& enemyKinds() {
    static const std::vector<std::pair<std::string, std::vector<std::string>>> kinds = {
        {"hornet", {"normal", "n0"}},
        {"naganeko", {"normal", "at0", "at1", "at2", "at3"}},
        {"pot", {"normal"}},
        {"mask", {"normal", "w0", "w1"}},
        {"pinoko", {"normal"}},
        {"stump", {"normal", "a0", "a1"}},
        {"lastboss", {"normal", "a0"}},
        {"hornetboss", {"0"}},
        {"knight", {"normal", "n0", "a0", "a1", "a2"}},
        {"egg", {"0", "1", "2", "3", "4", "5", "6"}},
        {"imo", {"normal", "0"}},
        {"clay", {"normal", "a0", "a1", "a2"}},
    };
    return kinds;
}

std::vector<Puppet> puppetsTheGameLoads() {
    std::vector<Puppet> puppets;
    const std::vector<std::string> heroPoses = {"normal", "walk0", "walk1", "sitdown",
                                                "at0",    "at1",   "at3",   "at5"};
    for (int stage = 0; stage <= 8; ++stage) {
        Puppet hero{"data\\hero\\" + std::to_string(stage) + ".model", {}};
        for (const std::string& p : heroPoses) hero.poses.push_back("data\\hero\\" + p + ".pose");
        puppets.push_back(hero);
    }
    puppets.push_back({"data\\hero\\ma\\star.model", {"data\\hero\\ma\\star.pose"}});
    Puppet logo{"data\\logo\\0.model", {}};
    for (int i = 0; i <= 5; ++i) logo.poses.push_back("data\\logo\\" + std::to_string(i) + ".pose");
    puppets.push_back(logo);
    for (const char* w : {"uki", "don", "ora", "zaku", "iyan"}) {
        puppets.push_back(
            {std::string("data\\word\\") + w + ".model", {std::string("data\\word\\") + w + ".pose"}});
    }
    for (const char* w : {"warning", "clear", "stage1", "stage2", "stage3", "stage4", "stage5", "stage6",
                          "stage7", "laststage"}) {
        puppets.push_back(
            {std::string("data\\etc\\") + w + ".model", {std::string("data\\etc\\") + w + ".pose"}});
    }
    puppets.push_back({"data\\puppets\\bubble\\0.model",
                       {"data\\puppets\\bubble\\normal.pose", "data\\puppets\\bubble\\at0.pose",
                        "data\\puppets\\bubble\\at1.pose"}});
    for (const char* item : {"box", "ms", "pumpkin"}) {
        puppets.push_back(
            {std::string("data\\puppets\\Items\\") + item + ".model", {"data\\puppets\\Items\\0.pose"}});
    }
    // The enemies; the last boss's first pose lives outside its folder.
    for (const auto& [kind, poses] : enemyKinds()) {
        Puppet enemy{"data\\puppets\\" + kind + "\\0.model", {}};
        for (const std::string& p : poses)
            enemy.poses.push_back("data\\puppets\\" + kind + "\\" + p + ".pose");
        if (kind == "lastboss") enemy.poses.push_back("data\\lastboss\\lastboss\\normal.pose");
        puppets.push_back(enemy);
    }
    return puppets;
}

// Object names that stage files may place, with the model each one loads.
const std::map<std::string, std::string>& modelOfObject() {
    static const std::map<std::string, std::string> models = {
        {"Bubble", "data\\puppets\\bubble\\0.model"},
        {"SplitBubble", "data\\puppets\\bubble\\0.model"},
        {"BigItemBox", "data\\puppets\\Items\\box.model"},
        {"PumpkinBox", "data\\puppets\\Items\\box.model"},
        {"BigItem", "data\\puppets\\Items\\ms.model"},
        {"Pumpkin", "data\\puppets\\Items\\pumpkin.model"},
        // The enemies.
        {"Hornet", "data\\puppets\\hornet\\0.model"},
        {"Naganeko", "data\\puppets\\naganeko\\0.model"},
        {"Pot", "data\\puppets\\pot\\0.model"},
        {"Mask", "data\\puppets\\mask\\0.model"},
        {"Pinoko", "data\\puppets\\pinoko\\0.model"},
        {"Stump", "data\\puppets\\stump\\0.model"},
        {"LastBoss", "data\\puppets\\lastboss\\0.model"},
        {"HornetBoss", "data\\puppets\\hornetboss\\0.model"},
        {"Knight", "data\\puppets\\knight\\0.model"},
        {"Egg", "data\\puppets\\egg\\0.model"},
        {"Imo", "data\\puppets\\imo\\0.model"},
        {"Clay", "data\\puppets\\clay\\0.model"},
    };
    return models;
}

bool isPowerOfTwo(unsigned n) {
    return n != 0 && (n & (n - 1)) == 0;
}

}  // namespace

TEST(Content, EveryPuppetLoadsWithItsPartsPicturesAndPoses) {
    REQUIRE_DATA_SET();
    for (const Puppet& puppet : puppetsTheGameLoads()) {
        SCOPED_TRACE(puppet.model);
        const ModelInfo model = readModel(puppet.model);
        ASSERT_TRUE(model.readable);
        ASSERT_FALSE(model.parts.empty());
        for (const PartInfo& part : model.parts) {
            EXPECT_TRUE(fileExists(part.path)) << part.path;
            EXPECT_TRUE(fileExists(part.texture)) << part.path << " names " << part.texture;
        }
        for (const ModelInfo::Link& link : model.links) {
            const int n = static_cast<int>(model.parts.size());
            ASSERT_TRUE(link.partA >= 0 && link.partA < n && link.partB >= 0 && link.partB < n);
            EXPECT_LT(link.jointA, model.parts[link.partA].joints);
            EXPECT_LT(link.jointB, model.parts[link.partB].joints);
            EXPECT_GE(link.jointA, 0);
            EXPECT_GE(link.jointB, 0);
        }
        for (const std::string& pose : puppet.poses) {
            EXPECT_EQ(poseSize(pose), static_cast<int>(16 * model.parts.size())) << pose;
        }
    }
}

TEST(Content, IndexesTheGameReliesOnExist) {
    REQUIRE_DATA_SET();
    for (int stage = 0; stage <= 8; ++stage) {
        SCOPED_TRACE(stage);
        const ModelInfo hero = readModel("data\\hero\\" + std::to_string(stage) + ".model");
        ASSERT_GT(hero.parts.size(), 6u);  // part 6 is the body the hero's frame follows when limp
        ASSERT_GT(hero.parts[0].boundKinds.size(), 3u);  // bound 3 of part 0 is the hand stars come from
        EXPECT_EQ(hero.parts[0].boundKinds[3], 1);
        int body = 0, attack = 0;
        for (const PartInfo& p : hero.parts) {
            body += static_cast<int>(std::count(p.boundKinds.begin(), p.boundKinds.end(), 0));
            attack += static_cast<int>(std::count(p.boundKinds.begin(), p.boundKinds.end(), 1));
        }
        EXPECT_GT(body, 0);
        EXPECT_GT(attack, 1);
        EXPECT_NE(std::find(hero.parts[6].boundKinds.begin(), hero.parts[6].boundKinds.end(), 0),
                  hero.parts[6].boundKinds.end());
    }
    const ModelInfo star = readModel("data\\hero\\ma\\star.model");
    ASSERT_FALSE(star.parts.empty());
    ASSERT_FALSE(star.parts[0].boundKinds.empty());  // the star is held by bound 0 of part 0
    EXPECT_EQ(star.parts[0].boundKinds[0], 1);
    const ModelInfo bubble = readModel("data\\puppets\\bubble\\0.model");
    int bubbleAttacks = 0;
    for (const PartInfo& p : bubble.parts)
        bubbleAttacks += static_cast<int>(std::count(p.boundKinds.begin(), p.boundKinds.end(), 1));
    EXPECT_GT(bubbleAttacks, 0);
    // The last boss calls its minions from joint 0 of part 14, once it exists.
    const ModelInfo boss = readModel("data\\puppets\\lastboss\\0.model");
    if (boss.readable) {
        ASSERT_GT(boss.parts.size(), 14u);
        EXPECT_GT(boss.parts[14].joints, 0);
    }
}

// Every enemy can be hurt (a body circle) and can strike (an attack circle), no part of it floats
// free (each hangs from part 0 through links, which is all that holds a limp puppet, and the hornet
// boss's whole chain, together), and each pose its code switches to shows: no two are the same table.
TEST(Content, EnemiesCanBeHitStrikeHangTogetherAndPoseDistinctly) {
    REQUIRE_DATA_SET();
    for (const auto& [kind, poses] : enemyKinds()) {
        SCOPED_TRACE(kind);
        const ModelInfo model = readModel("data\\puppets\\" + kind + "\\0.model");
        ASSERT_TRUE(model.readable);
        ASSERT_FALSE(model.parts.empty());
        int body = 0, attack = 0;
        for (const PartInfo& p : model.parts) {
            body += static_cast<int>(std::count(p.boundKinds.begin(), p.boundKinds.end(), 0));
            attack += static_cast<int>(std::count(p.boundKinds.begin(), p.boundKinds.end(), 1));
        }
        EXPECT_GT(body, 0);    // something to hit
        EXPECT_GT(attack, 0);  // something that hurts when the enemy strikes
        std::vector<bool> held(model.parts.size(), false);
        held[0] = true;
        for (bool grew = true; grew;) {
            grew = false;
            for (const ModelInfo::Link& link : model.links) {
                const int n = static_cast<int>(held.size());
                if (link.partA < 0 || link.partA >= n || link.partB < 0 || link.partB >= n) continue;
                if (held[link.partA] != held[link.partB]) {
                    held[link.partA] = held[link.partB] = true;
                    grew = true;
                }
            }
        }
        for (size_t p = 0; p < held.size(); ++p)
            EXPECT_TRUE(held[p]) << "part " << p << " hangs from nothing";
        // Each pose the code switches to must show: no two poses of one enemy are the same table.
        std::vector<std::vector<float>> tables;
        for (const std::string& name : poses) {
            const std::string pose = "data\\puppets\\" + kind + "\\" + name + ".pose";
            DataRef root = readGameFile(pose);
            std::vector<float> values(root->size(), 0.0f);
            for (std::uint32_t i = 0; i < root->size(); ++i) readFloat(root->item(i), values[i]);
            for (const std::vector<float>& other : tables) EXPECT_NE(values, other) << pose;
            tables.push_back(values);
        }
    }
}

TEST(Content, EveryPictureIsRgbaWithPowerOfTwoSides) {
    REQUIRE_DATA_SET();
    for (const char* screen :
         {"data\\title\\0.png", "data\\mode.png", "data\\etc\\sky.png", "data\\etc\\meter.png",
          "data\\etc\\face.png", "data\\etc\\continue.png", "data\\etc\\end.png"}) {
        EXPECT_TRUE(fileExists(screen)) << screen;
    }
    int pictures = 0;
    for (const auto& entry : fs::recursive_directory_iterator(std::string(DOLVANE_RUN_DIR) + "/data")) {
        if (entry.path().extension() != ".png") continue;
        SCOPED_TRACE(entry.path().string());
        const PngInfo png = readPngInfo(entry.path().string());
        EXPECT_TRUE(png.decoded);
        EXPECT_EQ(png.bitDepth, 8);
        EXPECT_EQ(png.colourType, 6);  // RGBA
        EXPECT_TRUE(isPowerOfTwo(png.width) && isPowerOfTwo(png.height)) << png.width << "x" << png.height;
        ++pictures;
    }
    EXPECT_GT(pictures, 100);
}

TEST(Content, SoundsArePcmAndMusicLoopsJoinEndToStart) {
    REQUIRE_DATA_SET();
    for (const char* effect : {"piko", "cat", "start", "zaku", "iyan", "don"}) {
        SCOPED_TRACE(effect);
        const WaveInfo wave = readWave(runPath(std::string("data\\sound\\") + effect + ".wav"));
        ASSERT_TRUE(wave.valid);
        EXPECT_EQ(wave.format, 1);
        EXPECT_EQ(wave.bitsPerSample, 16);
        EXPECT_EQ(wave.sampleRate, 22050u);
        EXPECT_GT(wave.samples.size(), 22050u / 20);  // longer than a click
        EXPECT_LT(wave.samples.size(), 22050u * 2);   // short enough to cut by the next effect
    }
    for (const char* music : {"m0", "A", "m1", "boss", "1", "d1"}) {
        SCOPED_TRACE(music);
        const WaveInfo wave = readWave(runPath(std::string("data\\music\\") + music + ".wav"));
        ASSERT_TRUE(wave.valid);
        EXPECT_EQ(wave.format, 1);
        EXPECT_EQ(wave.bitsPerSample, 16);
        EXPECT_EQ(wave.sampleRate, 22050u);
        ASSERT_GT(wave.channels, 0);
        const size_t frames = wave.samples.size() / static_cast<size_t>(wave.channels);
        EXPECT_GT(frames, 22050u * 5);
        EXPECT_EQ(wave.channels, 1);
        // The stage, boss and clear loops play for minutes on end: a minute at least before they repeat.
        const std::string name = music;
        if (name == "A" || name == "boss" || name == "1") {
            EXPECT_GE(frames, 22050u * 60);
        }
        // A seamless loop: the step from the last frame to the first is no bigger than the steps
        // the music itself makes from one frame to the next (99.9% of them).
        for (int c = 0; c < wave.channels; ++c) {
            std::vector<int> steps;
            int peak = 0;
            for (size_t f = 0; f + 1 < frames; ++f) {
                const int a = wave.samples[f * wave.channels + c],
                          b = wave.samples[(f + 1) * wave.channels + c];
                steps.push_back(std::abs(b - a));
                peak = std::max(peak, std::abs(a));
            }
            std::sort(steps.begin(), steps.end());
            const int usual = steps[steps.size() * 999 / 1000];
            const int seam = std::abs(wave.samples[c] - wave.samples[(frames - 1) * wave.channels + c]);
            EXPECT_LE(seam, usual) << "channel " << c;
            EXPECT_GT(peak, 8000);   // audible
            EXPECT_LT(peak, 32767);  // and never clipped
        }
    }
}

TEST(Content, StagesNameExistingFiles) {
    REQUIRE_DATA_SET();
    for (const std::string dir : {"data\\stage\\", "data\\crazy\\"}) {
        SCOPED_TRACE(dir);
        DataRef ground = readGameFile(dir + "0.ground");
        std::int32_t size = 0;
        readInt(ground.member("size"), size);
        EXPECT_GT(size, 20);
        EXPECT_EQ(ground.member("heights")->size(), static_cast<std::uint32_t>(size));
        EXPECT_TRUE(fileExists(dir + ground.member("texture")->text()));
        for (std::uint32_t i = 0; i + 1 < ground.member("heights")->size(); ++i) {
            float a = 0, b = 0;
            readFloat(ground.member("heights")->item(i), a);
            readFloat(ground.member("heights")->item(i + 1), b);
            EXPECT_LT(std::abs(a - b), 1.0f) << "column " << i << " is too steep to stand on";
            EXPECT_LT(a, 9.0f);  // well below the ceiling
        }
        DataRef scenery = readGameFile(dir + "0.bos");
        EXPECT_GT(scenery->size(), 0u);
        for (std::uint32_t i = 0; i < scenery->size(); ++i) {
            const std::string part = scenery->item(i).member("name")->text();
            ASSERT_TRUE(fileExists(part)) << part;
            DataRef p = readGameFile(part);
            EXPECT_TRUE(fileExists(directoryOf(part) + p.member("texture")->text())) << part;
        }
        for (const char* list : {"0.enemies", "0.enemies2", "0.items"}) {
            DataRef entries = readGameFile(dir + list);
            ASSERT_EQ(entries.kind(), DataKind::Array) << list;
            EXPECT_GT(entries->size(), 0u) << list;
            for (std::uint32_t i = 0; i < entries->size(); ++i) {
                DataRef& e = entries->item(i);
                const auto known = modelOfObject().find(e.member("name")->text());
                ASSERT_NE(known, modelOfObject().end()) << list << " places " << e.member("name")->text();
                EXPECT_TRUE(fileExists(known->second));
                // Every entry gives every key, so that nothing depends on the entry before it.
                float x = -1, y = -1, scale = -1;
                readFloat(e.member("x"), x);
                readFloat(e.member("y"), y);
                readFloat(e.member("scale"), scale);
                EXPECT_GE(x, 0.0f);
                EXPECT_LT(x, static_cast<float>(size - 1));
                EXPECT_GT(y, 0.0f);
                EXPECT_GT(scale, 0.0f);
            }
        }
    }
}

TEST(Content, ConfigFilesNameTheWindowAndSound) {
    REQUIRE_DATA_SET();
    auto lines = [](const std::string& gamePath) {
        std::vector<std::string> out;
        std::ifstream in(runPath(gamePath));
        for (std::string line; std::getline(in, line);) out.push_back(line);
        return out;
    };
    auto has = [](const std::vector<std::string>& v, const std::string& line) {
        return std::find(v.begin(), v.end(), line) != v.end();
    };
    const auto window = lines("config\\window.txt");
    EXPECT_TRUE(has(window, "name=Dolvane!"));
    // No size: the window opens as large as the desktop comfortably holds.
    for (const std::string& line : window)
        EXPECT_FALSE(line.rfind("width=", 0) == 0 || line.rfind("height=", 0) == 0);
    EXPECT_TRUE(has(window, "scale=fit"));
    EXPECT_TRUE(has(window, "full=0"));
    EXPECT_TRUE(has(window, "icon=data\\icon.png"));
    EXPECT_TRUE(fileExists("data\\icon.png"));
    const auto sound = lines("config\\sound.txt");
    EXPECT_TRUE(has(sound, "se_enable=1"));
    EXPECT_TRUE(has(sound, "bgm_enable=1"));
    EXPECT_TRUE(has(lines("config\\speed.txt"), "no_wait=0"));
}

// ---- The campaign: stages 1 to 9 of both sets ----

namespace {

// Every name the object factory knows, with the model it loads.
const std::map<std::string, std::string>& factoryModels() {
    static const std::map<std::string, std::string> models = [] {
        std::map<std::string, std::string> m;
        for (const char* kind : {"hornet", "naganeko", "pot", "mask", "pinoko", "stump", "clay", "egg", "imo",
                                 "knight", "hornetboss", "lastboss"}) {
            std::string name = kind;
            name[0] = static_cast<char>(name[0] - 'a' + 'A');
            if (name == "Hornetboss") name = "HornetBoss";
            if (name == "Lastboss") name = "LastBoss";
            m[name] = std::string("data\\puppets\\") + kind + "\\0.model";
        }
        m["Bubble"] = m["SplitBubble"] = "data\\puppets\\bubble\\0.model";
        m["BigItemBox"] = m["PumpkinBox"] = "data\\puppets\\Items\\box.model";
        for (const char* staff : {"tavo", "pelu", "runo", "kesta", "dabo", "fimu", "gorl"}) {
            std::string name = staff;
            name[0] = static_cast<char>(name[0] - 'a' + 'A');
            m[name] = std::string("data\\staff\\") + staff + ".model";
        }
        return m;
    }();
    return models;
}

bool isStaff(const std::string& name) {
    return factoryModels().count(name) && factoryModels().at(name).rfind("data\\staff\\", 0) == 0;
}

// Keys a list entry leaves out stay NaN.
struct Placed {
    std::string name;
    float x = std::nanf(""), y = std::nanf(""), life = std::nanf(""), scale = std::nanf("");
};

}  // namespace

// Walks every stage file of both sets as a stage start reads them: the ground is long, walkable and
// has a picture of its own; the scenery's parts and pictures exist; every placed name is one the
// factory knows, placed inside the stage above its ground; the campaign's shape holds (a heal
// before every boss wave, a stronger figure in every normal second wave, the hornet boss midway,
// the last boss in the last stage, the seven staff puppets in the staff stage).
TEST(Content, EveryStageOfBothSetsIsPlayable) {
    REQUIRE_DATA_SET();
    // Ground steeper than this is not ground to stand on (the objects' standable slope, just under
    // 45 degrees), so the hero could neither walk nor jump up it.
    const float climbable = std::tan(0.785375f);
    for (const std::string dir : {"data\\stage\\", "data\\crazy\\"}) {
        std::vector<std::string> groundPictures;
        bool hornetBoss = false;
        for (int stage = 0; stage <= 8; ++stage) {
            const std::string file = dir + std::to_string(stage);
            SCOPED_TRACE(file);
            DataRef ground = readGameFile(file + ".ground");
            std::int32_t size = 0;
            readInt(ground.member("size"), size);
            EXPECT_GE(size, 100) << "a stage is some ten screens long";
            ASSERT_EQ(ground.member("heights")->size(), static_cast<std::uint32_t>(size));
            const std::string picture = ground.member("texture")->text();
            EXPECT_TRUE(fileExists(dir + picture)) << picture;
            EXPECT_EQ(std::count(groundPictures.begin(), groundPictures.end(), picture), 0) << picture;
            groundPictures.push_back(picture);
            std::vector<float> heights(static_cast<std::size_t>(size));
            for (std::uint32_t i = 0; i < heights.size(); ++i) {
                heights[i] = std::nanf("");
                readFloat(ground.member("heights")->item(i), heights[i]);
                EXPECT_FALSE(std::isnan(heights[i])) << "sample " << i;
            }
            for (std::size_t i = 0; i + 1 < heights.size(); ++i) {
                EXPECT_LT(std::abs(heights[i + 1] - heights[i]), climbable) << "column " << i;
                EXPECT_LT(heights[i], 6.0f);  // the camera follows only up to 8
            }
            auto groundAt = [&](float x) {
                const std::size_t i =
                    std::min(static_cast<std::size_t>(std::max(x, 0.0f)), heights.size() - 1);
                return std::max(heights[i], heights[std::min(i + 1, heights.size() - 1)]);
            };

            DataRef scenery = readGameFile(file + ".bos");
            EXPECT_GE(scenery->size(), 8u);
            for (std::uint32_t i = 0; i < scenery->size(); ++i) {
                const std::string part = scenery->item(i).member("name")->text();
                ASSERT_TRUE(fileExists(part)) << part;
                DataRef p = readGameFile(part);
                EXPECT_TRUE(fileExists(directoryOf(part) + p.member("texture")->text())) << part;
            }

            std::map<std::string, std::vector<Placed>> lists;
            for (const char* list : {"enemies", "enemies2", "items"}) {
                DataRef entries = readGameFile(file + "." + list);
                ASSERT_EQ(entries.kind(), DataKind::Array) << list;
                EXPECT_GT(entries->size(), 0u) << list;
                for (std::uint32_t i = 0; i < entries->size(); ++i) {
                    DataRef& e = entries->item(i);
                    Placed p{e.member("name")->text()};
                    const bool enemy = std::string(list) != "items";
                    readFloat(e.member("x"), p.x);
                    readFloat(e.member("y"), p.y);
                    readFloat(e.member("scale"), p.scale);
                    readFloat(e.member("life"), p.life);
                    EXPECT_FALSE(std::isnan(p.x) || std::isnan(p.y) || std::isnan(p.scale) ||
                                 (enemy && std::isnan(p.life)))
                        << list << " entry " << i << " leaves a key to the entry before it";
                    const auto known = factoryModels().find(p.name);
                    ASSERT_NE(known, factoryModels().end()) << list << " places " << p.name;
                    // The enemies' own puppets are drawn apart from the stages; the ones this data set
                    // has must load.
                    const std::string folder = directoryOf(known->second);
                    if (isStaff(p.name) || p.name.find("Bubble") != std::string::npos || !enemy ||
                        fs::is_directory(runPath(folder))) {
                        EXPECT_TRUE(fileExists(known->second)) << known->second;
                    }
                    EXPECT_GE(p.x, 10.0f) << p.name << " starts away from the hero";
                    EXPECT_LT(p.x, static_cast<float>(size - 2));
                    EXPECT_GT(p.y, groundAt(p.x)) << p.name << " at " << p.x << " starts in the ground";
                    EXPECT_LT(p.y, 11.0f) << "under the ceiling";
                    EXPECT_GT(p.scale, 0.3f);
                    EXPECT_LE(p.scale, 3.5f);
                    if (enemy) {
                        EXPECT_GT(p.life, 0.0f);
                    }
                    lists[list].push_back(p);
                }
            }
            auto count = [&](const char* list, auto test) {
                return std::count_if(lists[list].begin(), lists[list].end(), test);
            };
            auto named = [](const char* name) { return [name](const Placed& p) { return p.name == name; }; };
            EXPECT_GE(count("items", named("PumpkinBox")), 1) << "a heal before the boss wave";
            if (stage == 8) {
                // The staff stage: each of the seven once, and nobody else.
                std::vector<std::string> staff;
                for (const char* list : {"enemies", "enemies2"}) {
                    for (const Placed& p : lists[list]) {
                        EXPECT_TRUE(isStaff(p.name)) << p.name;
                        staff.push_back(p.name);
                    }
                }
                std::sort(staff.begin(), staff.end());
                EXPECT_EQ(staff, (std::vector<std::string>{"Dabo", "Fimu", "Gorl", "Kesta", "Pelu", "Runo",
                                                           "Tavo"}));
                continue;
            }
            for (const char* list : {"enemies", "enemies2"}) {
                EXPECT_EQ(count(list, [](const Placed& p) { return isStaff(p.name); }), 0) << list;
            }
            EXPECT_EQ(count("enemies", named("LastBoss")), 0) << "no boss in a first wave";
            EXPECT_EQ(count("enemies", named("HornetBoss")), 0) << "no boss in a first wave";
            hornetBoss = hornetBoss || count("enemies2", named("HornetBoss")) > 0;
            if (stage == 7) {
                EXPECT_EQ(count("enemies2", named("LastBoss")), 1);
            }
            if (dir == "data\\stage\\") {
                EXPECT_GE(count("enemies2", [](const Placed& p) { return p.scale >= 1.5f; }), 1)
                    << "a stronger figure in the second wave";
                if (stage < 7) {
                    EXPECT_EQ(count("enemies2", named("LastBoss")), 0) << "the last boss waits";
                }
            }
        }
        EXPECT_TRUE(hornetBoss) << dir;
    }
    // The staff puppets, each a figure of its own with its pose.
    std::vector<std::string> bodies;
    for (const char* staff : {"tavo", "pelu", "runo", "kesta", "dabo", "fimu", "gorl"}) {
        const std::string model = std::string("data\\staff\\") + staff + ".model";
        SCOPED_TRACE(model);
        const ModelInfo info = readModel(model);
        ASSERT_TRUE(info.readable);
        ASSERT_GE(info.parts.size(), 4u);
        for (const PartInfo& part : info.parts) EXPECT_TRUE(fileExists(part.texture)) << part.texture;
        EXPECT_EQ(poseSize(std::string("data\\staff\\") + staff + ".pose"),
                  static_cast<int>(16 * info.parts.size()));
        EXPECT_EQ(info.parts[0].boundKinds.size(), 2u) << "the body is what the hero hits";
        EXPECT_EQ(std::count(bodies.begin(), bodies.end(), info.parts[0].texture), 0);
        bodies.push_back(info.parts[0].texture);
    }
}
