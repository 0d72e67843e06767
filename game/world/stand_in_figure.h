#pragma once
// A figure with no behaviour of its own beyond the common puppet object: it loads its files, stands,
// falls and collides. The factory makes it for names whose own types do not exist yet.

#include "game/world/figure_loading.h"

class StandInFigure final : public PuppetObject {
public:
    StandInFigure(const char* modelPath, const char* posePath, std::int32_t rootPart = 0) {
        loadFigure(*this, modelPath, posePath, rootPart);
    }
};
