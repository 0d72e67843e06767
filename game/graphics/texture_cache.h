#pragma once
// The one process-wide table from picture file name to GL texture name. A file is read and uploaded
// the first time its name is asked for; later requests with the same name (byte for byte: letter case
// and slash kind count) get the same texture without touching the disk or the GL.

#include <cstdint>
#include <map>
#include <string>

using Texture = std::uint32_t;  // a bare GL texture name

class TextureCache {
public:
    TextureCache();
    ~TextureCache();
    TextureCache(const TextureCache&) = delete;
    TextureCache& operator=(const TextureCache&) = delete;

    static TextureCache* instance();

    // Loads on first use; always returns a texture (a 1x1 transparent one for unreadable files).
    // Needs the GL context to be current unless the cache is headless.
    Texture load(const char* name);
    // Deletes every texture and empties the table; called at shutdown while GL is still current.
    void clear();

    // Headless mode, chosen by the platform layer when there is no GL context (tools, tests): no GL
    // call is made and every name loads as texture 0, still counted as an entry.
    void setHeadless(bool headless) { headless_ = headless; }
    bool headless() const { return headless_; }
    std::size_t size() const { return textures_.size(); }

private:
    std::map<std::string, Texture> textures_;
    bool headless_ = false;
};
