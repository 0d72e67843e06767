#include "replay_recorder.h"

#include "game/graphics/png_writer.h"
#include "game/graphics/screen_capture.h"
#include "game/flow/game_state_json.h"
#include "game/shell/game_app.h"
#include "platform/picture_layout.h"

#include <fstream>

bool ReplayRecorder::wantsPicture(std::uint64_t frame) {
    const bool wanted = !options_.shotsOnly || options_.shots.count(frame) > 0;
    discardPixels(!wanted);
    return wanted;
}

void ReplayRecorder::frameDrawn(std::uint64_t frame) {
    const auto shot = options_.shots.find(frame);
    if (shot == options_.shots.end()) return;
    // The picture as the scenes drew it, before the window scales it.
    if (!writePng(shot->second, captureScreen(kPictureWidth, kPictureHeight))) failures_.push_back("cannot write " + shot->second);
}

void ReplayRecorder::frameEnded(std::uint64_t frame) {
    if (const auto state = options_.states.find(frame); state != options_.states.end()) writeState(frame, state->second);
    if (frame + 1 >= options_.frames) {
        if (GameApp* app = GameApp::instance()) app->requestQuit();
    }
}

void ReplayRecorder::writeState(std::uint64_t frame, const std::string& path) {
    const GameApp* app = GameApp::instance();
    const Scene* top = app && !app->sceneStack().empty() ? app->sceneStack().back().get() : nullptr;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << gameStateJson(top, frame);
    out.close();
    if (!out) failures_.push_back("cannot write " + path);
}

std::vector<std::string> ReplayRecorder::problems(std::uint64_t framesRun) const {
    std::vector<std::string> all = failures_;
    for (const auto& [frame, path] : options_.shots) {
        if (frame >= framesRun) {
            all.push_back("the game ended after " + std::to_string(framesRun) + " frames, before the shot of frame " +
                          std::to_string(frame));
        }
    }
    for (const auto& [frame, path] : options_.states) {
        if (frame >= framesRun) {
            all.push_back("the game ended after " + std::to_string(framesRun) + " frames, before the state of frame " +
                          std::to_string(frame));
        }
    }
    return all;
}
