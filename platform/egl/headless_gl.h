#pragma once
// An OpenGL context without any window or display server, for tests and tools that upload textures
// or draw into their own framebuffer object (Mesa's surfaceless EGL platform).

#include <memory>

class HeadlessGl {
public:
    HeadlessGl();  // makes the context current on the calling thread when it can
    ~HeadlessGl();
    HeadlessGl(const HeadlessGl&) = delete;
    HeadlessGl& operator=(const HeadlessGl&) = delete;

    bool current() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};
