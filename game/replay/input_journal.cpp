#include "input_journal.h"

void InputJournal::beginFrame() {
    endFrame();
    frame_.emplace();
}

void InputJournal::endFrame() {
    if (!frame_) return;
    if (span_ && !(*span_ == *frame_)) writeSpan();
    if (!span_) {
        span_ = frame_;
        spanFirst_ = frames_;
    }
    frame_.reset();
    ++frames_;
}

void InputJournal::writeSpan() {
    out_ << ReplayScript::line(spanFirst_, frames_ - 1, *span_) << '\n' << std::flush;
    span_.reset();
}

MouseState InputJournal::readMouse() {
    const MouseState mouse = pointer_.readMouse();
    if (!finished_) {
        beginFrame();
        frame_->mouse = mouse;
    }
    return mouse;
}

std::uint32_t InputJournal::heldKeys() {
    const std::uint32_t keys = pad_.heldKeys();
    if (!finished_) {
        if (!frame_) beginFrame();  // a pad read without a pointer read still makes a frame
        frame_->keys |= keys;
    }
    return keys;
}

bool InputJournal::readJoystick(JoystickPosition& position) {
    const bool present = pad_.readJoystick(position);
    if (!finished_ && present) {
        if (!frame_) beginFrame();
        frame_->joystickPresent = true;
        frame_->joystick = position;
        frame_->joystick.buttons = 0;
        // Buttons 1 to 4 mean to the game what Z X C V mean; the others it never reads.
        constexpr std::uint32_t kAsKeys[] = {kPadKeyZ, kPadKeyX, kPadKeyC, kPadKeyV};
        for (int i = 0; i < 4; ++i) {
            if (position.buttons & (1u << i)) frame_->keys |= kAsKeys[i];
        }
    }
    return present;
}

void InputJournal::finish() {
    if (finished_) return;
    endFrame();
    if (span_) writeSpan();
    out_ << "# " << frames_ << " frames: puppet-replay --script FILE --frames " << frames_ << '\n' << std::flush;
    finished_ = true;
}
