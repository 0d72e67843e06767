#pragma once
// The cloth that hides the stage between screens: a 20 x 16 grid of points in the 640 x 480 screen
// (x right, y down) moved by position steps and gravity, held by rope-like limits that let it bunch up
// but never stretch, and nailed along the top edge. Lifting hoists it by two points near its lower
// edge until the whole bottom edge is above the screen; dropping lets it fall back over the screen.

#include <cstdint>
#include <vector>

struct CurtainPoint {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;  // a small depth for shading only, kept between -0.9 and 0
};

class Curtain {
public:
    static constexpr int kColumns = 20;
    static constexpr int kRows = 16;
    static constexpr float kColumnSpacing = 640.0f / 19.0f;
    static constexpr float kRowSpacing = 32.0f;

    // A new curtain hangs down, covering the screen.
    Curtain();

    void lift() { lifting = 1; }
    // Stops a lifting or lifted cloth dead and lets it fall; a hanging or falling cloth is left alone.
    void drop();
    bool isLifted() const;
    bool isDown() const;
    // One simulation step; nothing moves once the cloth is lifted.
    void step();
    // Draws the cloth as a textured grid over the whole screen, with the caller's texture bound and
    // texturing enabled. Leaves a 640 x 480 orthographic projection and white colour behind.
    void draw() const;

    CurtainPoint& at(int row, int column) { return points[row * kColumns + column]; }
    const CurtainPoint& at(int row, int column) const { return points[row * kColumns + column]; }

    std::vector<CurtainPoint> points;    // row r, column c is element 20r + c
    std::vector<CurtainPoint> previous;  // positions one step earlier: the velocity
    std::int32_t lifting = 0;            // 1 while hoisted, 0 while hanging or falling

private:
    void integrate();
    void applyLimits();
    void pinEdges();
};
