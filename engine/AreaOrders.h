#pragma once

#include "engine/Motion.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CSprite;

// The drawing orders of the areas that tile a repaint, each back to front
// over the sprites that reach into its area, merged into one order of their
// sprites that keeps every area's order. Drawing each sprite once, whole,
// in that one order leaves every pixel as its own area's order would: only
// the sprites of an area reach into it, and they keep their order there.
//
// The depth order is worked out area by area and is not the same
// everywhere: where some areas put sprites round a circle (a before b in
// one, b before c in another, c before a in a third), no one order keeps
// them all. Every area holding two sprites of such a circle is left out of
// the merge and drawn by its own order.
//
// The storage is kept between repaints, so a frame allocates nothing once
// it has grown.
class AreaOrders
{
public:
    void clear();
    // The order is copied.
    void add(const DirtyRect& area, const std::vector<CSprite*>& order);

    size_t count() const { return areas_.size(); }
    const DirtyRect& area(size_t i) const { return areas_[i].rect; }
    const CSprite* const* begin(size_t i) const { return sprites_.data() + areas_[i].begin; }
    const CSprite* const* end(size_t i) const { return sprites_.data() + areas_[i].end; }

    // One order, into `out`, of the sprites of the areas that are merged,
    // keeping each of their orders; afterwards merged(i) tells which.
    void merge(std::vector<const CSprite*>& out);
    bool merged(size_t i) const { return areas_[i].merged; }

private:
    struct Area {
        DirtyRect rect;
        uint32_t begin, end;
        bool merged;
    };
    // The node of a sprite, made at its first sight.
    uint32_t nodeOf(const CSprite* sprite);
    void growTable();
    // An edge from each sprite to the one drawn right after it, in the
    // merged areas.
    void linkMergedAreas();
    // Marks the nodes that lie on a circle of edges.
    void findCircles();

    std::vector<Area> areas_;
    std::vector<const CSprite*> sprites_; // every area's order, one after another
    std::vector<const CSprite*> nodes_;   // one per sprite
    std::vector<uint32_t> slots_;         // open addressing, node + 1 (0 is empty)
    std::vector<uint32_t> ids_;           // node of each entry of sprites_
    std::vector<uint32_t> edgeStart_, edges_, waiting_, ready_;
    // Finding circles: each node's component (strongly connected), and
    // whether that component holds more than one node.
    std::vector<uint32_t> component_, low_, stack_;
    std::vector<uint8_t> onStack_, onCircle_, inMerged_;
    struct Visit {
        uint32_t node, edge;
    };
    std::vector<Visit> visits_;
};
