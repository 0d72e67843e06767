#pragma once
// Two joints of two parts held at a set distance: the skeleton of a model.

#include <cstdint>

struct Link {
    std::int32_t partA = 0;
    std::int32_t partB = 0;
    std::int32_t jointA = 0;
    std::int32_t jointB = 0;
    float length = 0.0f;
};
