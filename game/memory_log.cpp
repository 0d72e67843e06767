#include "memory_log.h"

#include "game/flow/game_scene.h"
#include "game/graphics/texture_cache.h"
#include "puppet/model/pose.h"

#include <fstream>

#include <unistd.h>

std::uint64_t residentKib() {
    std::ifstream statm("/proc/self/statm");
    std::uint64_t size = 0, resident = 0;
    const long page = sysconf(_SC_PAGESIZE);
    if (!(statm >> size >> resident) || page <= 0) return 0;
    return resident * static_cast<std::uint64_t>(page) / 1024;
}

MemoryLog::MemoryLog(std::ostream& out, std::uint64_t interval)
    : out_(out), interval_(interval > 0 ? interval : 1) {
    out_ << "# frames rss_kib set stage playing_frames cached_files\n" << std::flush;
}

void MemoryLog::frameEnded(std::uint64_t frame) {
    const GameScene* scene = GameScene::instance();
    const bool pastTitle = scene && scene->menuState >= 2;
    if (pastTitle && !scene->waitingForStart && scene->endingCounter == 0 && scene->continueState == 0)
        ++playing_;
    if ((frame + 1) % interval_ != 0) return;
    out_ << frame + 1 << ' ' << residentKib() << ' ';
    if (pastTitle) {
        out_ << (scene->mode == 1 ? "crazy" : "normal") << ' ' << scene->stageNumber;
    } else {
        out_ << "- -";
    }
    const TextureCache* textures = TextureCache::instance();
    const std::size_t cached = (textures ? textures->size() : 0) + PoseCache::instance().size();
    out_ << ' ' << playing_ << ' ' << cached << '\n' << std::flush;
}
