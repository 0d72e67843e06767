#include "game/flow/game_state_json.h"

#include "game/flow/game_scene.h"
#include "game/flow/logo_scene.h"

#include <cxxabi.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {

// A small writer that keeps the commas right; numbers as the shortest text that reads back the same
// float, and null for values JSON cannot hold.
class JsonOut {
public:
    std::string text;

    void open(char bracket) {
        comma();
        text += bracket;
        first_ = true;
    }
    void close(char bracket) {
        text += bracket;
        first_ = false;
    }
    void key(const char* name) {
        comma();
        text += '"';
        text += name;
        text += "\":";
        first_ = true;
    }
    void number(double value) {
        comma();
        if (!std::isfinite(value)) {
            text += "null";
            return;
        }
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.9g", value);
        text += digits;
    }
    void integer(std::int64_t value) {
        comma();
        text += std::to_string(value);
    }
    void boolean(bool value) {
        comma();
        text += value ? "true" : "false";
    }
    void string(const std::string& value) {
        comma();
        text += '"';
        for (char c : value) {
            if (c == '"' || c == '\\') text += '\\';
            if (static_cast<unsigned char>(c) < 0x20) continue;
            text += c;
        }
        text += '"';
    }
    void null() {
        comma();
        text += "null";
    }

private:
    void comma() {
        if (!first_) text += ',';
        first_ = false;
    }
    bool first_ = true;
};

// The object's class name as the code spells it ("Hero", "ItemBox").
std::string typeName(const GameObject& object) {
    const char* mangled = typeid(object).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> readable(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && readable ? readable.get() : mangled;
}

void writeFlags(JsonOut& out, std::uint32_t flags) {
    out.open('{');
    out.key("facingRight");
    out.boolean(flags & Puppet::facingRight);
    out.key("posed");
    out.boolean(flags & Puppet::posed);
    out.key("linked");
    out.boolean(flags & Puppet::linked);
    out.close('}');
}

void writeObject(JsonOut& out, const GameObject& object) {
    const auto* figure = dynamic_cast<const PuppetObject*>(&object);
    out.open('{');
    out.key("type");
    out.string(typeName(object));
    out.key("x");
    out.number(object.position.x);
    out.key("y");
    out.number(object.position.y);
    out.key("life");
    out.number(object.life);
    out.key("category");
    out.integer(object.category);
    out.key("collidesWith");
    out.integer(object.collidesWith);
    out.key("alpha");
    if (figure) {
        out.number(figure->alpha);
    } else {
        out.null();
    }
    out.key("z");
    out.number(object.z);
    out.close('}');
}

void writeGame(JsonOut& out, const GameScene& scene) {
    const std::pair<const char*, std::int32_t> counters[] = {
        {"menuState", scene.menuState},         {"mode", scene.mode},
        {"stageNumber", scene.stageNumber},     {"stagePhase", scene.stagePhase},
        {"phaseTimer", scene.phaseTimer},       {"continueState", scene.continueState},
        {"continueDelay", scene.continueDelay}, {"endingCounter", scene.endingCounter},
        {"lastStage", scene.lastStage},
    };
    for (const auto& [name, value] : counters) {
        out.key(name);
        out.integer(value);
    }
    out.key("waitingForStart");
    out.boolean(scene.waitingForStart);
    out.key("curtain");
    out.open('{');
    out.key("lifted");
    out.boolean(scene.curtain.isLifted());
    out.key("down");
    out.boolean(scene.curtain.isDown());
    out.close('}');
    out.key("enemyCount");
    out.integer(scene.enemyCount());
    out.key("groundLength");
    out.integer(scene.ground.lineCount());

    out.key("hero");
    if (scene.hero) {
        out.open('{');
        out.key("x");
        out.number(scene.hero->position.x);
        out.key("y");
        out.number(scene.hero->position.y);
        out.key("life");
        out.number(scene.hero->life);
        out.key("flags");
        writeFlags(out, scene.hero->puppet.flags);
        out.close('}');
    } else {
        out.null();
    }

    out.key("objects");
    out.open('[');
    for (const auto& object : scene.objects) {
        if (object) writeObject(out, *object);
    }
    out.close(']');
}

}  // namespace

std::string gameStateJson(const Scene* top, std::uint64_t frame) {
    JsonOut out;
    out.open('{');
    out.key("frame");
    out.integer(static_cast<std::int64_t>(frame));
    out.key("scene");
    if (const auto* game = dynamic_cast<const GameScene*>(top)) {
        out.string("game");
        writeGame(out, *game);
    } else if (const auto* logo = dynamic_cast<const LogoScene*>(top)) {
        out.string("logo");
        out.key("frameCount");
        out.integer(logo->frameCountNow());
        out.key("cameraDistance");
        out.number(logo->cameraDistanceNow());
    } else {
        out.string(top ? "other" : "none");
    }
    out.close('}');
    return out.text + "\n";
}
