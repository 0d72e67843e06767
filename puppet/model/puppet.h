#pragma once
// A figure of the game: flat parts moved as one soft body. Point masses, square frames and distance
// constraints applied in a fixed order are the whole animation system; a pose is a table of distances
// from the puppet's own frame to every part's frame corners, and the parts travel to a new pose by
// relaxing towards its distances over the following steps.

#include "frame_square.h"
#include "link.h"
#include "pose.h"
#include "puppet_part.h"
#include "vec2.h"

#include <cstdint>
#include <string>
#include <vector>

struct Puppet {
    // Bits of flags.
    static constexpr std::uint32_t facingRight = 1u << 0;  // clear: the puppet is mirrored
    static constexpr std::uint32_t posed = 1u << 1;        // the pose ties every part to the frame
    static constexpr std::uint32_t linked = 1u << 2;       // link constraints are applied

    std::uint32_t flags = facingRight | linked;
    float poseScale = 1.0f;
    Pose pose;
    // Side 1, the size of the editor's reference square that pose tables are measured from; a larger
    // frame could never satisfy a saved pose.
    FrameSquare frame;
    std::vector<PuppetPart> parts;
    std::vector<Link> links;
    std::int32_t rootPart = 0;

    Puppet() { frame.init(1.0f); }

    bool has(std::uint32_t flag) const { return (flags & flag) != 0; }
    void set(std::uint32_t flag, bool on) { flags = on ? (flags | flag) : (flags & ~flag); }

    // Replaces everything, flags included, by the model file's content (a game path).
    void loadModel(const std::string& path);
    // Makes the named pose file's distances the current pose; takes effect while posed is set.
    void setPose(const std::string& name);
    std::size_t partCount() const { return parts.size(); }
    std::size_t linkCount() const { return links.size(); }

    // One physics step; game objects call it once per frame.
    void step();
    // The constraint pass step runs before and after moving the points.
    void solve();
    void push(Vec2 v);
    void move(Vec2 v);
    void damp(Vec2 k);
    // Sets poseScale to a (not multiplied) and grows every frame and part by a.
    void scale(float a);
    void mirror();
    // Only mirror turns a puppet over, and it turns the frame and every part together. A square that a
    // hard pull pressed flat and through (getting up from a heap) comes out wound the other way or
    // twisted, and the pose cannot undo that: it holds such a square squashed, off its place for good.
    // So each step of a posed puppet renumbers such squares to go round with the facing, and the pose
    // then turns them into place.
    void rewindTurnedSquares();
    void faceRight();
    void faceLeft();
    Vec2 centre() const { return frame.centre(); }
    Vec2 velocity() const { return frame.velocity(); }

    // Whether a link names parts and joints that exist; links that do not are skipped.
    bool linkValid(const Link& link) const;
    // Every part in model order at depth z and opacity alpha. Needs a current GL context.
    void draw(float z, float alpha);
};
