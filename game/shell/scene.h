#pragma once
// One screen of the game. Only the scene on top of the application's stack is updated and drawn.
// enter runs each time the scene becomes the top (after its push, and again when the scene above it
// is popped) and must (re)start all it shows; leave runs each time it stops being the top.

class Scene {
public:
    virtual ~Scene() = default;
    virtual void enter() {}
    virtual void leave() {}
    // Sets up its own viewport, projection and clearing; the loop presents the frame afterwards.
    virtual void draw() {}
    // Runs once per frame after the input is sampled, right before draw.
    virtual void update() {}
};
