#pragma once

#include "engine/Motion.h"

#include <cstdint>
#include <vector>

class CSprite;

// The visible sprites of a list filed by screen area, so that a dirty
// rectangle finds the sprites over it without testing every sprite. A query
// yields exactly the sprites a walk of the list would (visible, box
// overlapping the rectangle), in list order. The index is a picture of the
// list at build time: build it again after sprites change. Its storage is
// kept between builds, so a frame allocates nothing once it has grown.
class SpriteAreaIndex
{
public:
    void build(const std::vector<CSprite*>& sprites);
    // Appends the matching sprites to `out`.
    void collect(const DirtyRect& rect, std::vector<CSprite*>& out);

private:
    struct Span {
        int firstColumn, lastColumn, firstRow, lastRow;
    };
    static Span spanOf(const DirtyRect& box);
    void addMatch(uint32_t position, const DirtyRect& rect, std::vector<CSprite*>& out) const;

    const std::vector<CSprite*>* sprites_ = nullptr;
    std::vector<DirtyRect> boxes_;                // by list position
    std::vector<uint8_t> visible_;                // by list position
    std::vector<std::vector<uint32_t>> buckets_; // list positions, ascending
    std::vector<uint32_t> seen_;                 // last query that met each position
    std::vector<uint32_t> candidates_;
    uint32_t query_ = 0;
};
