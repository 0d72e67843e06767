#include "game/shell/pointer_input.h"

namespace {
PointerInput* thePointer = nullptr;
}

PointerInput::PointerInput(PointerDevice& device) : device_(&device) { thePointer = this; }

PointerInput::~PointerInput() {
    if (thePointer == this) thePointer = nullptr;
}

PointerInput* PointerInput::instance() { return thePointer; }

void PointerInput::sample() {
    const MouseState mouse = device_->readMouse();
    PointerRecord record;
    record.x = mouse.x;
    record.y = mouse.y;
    record.buttons = (mouse.left ? 1u : 0u) | (mouse.right ? 2u : 0u);
    history_.store(record);
}
