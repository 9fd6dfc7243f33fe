#pragma once

// The inflatable things the professor's power-ups make, in cell
// coordinates; the power-up pictures show small copies of them.

#include "ArtKit.h"

namespace art {

void drawInflatableCrate(cairo_t* cr);
void drawInflatableBarrel(cairo_t* cr, double roll);
void drawInflatableMagnet(cairo_t* cr);
void drawPontoon(cairo_t* cr);
// A rubber teleport ring standing on the line between two cells (its
// centre 24 pixels right of the cell's left edge); fullness 0 flat .. 1.
void drawRubberRing(cairo_t* cr, Hue hue, double fullness);

} // namespace art
