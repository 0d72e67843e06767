#pragma once
// "Try it in the game": the edited model handed, in memory, to the game's own puppet library, standing
// posed on a floor under gravity. What the editor shows is then what the game will do with it.

#include "rigbench_doc.h"

#include "puppet/model/puppet.h"

#include <functional>
#include <vector>

class GamePreview {
public:
    // The game's gravity per step and its step rate.
    static constexpr float kGravity = -0.01f;
    static constexpr int kStepsPerSecond = 50;

    // Builds the game's puppet from the document's parts where they stand now (their rest distances,
    // joints, bounds and links as the model file would give them) and its present pose table; the
    // floor goes under the lowest corner or joint. texture gives a part's picture as a GL texture name.
    void start(const CrigbenchDoc& document, const std::function<unsigned(const EditPart&)>& texture);
    // One game step: gravity, the puppet's own step, then the floor holding every point above it.
    void step();
    void mirror() { puppet_.mirror(); }
    // Limp: the pose lets go and the puppet falls in a heap; again, it stands up again.
    void toggleLimp() { puppet_.set(Puppet::posed, !puppet_.has(Puppet::posed)); }
    bool limp() const { return !puppet_.has(Puppet::posed); }

    // For each part, the largest distance of its corners from where they stood in the editor, both
    // measured in the puppet's own frame (the reference square the pose table is measured from).
    std::vector<float> settleDistances() const;
    const Puppet& puppet() const { return puppet_; }
    float floorY() const { return floorY_; }
    // Draws the puppet and the floor. Needs a current GL context with the view's world matrices.
    void draw();

private:
    Puppet puppet_;
    std::vector<std::array<Point2, 4>> stood_;
    float floorY_ = 0.0f;
};

// A point's coordinates in a square frame's own axes: corner 0 top left, counter-clockwise, side 1 as
// the editor's reference square.
Point2 inFrameOf(const FrameSquare& frame, float x, float y);
