#pragma once

#include <vector>

class CProfile;

// What the map shows of one level set: a dot per level at its place on the
// map picture, in the level's state, with the animation it starts with.
// The map screen makes its dot widgets from this plan.

// The map has room for this many dots.
constexpr int MAP_DOT_LIMIT = 125;

struct MapDotPlan {
    int x, y;   // the dot's place (MapDotPositions)
    bool star;  // a tutorial level: drawn as a star above the place
    int state;  // CGuiButtonMapDot::State
    int mode;   // CGuiButtonMapDot::Mode it starts in
    int delay;  // frames before a growing dot starts
};

// How the dots come up: after a set change, a reset or the first build the
// dots grow in one after another (animate); otherwise they stand still and
// only the selected dot grows in. A selected dot whose tutorial hint is due
// comes up selected at once, without waiting.
struct MapDotEntrance {
    bool animate;
    int selected;
    bool selectedAtOnce;
};

// The number of dots the set shows: the smallest of its dot places, its
// levels and the map's room. A warning is logged when they differ, since a
// dot without a level (or a level without a dot) means the tables and the
// level archive disagree.
int mapDotCount(int set, int places, int levels);

// Completed, open or locked, from the profile's score of the level.
int mapDotState(const CProfile& profile, int set, int level);

// Every dot of the set, in level order (the index is the level index).
std::vector<MapDotPlan> planMapDots(int set, int levels, const CProfile& profile, const MapDotEntrance& entrance);
