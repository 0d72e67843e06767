#include "game/world/figure_loading.h"

void loadFigure(PuppetObject& object, const char* modelPath, const char* posePath, std::int32_t rootPart) {
    object.puppet.loadModel(modelPath);
    object.puppet.setPose(posePath);
    object.puppet.set(Puppet::posed, true);
    object.buildHits();
    object.puppet.rootPart = rootPart;
}
