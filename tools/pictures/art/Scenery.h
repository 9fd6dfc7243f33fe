#pragma once

#include "../Style.h"

#include <cairo.h>

#include <cstdint>

// Pieces of the island scenery shared by the main menu and the map: the
// volcano (drawn identically on both backgrounds and in its front picture so
// that they join without a seam), clouds, palms and leaves.

// Small fixed-seed generator: the pictures must come out the same each run.
class Rng
{
public:
    explicit Rng(uint32_t seed) : state_(seed * 2654435761u + 0x9e3779b9u) {}
    double next();                           // 0 .. 1
    double range(double low, double high) { return low + (high - low) * next(); }

private:
    uint32_t state_;
};

// A rounded rectangle with a ragged edge, as paper torn by hand: points
// every `step` pixels along each side pushed out by up to `wobble`, joined
// through their midpoints so the corners come out round.
struct RaggedEdge {
    double corner;
    double step;
    double wobble;
};
void raggedRectPath(cairo_t* cr, double x, double y, double w, double h, uint32_t seed, RaggedEdge edge);

// The volcano: crater centred at (cx, rimY), the cone reaching depth pixels
// below the rim. The cone keeps the same shape whatever the depth, so two
// drawings with different depths agree where both reach.
constexpr double volcanoRimRadius = 38;
double volcanoHalfWidth(double below);       // half width of the cone that far below the rim
void drawVolcano(cairo_t* cr, double cx, double rimY, double depth);

// A soft cartoon cumulus filling the box.
void drawCloud(cairo_t* cr, double x, double y, double w, double h, uint32_t seed, double opacity = 1);

// A palm: a curved trunk from the base to the crown and fronds around it.
void drawPalm(cairo_t* cr, double baseX, double baseY, double crownX, double crownY, double frondLength,
              uint32_t seed);

// One long leaf along a drooping curve from (x, y) at the angle (radians,
// 0 = right), drawn with outline and a vein; width is the widest point.
void drawFrond(cairo_t* cr, double x, double y, double angle, double length, double width, double droop, Color color);

// A broad tropical leaf (split like a monstera) for bushes in front.
void drawBroadLeaf(cairo_t* cr, double x, double y, double angle, double length, double width, Color color);

void drawCoconut(cairo_t* cr, double cx, double cy, double radius);

// Fills the current path (keeping it) with a gradient from one colour to the
// other along the line from (x0, y0) to (x1, y1).
void fillLinear(cairo_t* cr, double x0, double y0, double x1, double y1, Color from, Color to);

// A four-pointed glint of the given half size.
void drawSparkle(cairo_t* cr, double x, double y, double size, Color color, double width);

// Gentle sparkle lines on water.
void drawWaveLine(cairo_t* cr, double x, double y, double length, double amplitude, Color color, double width);

// Geometry of the volcano's animated pictures, shared by the main menu and
// the map, which place them at their own offsets.
namespace volcanoPictures {
constexpr int frontWidth = 180, frontHeight = 92;   // "mainmenu_volcanofront.png"
constexpr double frontCraterX = 89, frontCraterY = 30;
constexpr int glowWidth = 114, glowHeight = 44;     // "mainmenu_glow" 1-9
constexpr double glowCraterX = 57, glowCraterY = 30;
constexpr int smokeWidth = 218, smokeHeight = 236;  // "mainmenu_smoke" 1-54
constexpr double smokeSourceX = 109, smokeSourceY = 224;
constexpr double sceneDepth = 170;                  // rim to the foot of the cone
} // namespace volcanoPictures
