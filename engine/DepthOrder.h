#pragma once

#include "engine/Motion.h"

#include <cstdint>
#include <vector>

#include "engine/Sprite.h"

// Tile rows and columns a sprite covers on the 24-pixel grid. Rows grow
// downward: top <= bottom.
struct TileSpan {
    int32_t left, right, top, bottom;
};

// What the depth order reads of one sprite, taken once per ordering so that
// the comparisons work on plain values.
struct DepthKey {
    CSprite* sprite;
    int32_t type;
    TileSpan tiles;     // where the sprite stands now
    TileSpan prevTiles; // the tiles it is leaving
    DirtyRect box;      // drawn box on the screen, for the overlap tests
    int32_t lowerEdge;  // location y plus drawn height
    bool movingLeft, movingRight, movingUp, movingDown;
};

DepthKey depthKeyOf(CSprite* sprite);

// Comparisons answer -1 when a is drawn before (behind) b, 1 when after and
// 0 when the pair has no order of its own.

// The presort: a total, coarse order by layer and position.
int compareCoarse(const DepthKey& a, const DepthKey& b);
// Screen furniture and front-most game sprites by a fixed precedence.
int compareForeground(const DepthKey& a, const DepthKey& b);
// The fine order of a pair. `force` asks for an answer where there would be
// none; `foregroundPass` lets far-apart pairs stay unordered.
int SortSprites(const DepthKey& a, const DepthKey& b, bool force, bool foregroundPass, bool editorCurrent);

// a's columns lie wholly right (left) of b's; `previous` compares the tiles
// being left. A teleport's parts count as beside a sprite they share an
// edge column with.
bool rightOf(const DepthKey& a, const DepthKey& b, bool previous);
bool leftOf(const DepthKey& a, const DepthKey& b, bool previous);

// Puts the sprites of one dirty rectangle in drawing order, back to front.
// Foreground sprites are split off first, the rest presorted, then everything
// placed by repeated insertion with SortSprites; sprites that find no place
// are retried, the first of each later pass with force. The lists are kept
// between calls so that a frame allocates nothing once they have grown.
class DepthOrder
{
public:
    // `keys` must outlive the result.
    void order(std::vector<DepthKey>& keys, bool editorCurrent, std::vector<CSprite*>& sorted);

private:
    void presort();
    void sortIteratively();
    void placeBatch(bool& force, bool& changed);
    void postsortForeground();

    bool editor_ = false;
    std::vector<const DepthKey*> collected_;
    std::vector<const DepthKey*> sorted_;
    std::vector<const DepthKey*> foreground_;
    std::vector<const DepthKey*> ignored_;
    std::vector<const DepthKey*> batch_;
};
