#include "game/graphics/texture_cache.h"

#include "datatree/host_path.h"
#include "datatree/read_failures.h"
#include "datatree/whole_file.h"
#include "game/graphics/image.h"
#include "game/graphics/png_reader.h"

#include <GL/gl.h>

#include <fstream>

namespace {
TextureCache* theCache = nullptr;
}

TextureCache::TextureCache() { theCache = this; }

TextureCache::~TextureCache() {
    clear();
    if (theCache == this) theCache = nullptr;
}

TextureCache* TextureCache::instance() { return theCache; }

Texture TextureCache::load(const char* name) {
    const std::string key = name ? name : "";
    if (auto found = textures_.find(key); found != textures_.end()) return found->second;
    if (headless_) {
        textures_.emplace(key, Texture{0});
        return 0;
    }

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);

    // A file that is missing or unreadable leaves the 1x1 transparent picture, and is named once.
    Image image;
    std::ifstream file;
    std::string why;
    const std::string path = hostPath(key);
    if (!openRegularFile(file, path, &why)) {
        read_failures::note(path, why);
    } else if (!readPng(file, image)) {
        read_failures::note(path, "not a PNG picture this game can read");
    }
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width(), image.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 image.pixels());

    textures_.emplace(key, texture);
    return texture;
}

void TextureCache::clear() {
    if (!headless_) {
        for (const auto& [name, texture] : textures_) {
            const GLuint glName = texture;
            glDeleteTextures(1, &glName);
        }
    }
    textures_.clear();
}
