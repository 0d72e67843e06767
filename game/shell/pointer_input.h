#pragma once
// The mouse: cursor position in the window's client pixels and the left and right buttons, sampled
// once per frame.

#include "game/shell/input_record.h"
#include "platform/input_devices.h"

class PointerInput {
public:
    explicit PointerInput(PointerDevice& device);
    ~PointerInput();
    PointerInput(const PointerInput&) = delete;
    PointerInput& operator=(const PointerInput&) = delete;

    static PointerInput* instance();

    void sample();
    const PointerRecord& record(std::uint32_t age) const { return history_.record(age); }

private:
    PointerDevice* device_;
    InputRing<PointerRecord> history_;
};
