// The tutorial marker: a golden question mark that turns about its upright
// axis over 24 frames (the game bobs it up and down). Its faded copies are
// made by the game at start-up.
#include "Figure.h"

#include <cmath>

using namespace figure;

namespace {

constexpr int kFrames = 24;
const Color kGold{1.0, 0.80, 0.18};

void questionMark(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_arc(cr, 0, -4.2, 4.2, M_PI * 1.05, M_PI * 2.25);
    cairo_curve_to(cr, 2.2, -0.6, 0, 0.2, 0, 2.6);
    cairo_line_to(cr, 0, 3.4);
}

void mark(cairo_t* cr, Color fill, double outline)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    questionMark(cr);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 3.4 + 2 * outline);
    cairo_stroke(cr);
    ellipsePath(cr, 0, 7.6, 1.9 + outline, 1.9 + outline);
    cairo_fill(cr);
    questionMark(cr);
    setColor(cr, fill);
    cairo_set_line_width(cr, 3.4);
    cairo_stroke(cr);
    ellipsePath(cr, 0, 7.6, 1.9, 1.9);
    cairo_fill(cr);
}

void drawMarker(cairo_t* cr, int frame)
{
    double angle = 2 * M_PI * frame / kFrames;
    double facing = std::cos(angle);
    double width = std::fmax(std::fabs(facing), 0.14);
    // A faint halo so it reads on any background.
    drawSoftGlow(cr, 0, -15, 11, withAlpha(palette::yellow, 0.35));
    cairo_save(cr);
    cairo_translate(cr, 0, -15);
    // The thickness of the mark shows as it turns edge-on.
    double depth = std::sin(angle) * 1.4;
    cairo_save(cr);
    cairo_translate(cr, depth, 0);
    cairo_scale(cr, (facing < 0 ? -1 : 1) * width, 1);
    mark(cr, darker(kGold, 0.35), 0.9);
    cairo_restore(cr);
    cairo_scale(cr, (facing < 0 ? -1 : 1) * width, 1);
    Color face = facing >= 0 ? kGold : darker(kGold, 0.15);
    mark(cr, face, 0.9);
    // Shine on the curve.
    cairo_new_path(cr);
    cairo_arc(cr, 0, -4.2, 4.2, M_PI * 1.2, M_PI * 1.55);
    setColor(cr, withAlpha(palette::white, 0.8 * std::fabs(facing)));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void registerMarkers(Registry& registry, const char* family)
{
    addSeries(registry, family, "qmarkrotate", 0, kFrames - 1, ".tga", 15, 17, drawMarker);
}

FamilyRegistration markers("tutorial markers", registerMarkers);

} // namespace
