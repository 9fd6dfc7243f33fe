#pragma once

// The states every movable object is drawn in: squashed on landing, tilted
// while dropping, frozen in a block of ice, glowing hot or cooling down
// with a little steam. Crates, barrels and magnets draw their bodies in
// cell coordinates and let drawPosed put them in the state.

#include "ArtKit.h"

namespace art {

struct Pose {
    double squash = 1;  // height factor about the bottom centre of the cell
    double tilt = 0;    // radians about the cell centre, clockwise
    double heat = 0;    // 0 cold .. 1 glowing
    bool frozen = false;
    double steam = -1;  // cooling steam progress 0..1; below 0 none
    uint32_t seed = 1;
};

struct Box {
    double x, y, w, h;
};

// The ice block that holds a frozen object of one cell.
constexpr Box kIceBlock{-2.5, -3, 29, 27};

void drawPosed(cairo_t* cr, const Paint& body, const Pose& pose, const Box& ice = kIceBlock);

Pose posed(double squash, double tilt, double heat, bool frozen, uint32_t seed);

// An inflatable part way blown up: the body scaled about the middle of the
// cell's floor.
void drawBlownUp(cairo_t* cr, const Paint& body, double scaleX, double scaleY);

// Heat left in a metal object at cooling step (0..6) of seven.
double coolingHeat(int step);

// Squash factors of the landing frames 0, 1 and 4 (2 and 3 reuse 0 and the
// still picture).
double landingSquash(int frame);

} // namespace art
