#pragma once

// Shared pieces of the board's pictures (devices, objects, terrain): where a
// picture's cell lies, frame series, the frozen / heated / cooling looks that
// every object shares, breaking apart, steam and small texts.

#include "../Registry.h"
#include "../Style.h"

#include <cstdint>
#include <functional>
#include <string>

namespace art {

using Paint = std::function<void(cairo_t*)>;
using FramePaint = std::function<void(cairo_t*, int frame)>;

// The board's cells start 15 pixels right of and below the location of
// their sprites, and sprites subtract 29 and 20 from their origin
// arguments; so a picture whose sprite is made with origin arguments
// (originX, originY) has its cell's top-left corner at
// (originX - 14, originY - 5). This moves the drawing origin there, so that
// the rest of a picture is drawn in cell coordinates (0..24 is the cell).
void moveToCell(cairo_t* cr, double originX, double originY);

// Registers prefix + N + suffix for N from first to last, all of one size.
void addSeries(Registry& registry, const char* family, const std::string& prefix, int first, int last,
               const std::string& suffix, int width, int height, FramePaint paint);

// Where a board picture sits: its sprite's origin arguments and its size.
struct Placement {
    int originX, originY, width, height;
};

// Registers pictures that draw in cell coordinates (see moveToCell).
void addPlaced(Registry& registry, const char* family, const std::string& name, const Placement& place, Paint paint);
void addPlacedSeries(Registry& registry, const char* family, const std::string& prefix, int first, int last,
                     const std::string& suffix, const Placement& place, FramePaint paint);

// Scales what follows about the point (x, y).
void scaleAbout(cairo_t* cr, double x, double y, double sx, double sy);

// A small fixed-seed generator: pictures must come out the same every run.
class Noise
{
public:
    explicit Noise(uint32_t seed);
    double next();                         // 0 <= value < 1
    double range(double low, double high); // low <= value < high

private:
    uint32_t state_;
};

double lerp(double a, double b, double t);
double clamp01(double value);
double smooth(double t); // smoothstep on 0..1
Color mix(Color a, Color b, double t);

// The teleport, button and gate colours.
enum class Hue { Blue, Red, Yellow };
Color hueColor(Hue hue);
const char* hueName(Hue hue); // "blue", "red", "yellow"

// Draws paint as one unit and washes everything it drew with a colour
// (amount 0..1), leaving the transparent parts transparent.
void drawWashed(cairo_t* cr, const Paint& paint, Color wash, double amount);

// Draws paint as one unit, its colours multiplied by one colour and then
// screened with another: darks stay dark, so outlines survive a tint.
void drawRecoloured(cairo_t* cr, const Paint& paint, Color multiply, Color screen);

// Hot metal: 0 is cold, 1 glows orange.
Color heatColor(double heat);
void drawHeated(cairo_t* cr, const Paint& paint, double heat);

// An object caught in a block of ice: the paint tinted cold, then a
// translucent ice block over the box (x, y, w, h) in the current coordinates.
void drawFrozen(cairo_t* cr, const Paint& paint, double x, double y, double w, double h, uint32_t seed);

// Thin steam wisps rising from (cx, baseY); t 0..1 is how far they rose.
void drawSteamWisps(cairo_t* cr, double cx, double baseY, double spread, double rise, double t, double alpha,
                    uint32_t seed);

// One soft cloud of steam or smoke.
void drawPuff(cairo_t* cr, double cx, double cy, double radius, Color c);

// Breaking apart: the paint is cut into a grid of pieces over the box
// (x, y, w, h), which fly from the box's centre, fall and fade; t 0..1.
struct Shatter {
    double x, y, w, h;
    int columns, rows;
    double burst;   // how far pieces fly sideways at t = 1
    double lift;    // upward kick
    double gravity; // fall at t = 1
    double spin;    // radians at t = 1
    double fade;    // alpha lost at t = 1
    uint32_t seed;
};
void drawShattered(cairo_t* cr, const Paint& paint, const Shatter& shatter, double t);

// An empty rubber skin lying crumpled on the floor of the cell (floorY),
// its valve end at valveX and spreading `length` pixels away from it.
void drawDeflatedSkin(cairo_t* cr, Color rubber, double valveX, double length, double floorY);

// A short word in the game's rounded font, outlined, centred on cx.
void drawWord(cairo_t* cr, const std::string& text, double cx, double baseline, double size, Color fill,
              double outlineWidth);

} // namespace art
