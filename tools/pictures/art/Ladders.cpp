// Ladders: a segment per cell whose rails reach up into the cell above so
// a run of segments reads as one ladder; a top with rounded ends, a bottom
// with feet (or without, hanging), a lone one-cell ladder, and the plank
// platform a segment can carry.
#include "ArtKit.h"

#include <cmath>

namespace {

using namespace art;

constexpr double kRailLeft = 8.5, kRailRight = 15.5, kRail = 2.2;

enum class Foot { None, Standing };

// A ladder piece from top to bottom (cell coordinates); rungs sit at the
// same heights in every cell, so overlapping pieces agree.
void ladder(cairo_t* cr, double top, double bottom, bool roundTop, Foot foot)
{
    for (double y = -21; y <= 21; y += 6) {
        if (y < top + 2 || y > bottom - 2)
            continue;
        cairo_rectangle(cr, kRailLeft, y - 0.9, kRailRight - kRailLeft, 1.8);
        fillAndOutline(cr, lighter(palette::wood, 0.1), y - 1, y + 1, 0.8);
    }
    for (double x : {kRailLeft, kRailRight}) {
        double radius = roundTop ? kRail / 2 : 0.2;
        roundedRect(cr, x - kRail / 2, top, kRail, bottom - top, radius);
        fillAndOutline(cr, palette::wood, top, bottom, 0.9);
        if (foot == Foot::Standing) {
            roundedRect(cr, x - 1.7, bottom - 2.2, 3.4, 2.6, 0.8);
            fillAndOutline(cr, palette::metalDark, bottom - 2.2, bottom + 0.4, 0.7);
        }
    }
}

void platform(cairo_t* cr)
{
    for (double x : {4.0, 20.0}) {
        cairo_move_to(cr, x - 2, 4);
        cairo_line_to(cr, x + 2, 4);
        cairo_line_to(cr, x, 7.5);
        cairo_close_path(cr);
        fillAndOutline(cr, palette::metalDark, 4, 7.5, 0.8);
    }
    roundedRect(cr, -3, -1.5, 30, 5.5, 1.5);
    fillAndOutline(cr, palette::wood, -1.5, 4, 1.2);
    cairo_move_to(cr, 0, 1.3);
    cairo_line_to(cr, 24, 1.1);
    setColor(cr, withAlpha(palette::woodDark, 0.6));
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    for (double x : {-0.5, 24.5}) {
        ellipsePath(cr, x, 1.2, 0.8, 0.8);
        setColor(cr, palette::metalDark);
        cairo_fill(cr);
    }
    drawHighlight(cr, 12, -0.6, 11, 0.5, 0.35);
}

void registerLadders(Registry& registry, const char* family)
{
    struct Piece {
        const char* name;
        int originY;
        double top, bottom;
        bool roundTop;
        Foot foot;
    };
    const Piece pieces[] = {{"ladderiso.tga", 13, -7, 24, true, Foot::Standing},
                            {"laddertop.tga", 15, -8, 24.5, true, Foot::None},
                            {"laddermiddle.tga", 18, -13, 24.5, false, Foot::None},
                            {"ladderbottom.tga", 18, -13, 24, false, Foot::Standing},
                            {"ladderbottomhang.tga", 18, -13, 21, false, Foot::None}};
    for (const Piece& piece : pieces) {
        addPlaced(registry, family, piece.name, {7, piece.originY, 12, piece.originY + 20}, [piece](cairo_t* cr) {
            // A hanging ladder ends in rounded rail ends instead of feet.
            bool roundBottom = piece.bottom < 24;
            ladder(cr, piece.top, piece.bottom, piece.roundTop || roundBottom, piece.foot);
        });
    }
    addPlaced(registry, family, "ladderplatform.tga", {18, 11, 32, 14}, platform);
}

FamilyRegistration ladders("ladders", registerLadders);

} // namespace
