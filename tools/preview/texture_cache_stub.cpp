// The preview draws without GL: its texture cache only counts names. The pictures are found from the
// part files themselves (see part_pictures.cpp).

#include "game/graphics/texture_cache.h"

namespace {
TextureCache* current = nullptr;
TextureCache theCache;
}  // namespace

TextureCache::TextureCache() {
    current = this;
}
TextureCache::~TextureCache() {
    current = nullptr;
}
TextureCache* TextureCache::instance() {
    return current;
}
Texture TextureCache::load(const char* name) {
    return textures_.emplace(name, 0).first->second;
}
void TextureCache::clear() {
    textures_.clear();
}
