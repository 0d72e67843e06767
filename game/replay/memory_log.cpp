#include "memory_log.h"

#include "game/flow/game_scene.h"
#include "game/graphics/texture_cache.h"
#include "puppet/model/pose.h"

#include <algorithm>
#include <fstream>

#include <malloc.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define DOLVANE_ASAN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DOLVANE_ASAN_ALLOCATOR 1
#endif
#endif
#ifdef DOLVANE_ASAN_ALLOCATOR
// The sanitizer's own allocator does not fill in mallinfo; it answers this instead.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

std::uint64_t residentKib() {
    std::ifstream statm("/proc/self/statm");
    std::uint64_t size = 0, resident = 0;
    const long page = sysconf(_SC_PAGESIZE);
    if (!(statm >> size >> resident) || page <= 0) return 0;
    return resident * static_cast<std::uint64_t>(page) / 1024;
}

std::uint64_t heapKib() {
#ifdef DOLVANE_ASAN_ALLOCATOR
    return __sanitizer_get_current_allocated_bytes() / 1024;
#else
    const struct mallinfo2 info = mallinfo2();
    return (info.uordblks + info.hblkhd) / 1024;
#endif
}

MemoryLog::MemoryLog(std::ostream& out, std::uint64_t interval)
    : out_(out), interval_(interval > 0 ? interval : 1) {
    out_ << "# frames rss_kib set stage playing_frames cached_files heap_kib heap_low_kib\n" << std::flush;
}

void MemoryLog::frameEnded(std::uint64_t frame) {
    const GameScene* scene = GameScene::instance();
    const bool pastTitle = scene && scene->menuState >= 2;
    if (pastTitle && !scene->waitingForStart && scene->endingCounter == 0 && scene->continueState == 0)
        ++playing_;
    const std::uint64_t heap = heapKib();
    heapLow_ = std::min(heapLow_, heap);
    if ((frame + 1) % interval_ != 0) return;
    out_ << frame + 1 << ' ' << residentKib() << ' ';
    if (pastTitle) {
        out_ << (scene->mode == 1 ? "crazy" : "normal") << ' ' << scene->stageNumber;
    } else {
        out_ << "- -";
    }
    const TextureCache* textures = TextureCache::instance();
    const std::size_t cached = (textures ? textures->size() : 0) + PoseCache::instance().size();
    out_ << ' ' << playing_ << ' ' << cached << ' ' << heap << ' ' << heapLow_ << '\n' << std::flush;
    heapLow_ = UINT64_MAX;
}
