#pragma once
// Watches a scripted run: writes the asked-for screenshots and game states and ends the run after its
// last frame.

#include "game/shell/frame_listener.h"
#include "replay_options.h"

#include <string>
#include <vector>

class ReplayRecorder final : public FrameListener {
public:
    explicit ReplayRecorder(const ReplayOptions& options) : options_(options) {}

    bool wantsPicture(std::uint64_t frame) override;
    void frameDrawn(std::uint64_t frame) override;
    void frameEnded(std::uint64_t frame) override;

    // Messages about shots that could not be taken or written, and frames the game never reached.
    std::vector<std::string> problems(std::uint64_t framesRun) const;

private:
    void writeState(std::uint64_t frame, const std::string& path);

    const ReplayOptions& options_;
    std::vector<std::string> failures_;
};
