#pragma once
// The memory a long scripted run holds, written down as it goes: every `interval` frames one line
//   FRAMES RSS_KIB SET STAGE PLAYING CACHED HEAP_KIB HEAP_LOW_KIB
// with the frames run so far, the process's resident memory in KiB, the set and stage being played
// ("-" for both on the logo and the title), how many of the frames so far were spent playing a stage
// (not on the logo, the title, the continue prompt, between stages or in the ending) and how many
// files (pictures and poses) the game has read and keeps for the rest of the run, the heap in use in
// KiB and the lowest it was at the end of any frame since the last line. Memory that grows while
// CACHED stands still is memory the game holds on to without reading anything new. The heap tells a
// leak from a high-water mark: allocators keep freed memory resident, so resident memory also rises
// with every new peak of live objects, while the heap falls back; its lowest point of an interval
// leaves out the stars, words and enemies that happen to be alive at the sampled frame. Lines are
// flushed as written, so a run that crashes leaves what it measured.

#include "game/shell/frame_listener.h"

#include <cstdint>
#include <ostream>

class MemoryLog final : public FrameListener {
public:
    explicit MemoryLog(std::ostream& out, std::uint64_t interval = 1000);

    void frameEnded(std::uint64_t frame) override;
    bool failed() const { return !out_; }

private:
    std::ostream& out_;
    std::uint64_t interval_;
    std::uint64_t playing_ = 0;
    std::uint64_t heapLow_ = UINT64_MAX;
};

// The resident memory of this process in KiB, or 0 when the system does not say.
std::uint64_t residentKib();
// The memory the process's allocations hold at present, in KiB.
std::uint64_t heapKib();
