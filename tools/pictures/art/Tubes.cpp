// Transport tubes, where the professor arrives and where he leaves: a
// glass cylinder two cells tall between a domed cap and a base ring. The
// exit tube has a row of lamps on its base and an arrow that bobs over it;
// a tube that falls shatters into glass on its base.
#include "ArtKit.h"

#include <cmath>

namespace {

using namespace art;

constexpr Placement kTube{16, 39, 28, 60};
constexpr Placement kArrow{16, 39, 28, 12};
constexpr Placement kLights{12, -16, 22, 5};
constexpr Placement kBreak{16, -5, 28, 16};

const Color kEntranceTrim{0.20, 0.66, 0.62};
const Color kExitTrim{0.98, 0.72, 0.18};
const Color kGlass{0.70, 0.90, 0.98, 0.30};

constexpr double kLeft = 0.5, kRight = 23.5;
constexpr double kCapTop = -33.5, kGlassTop = -27, kGlassBottom = 19, kBaseBottom = 24;

void base(cairo_t* cr, Color trim)
{
    roundedRect(cr, kLeft - 1.5, kGlassBottom - 1, kRight - kLeft + 3, kBaseBottom - kGlassBottom + 1, 2);
    fillAndOutline(cr, palette::metal, kGlassBottom - 1, kBaseBottom, 1.2);
    cairo_rectangle(cr, kLeft, kGlassBottom + 0.5, kRight - kLeft, 1.6);
    setColor(cr, trim);
    cairo_fill(cr);
}

void glass(cairo_t* cr, double top)
{
    cairo_rectangle(cr, kLeft + 1, top, kRight - kLeft - 2, kGlassBottom - top);
    setColor(cr, kGlass);
    cairo_fill_preserve(cr);
    setColor(cr, withAlpha(palette::outline, 0.85));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    // Reflections down the cylinder.
    for (double x : {4.0, 6.0, 19.5}) {
        cairo_move_to(cr, x, top + 2);
        cairo_line_to(cr, x, kGlassBottom - 2);
    }
    setColor(cr, withAlpha(palette::white, 0.55));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void tube(cairo_t* cr, Color trim)
{
    glass(cr, kGlassTop);
    // The rings that hold the glass.
    for (double y : {-14.0, 4.0}) {
        cairo_rectangle(cr, kLeft + 0.5, y, kRight - kLeft - 1, 2);
        fillAndOutline(cr, palette::metal, y, y + 2, 0.8);
    }
    base(cr, trim);
    // The cap: a collar and a dome with a vent on top.
    roundedRect(cr, kLeft - 1.5, kGlassTop - 2.5, kRight - kLeft + 3, 4, 1.5);
    fillAndOutline(cr, palette::metal, kGlassTop - 2.5, kGlassTop + 1.5, 1.2);
    cairo_move_to(cr, kLeft + 1, kGlassTop - 2.5);
    cairo_curve_to(cr, kLeft + 2, kCapTop, kRight - 2, kCapTop, kRight - 1, kGlassTop - 2.5);
    cairo_close_path(cr);
    fillAndOutline(cr, trim, kCapTop, kGlassTop - 2.5, 1.2);
    roundedRect(cr, 9, kCapTop - 0.5, 6, 2.5, 1);
    fillAndOutline(cr, palette::metalDark, kCapTop - 0.5, kCapTop + 2, 0.8);
    drawHighlight(cr, 8, kGlassTop - 5, 3.5, 1, 0.5);
}

void exitLights(cairo_t* cr)
{
    for (int i = 0; i < 5; ++i) {
        double x = 4 + i * 4;
        drawSoftGlow(cr, x, 22.2, 2.6, withAlpha({0.6, 1.0, 0.5}, 0.9));
        ellipsePath(cr, x, 22.2, 1.1, 1.1);
        setColor(cr, {0.85, 1.0, 0.75});
        cairo_fill_preserve(cr);
        strokeOutline(cr, 0.6);
    }
}

// The arrow over the exit points down into the tube.
void arrow(cairo_t* cr)
{
    cairo_move_to(cr, 8.5, -34);
    cairo_line_to(cr, 15.5, -34);
    cairo_line_to(cr, 15.5, -28.5);
    cairo_line_to(cr, 20, -28.5);
    cairo_line_to(cr, 12, -23.5);
    cairo_line_to(cr, 4, -28.5);
    cairo_line_to(cr, 8.5, -28.5);
    cairo_close_path(cr);
    fillAndOutline(cr, {0.45, 0.90, 0.35}, -34, -23.5, 1.3);
    drawHighlight(cr, 11, -32.5, 1.5, 0.8, 0.6);
}

// A fallen tube (both kinds wear the entrance's colours): the glass bursts
// off its base and rains down round it; the exit's lamps go dark.
void shattering(cairo_t* cr, bool exit, int frame)
{
    double t = frame / 5.0;
    Noise noise(61);
    for (int i = 0; i < 14; ++i) {
        double x0 = noise.range(2, 22);
        double vx = (x0 - 12) * noise.range(0.4, 1.0);
        double up = noise.range(3, 8);
        double x = x0 + vx * t;
        double y = 18 - up * std::sin(std::fmin(t * 1.6, 1) * M_PI) * (1 - t * 0.4);
        y = std::fmin(y + 6 * t * t, 22.5);
        double size = noise.range(1.2, 2.6);
        double turn = noise.range(0, 6) + t * 4;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, turn);
        cairo_move_to(cr, -size, size * 0.6);
        cairo_line_to(cr, 0, -size);
        cairo_line_to(cr, size * 0.9, size * 0.4);
        cairo_close_path(cr);
        cairo_restore(cr);
    }
    setColor(cr, withAlpha({0.80, 0.95, 1.0}, 0.85));
    cairo_fill_preserve(cr);
    setColor(cr, withAlpha({0.25, 0.45, 0.60}, 0.9));
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    // What is left of the glass on the base: a jagged rim that shrinks.
    double stump = 17.5 - 5 * (1 - t);
    cairo_move_to(cr, kLeft + 1, kGlassBottom);
    cairo_line_to(cr, kLeft + 1, stump + 1);
    for (double x = kLeft + 3; x < kRight - 1; x += 3)
        cairo_line_to(cr, x, stump + (static_cast<int>(x) % 2 ? 2.5 : -0.5));
    cairo_line_to(cr, kRight - 1, stump + 1);
    cairo_line_to(cr, kRight - 1, kGlassBottom);
    cairo_close_path(cr);
    setColor(cr, kGlass);
    cairo_fill_preserve(cr);
    setColor(cr, withAlpha(palette::outline, 0.8));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_save(cr);
    // The base ring is dented by the fall.
    cairo_translate(cr, 12, kBaseBottom);
    cairo_scale(cr, 1.04, 0.85);
    cairo_translate(cr, -12, -kBaseBottom);
    base(cr, kEntranceTrim);
    if (exit)
        for (int i = 0; i < 5; ++i) {
            ellipsePath(cr, 4 + i * 4, 22.2, 1.1, 1.1);
            setColor(cr, palette::metalDark);
            cairo_fill(cr);
        }
    cairo_restore(cr);
}

void registerTubes(Registry& registry, const char* family)
{
    addPlaced(registry, family, "tubeentrance0.png", kTube, [](cairo_t* cr) { tube(cr, kEntranceTrim); });
    addPlaced(registry, family, "tubeexit0.png", kTube, [](cairo_t* cr) { tube(cr, kExitTrim); });
    addPlaced(registry, family, "tubeexitlights0.png", kLights, exitLights);
    addPlaced(registry, family, "tubearrow0.png", kArrow, arrow);
    for (bool exit : {false, true})
        addPlacedSeries(registry, family, exit ? "transporttubeB_break" : "transporttube_break", 0, 5, ".png", kBreak,
                        [exit](cairo_t* cr, int frame) { shattering(cr, exit, frame); });
}

FamilyRegistration tubes("tubes", registerTubes);

} // namespace
