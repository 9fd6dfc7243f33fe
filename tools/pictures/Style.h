#pragma once

#include <cairo.h>

// The game's one drawing style: a warm cartoon look with clear dark
// outlines, soft top-lit shading and a fixed palette. Every family draws
// through these helpers so the pictures belong together.

struct Color {
    double r, g, b, a = 1.0;
};

namespace palette {
constexpr Color outline{0.16, 0.11, 0.08};
constexpr Color skin{0.98, 0.80, 0.64};
constexpr Color labCoat{0.96, 0.96, 0.93};
constexpr Color hairWhite{0.92, 0.92, 0.95};
constexpr Color wood{0.74, 0.50, 0.27};
constexpr Color woodDark{0.52, 0.33, 0.17};
constexpr Color metal{0.62, 0.67, 0.72};
constexpr Color metalDark{0.38, 0.42, 0.47};
constexpr Color rubber{0.93, 0.36, 0.42};
constexpr Color grass{0.36, 0.72, 0.26};
constexpr Color soil{0.55, 0.38, 0.22};
constexpr Color sand{0.93, 0.81, 0.52};
constexpr Color ice{0.70, 0.89, 0.98};
constexpr Color frost{0.80, 0.95, 1.00};
constexpr Color heat{1.00, 0.45, 0.10};
constexpr Color flame{1.00, 0.78, 0.20};
constexpr Color blue{0.22, 0.48, 0.92};
constexpr Color red{0.90, 0.20, 0.18};
constexpr Color yellow{0.98, 0.82, 0.16};
constexpr Color botBody{0.55, 0.60, 0.66};
constexpr Color botEye{0.95, 0.25, 0.15};
constexpr Color parchment{0.96, 0.90, 0.74};
constexpr Color sky{0.55, 0.78, 0.96};
constexpr Color white{1, 1, 1};
constexpr Color black{0, 0, 0};
} // namespace palette

Color lighter(Color c, double amount);  // towards white, 0..1
Color darker(Color c, double amount);   // towards black, 0..1
Color withAlpha(Color c, double alpha);

void setColor(cairo_t* cr, Color c);

// Paths (no fill, no stroke).
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);

// Fills the current path with a soft top-lit gradient between y0 and y1,
// keeping the path.
void fillShaded(cairo_t* cr, Color base, double y0, double y1);

// Strokes the current path with the dark outline colour and clears it.
void strokeOutline(cairo_t* cr, double width = 1.5);

// Shaded fill followed by the outline.
void fillAndOutline(cairo_t* cr, Color base, double y0, double y1, double width = 1.5);

// Common parts.
void drawEye(cairo_t* cr, double cx, double cy, double radius, double lookX, double lookY);
void drawBolt(cairo_t* cr, double cx, double cy, double radius);
void drawPlanks(cairo_t* cr, double x, double y, double w, double h, int planks, Color wood);
// A wooden board of planks filling a w x h picture, with its drop shadow;
// the screens' panels stand on it.
struct PlankBoard {
    double radius;
    double outline;
    int planks;
    double seamAlpha;
};
void drawPlankBoard(cairo_t* cr, double w, double h, PlankBoard board);
// A painted pill button filling a w x h picture, with a glow of the given
// strength round it for the rollover (0: none) and its highlight at highlightY.
void drawPillButton(cairo_t* cr, double w, double h, Color fill, double glow, double highlightY);
void drawHighlight(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha = 0.35);
void drawSoftGlow(cairo_t* cr, double cx, double cy, double radius, Color c);
