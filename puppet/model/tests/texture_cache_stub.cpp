// Temporary stand-in for the texture cache until the graphics module provides it: headless only.

#include "game/graphics/texture_cache.h"

namespace {
TextureCache* current = nullptr;
TextureCache theCache;
}  // namespace

TextureCache::TextureCache() { current = this; }
TextureCache::~TextureCache() { current = nullptr; }
TextureCache* TextureCache::instance() { return current; }
Texture TextureCache::load(const char* name) { return textures_.emplace(name, 0).first->second; }
void TextureCache::clear() { textures_.clear(); }
