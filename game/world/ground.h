#pragma once
// The floor of a stage: height samples one world unit apart, the straight contact lines between
// neighbouring samples, and one picture repeated along the stage. The number of lines is the length
// of the stage: the world's right wall stands at x = lineCount().

#include "game/world/contact_line.h"

#include <cstdint>
#include <string>
#include <vector>

class Ground {
public:
    // Used when the ground file is missing or gives no usable "size": a level run of this many
    // samples at height 0, long enough (several screens) to play and clear a stage on.
    static constexpr std::int32_t kFallbackSamples = 48;
    // Larger sizes are cut down to this many samples so that a corrupt file cannot exhaust memory.
    static constexpr std::int32_t kMaxSamples = 1 << 16;

    // Replaces the whole ground from dir\file (game paths, backslashes kept).
    void load(const std::string& directory, const std::string& fileName);
    // Recomputes the lines from the heights, so that edited heights take effect at once.
    void refresh();
    // The line of a column; beyond the lines (negative columns arrive as huge unsigned values) the
    // flat line y = 0.
    const ContactLine& line(std::uint32_t column) const;
    std::uint32_t lineCount() const { return static_cast<std::uint32_t>(lines.size()); }
    // The five strips of the stage floor, front face to fading back edge; texturing enabled by the
    // caller. Leaves blending enabled and the colour opaque white.
    void draw() const;

    std::vector<float> heights;      // sample k is the ground's y at x = k
    std::vector<ContactLine> lines;  // line i runs from sample i to sample i + 1
    std::uint32_t texture = 0;
};

// The column of a world x: truncated toward zero, then taken as unsigned, so that negative columns
// and x values too large for any column land beyond the lines.
std::uint32_t groundColumn(float x);
