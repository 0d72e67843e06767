#include "random_player.h"

#include <cmath>

namespace {

// Spans in frames, 50 to the second. Walks are long and turn often; jumps and dives are taps; Z and
// X are held long enough to charge a dash or conjure a few stars. The right button, which beats
// every enemy on the stage, is pressed seldom, so that a stage is fought for a while before its
// waves give way.
constexpr HoldPattern kWalk{10, 150, 2, 60};
constexpr std::array<HoldPattern, 6> kKeys{{
    {1, 16, 8, 120},       // Up: jump, sometimes twice
    {1, 10, 30, 250},      // Down: dive
    {3, 160, 5, 120},      // Z: dash charge, and the confirm of every screen between stages
    {5, 120, 20, 250},     // X: stars
    {1, 4, 400, 2000},     // C: collapse
    {10, 150, 200, 1500},  // V: with the left button, reshapes the ground
}};
constexpr HoldPattern kGetUp{1, 4, 20, 200};  // the gap after a collapse
constexpr HoldPattern kLeftButton{3, 80, 50, 600};
constexpr HoldPattern kRightButton{1, 3, 1500, 6000};
constexpr std::array<std::uint32_t, 6> kKeyBits{kPadKeyUp, kPadKeyDown, kPadKeyZ,
                                                kPadKeyX,  kPadKeyC,    kPadKeyV};
constexpr std::size_t kC = 4;

}  // namespace

RandomPlayer::RandomPlayer(std::uint64_t seed, bool crazySet, std::int32_t width, std::int32_t height)
    : state_(seed), crazySet_(crazySet), width_(width > 0 ? width : 640), height_(height > 0 ? height : 480) {
    // Everything starts released, each key after its own first gap.
    walk_.left = between(kWalk.gapMin, kWalk.gapMax);
    for (std::size_t i = 0; i < keys_.size(); ++i) keys_[i].left = between(kKeys[i].gapMin, kKeys[i].gapMax);
    leftButton_.left = between(kLeftButton.gapMin, kLeftButton.gapMax);
    rightButton_.left = between(kRightButton.gapMin, kRightButton.gapMax);
    x_ = targetX_ = static_cast<float>(width_) / 2;
    y_ = targetY_ = static_cast<float>(height_) / 2;
}

std::uint64_t RandomPlayer::draw() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint32_t RandomPlayer::between(std::uint32_t low, std::uint32_t high) {
    return low + static_cast<std::uint32_t>(draw() % (std::uint64_t{high} - low + 1));
}

bool RandomPlayer::step(Channel& channel, const HoldPattern& pattern) {
    if (channel.left == 0) {
        channel.held = !channel.held;
        channel.left = channel.held ? between(pattern.holdMin, pattern.holdMax)
                                    : between(pattern.gapMin, pattern.gapMax);
    }
    --channel.left;
    return channel.held;
}

void RandomPlayer::movePointer() {
    const float dx = targetX_ - x_, dy = targetY_ - y_;
    const float distance = std::sqrt(dx * dx + dy * dy);
    if (targetFrames_ == 0 || distance <= speed_) {
        if (distance <= speed_) x_ = targetX_, y_ = targetY_;
        const auto within = [this](std::int32_t size) {
            return static_cast<float>(
                static_cast<std::int32_t>(between(0, static_cast<std::uint32_t>(size + 2 * kPointerMargin))) -
                kPointerMargin);
        };
        targetX_ = within(width_);
        targetY_ = within(height_);
        speed_ = static_cast<float>(between(1, 24));
        targetFrames_ = between(10, 200);  // a restless hand changes its mind before it arrives
        return;
    }
    --targetFrames_;
    x_ += dx / distance * speed_;
    y_ += dy / distance * speed_;
}

ScriptFrame RandomPlayer::next(bool atTitle) {
    ScriptFrame frame;
    const bool walkWasHeld = walk_.held;
    if (step(walk_, kWalk)) {
        if (!walkWasHeld) walkKey_ = between(0, 4) < 3 ? kPadKeyRight : kPadKeyLeft;  // the stage goes right
        frame.keys |= walkKey_;
    }
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        const bool wasHeld = keys_[i].held;
        // A collapse is followed soon by getting up again; the next collapse comes much later.
        const bool gettingUp = i == kC && collapses_ % 2 == 1;
        if (step(keys_[i], gettingUp ? kGetUp : kKeys[i])) {
            frame.keys |= kKeyBits[i];
            if (i == kC && !wasHeld) ++collapses_;
        }
    }
    if (atTitle) {
        frame.keys &= ~std::uint32_t{kPadKeyUp | kPadKeyDown};
        frame.keys |= crazySet_ ? kPadKeyDown : kPadKeyUp;
    }
    frame.mouse.left = step(leftButton_, kLeftButton);
    frame.mouse.right = step(rightButton_, kRightButton);
    movePointer();
    frame.mouse.x = static_cast<std::int32_t>(std::lround(x_));
    frame.mouse.y = static_cast<std::int32_t>(std::lround(y_));
    return frame;
}
