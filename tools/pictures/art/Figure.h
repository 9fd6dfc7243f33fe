#pragma once

// Shared machinery of the character families (professor, bots, their
// props): series registration that sizes a picture around a character drawn
// in "stage" space, key-pose interpolation and a few drawing primitives.
//
// Stage space: (0, 0) is the middle of the floor of the element's cell, +x to
// the right, +y down, one unit one pixel. The game places a sprite by an
// origin pair (the values its sprite constructor receives); from it follows
// where the cell lies in the picture, so a character drawn at the stage
// origin stands on its cell whatever the picture's size.

#include "../Registry.h"
#include "../Style.h"
#include "ArtKit.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace figure {

using FrameDraw = std::function<void(cairo_t*, int frame)>;

struct Anchor {
    double x, y;
};

// Where the stage origin lies in a picture placed with this origin pair.
Anchor anchorForOrigin(int originX, int originY);

struct Frame {
    std::string name;
    std::function<void(cairo_t*)> draw;
};

// prefix+N+suffix for N = first..last.
std::vector<Frame> seriesFrames(const std::string& prefix, int first, int last, const std::string& suffix,
                                FrameDraw draw);

// Registers pictures that one sprite shows, so all of one size (a sprite
// takes its size from a frame): just big enough for the ink of all of them,
// or the given size. Ink that would reach past the left edge moves the
// whole group right (the origin fixes the left and top edges).
void addGroup(Registry& registry, const char* family, int originX, int originY, const std::vector<Frame>& frames,
              int fixedWidth = 0, int fixedHeight = 0);

// Shorthands: a series, and a single picture, each a group of its own.
void addSeries(Registry& registry, const char* family, const std::string& prefix, int first, int last,
               const std::string& suffix, int originX, int originY, FrameDraw draw);
void addSingle(Registry& registry, const char* family, const std::string& name, int originX, int originY,
               std::function<void(cairo_t*)> draw);

using FacingDraw = std::function<void(cairo_t*, int frame, int facing)>;

struct Origin {
    int x, y;
};

// The same series for both sides: leftPrefix+N+suffix drawn facing -1 and
// rightPrefix+N+suffix facing +1, each with its own origin.
void addSides(Registry& registry, const char* family, const std::string& leftPrefix, const std::string& rightPrefix,
              int first, int last, const std::string& suffix, Origin left, Origin right, FacingDraw draw);

// --- curves -------------------------------------------------------------

using art::clamp01;
using art::lerp;
using art::Noise;
using art::smooth;
double ease(double t);                     // slow in, slow out (sine)
double ramp(double t, double t0, double t1); // 0 before t0, 1 after t1, linear between
double wave(double t);                     // sin(2 pi t)
double bump(double t);                     // 0 at 0 and 1, 1 at 0.5 (sine arch)
double hop(double t);                      // parabola 0 at 0 and 1, 1 at 0.5

// Linear interpolation of key poses; P needs `P mix(const P&, const P&, double)`.
template <class P>
P keyed(const std::vector<std::pair<double, P>>& keys, double t)
{
    if (t <= keys.front().first)
        return keys.front().second;
    for (size_t i = 1; i < keys.size(); ++i) {
        if (t <= keys[i].first) {
            double span = keys[i].first - keys[i - 1].first;
            double local = span > 0 ? (t - keys[i - 1].first) / span : 1.0;
            return mix(keys[i - 1].second, keys[i].second, ease(local));
        }
    }
    return keys.back().second;
}

// --- drawing ------------------------------------------------------------

constexpr double kLine = 1.0; // outline width of characters

struct Point {
    double x, y;
};

Point operator+(Point a, Point b);
Point polar(double length, double angleFromDown); // angle 0 points down, +angle turns toward +x
Point rotate(Point p, double angle);

// A thick outlined stroke through the points with round ends: limbs, hoses,
// straps.
void limb(cairo_t* cr, const std::vector<Point>& points, double width, Color fill, double outline = kLine);

// Filled, shaded and outlined ellipse.
void blob(cairo_t* cr, double cx, double cy, double rx, double ry, Color fill, double outline = kLine);

// Small effects shared by the characters' series.
void star(cairo_t* cr, double cx, double cy, double radius, double spin, Color fill);
void sparkle(cairo_t* cr, double cx, double cy, double radius, Color c);
void puff(cairo_t* cr, double cx, double cy, double radius, Color fill, double alpha);
void zigzag(cairo_t* cr, double x0, double y0, double x1, double y1, int steps, double amplitude, Color c,
            double width);
void sweatDrop(cairo_t* cr, double cx, double cy, double size);
// Three vertical streaks rushing up past a falling figure: spaced from
// left, they cycle over `period` pixels below top as `travel` grows.
void speedLines(cairo_t* cr, double left, double spacing, double top, double period, double travel, double length);
void motionLines(cairo_t* cr, double x, double y, double length, int count, double spacing, double alpha);
void smokeWisp(cairo_t* cr, double x, double y, double height, double phase, double alpha);
void exclamation(cairo_t* cr, double x, double y, double size, Color c);

} // namespace figure
