#pragma once
// The texture cache the fuzz targets draw from: headless, so pictures are read and checked but never
// uploaded, and made once for the whole run (it is emptied after every input).
#include "game/graphics/texture_cache.h"

inline TextureCache& headlessTextureCache() {
    static TextureCache* cache = [] {
        auto* made = new TextureCache();
        made->setHeadless(true);
        return made;
    }();
    return *cache;
}
