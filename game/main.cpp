// puppet: the game. It takes no notice of its command line; everything it needs is under data\ and
// config\ in the working directory.

#include "game/graphics/texture_cache.h"
#include "platform/sdl/sdl_platform.h"
#include "puppet_game.h"

// Made before the game starts and gone after it ends, so textures outlive every scene.
TextureCache textureCache;

int main() {
    SdlPlatform sdl;
    return runPuppet({sdl.window(), sdl.clock(), sdl.pad(), sdl.pointer()});
}
