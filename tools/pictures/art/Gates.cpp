// Gates: a steel frame (front) with a portcullis of bars (back) that drops
// out of the frame's housing to close. The blue gate carries its colour on
// the frame; red and yellow gates lay their colour over the same places
// with a "lights" picture, which follows the frame in every animation.
// Series: closing, straining against a magnet, and breaking apart.
#include "ArtKit.h"

#include <cmath>

namespace {

using namespace art;

constexpr Placement kBack{15, 16, 22, 35};
constexpr Placement kFront{22, 12, 40, 31};

// Bars: `closed` 0 hides them in the housing, 1 reaches the floor.
void gateBack(cairo_t* cr, double closed, double shakeX)
{
    roundedRect(cr, 1.5, -10.5, 21, 10, 2);
    fillAndOutline(cr, palette::metalDark, -10.5, -0.5, 1.1);
    double bottom = lerp(0, 24, closed);
    if (bottom < 1)
        return;
    cairo_save(cr);
    cairo_translate(cr, shakeX, 0);
    if (bottom > 8) {
        cairo_rectangle(cr, 3, bottom - 7, 18, 2.2);
        fillAndOutline(cr, palette::metalDark, bottom - 7, bottom - 4.8, 0.9);
    }
    for (double x : {4.5, 9.5, 14.5, 19.5}) {
        cairo_move_to(cr, x - 1.2, 0);
        cairo_line_to(cr, x + 1.2, 0);
        cairo_line_to(cr, x + 1.2, bottom - 2.2);
        cairo_line_to(cr, x, bottom);
        cairo_line_to(cr, x - 1.2, bottom - 2.2);
        cairo_close_path(cr);
        fillAndOutline(cr, palette::metal, 0, bottom, 0.9);
        cairo_move_to(cr, x - 0.3, 1);
        cairo_line_to(cr, x - 0.3, bottom - 3);
        setColor(cr, withAlpha(palette::white, 0.45));
        cairo_set_line_width(cr, 0.6);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

struct FrontState {
    double lock = 0;    // the locking bar: 0 out, 1 slid across
    double shakeX = 0;  // straining against a magnet
    double flash = 0;   // the lamp flaring, 0..1
};

// The coloured parts: the panel on the housing with its lamp and a band on
// each post. Drawn alone, they are the lights of a red or yellow gate.
void gateColours(cairo_t* cr, Hue hue, double flash)
{
    Color colour = hueColor(hue);
    roundedRect(cr, 3, -5.9, 18, 5, 1.5);
    fillAndOutline(cr, colour, -5.9, -0.9, 0.9);
    for (double x : {-2.0, 22.0}) {
        cairo_rectangle(cr, x, 7, 4, 3.2);
        fillAndOutline(cr, colour, 7, 10.2, 0.8);
    }
    drawSoftGlow(cr, 12, -3.4, 3.5 + 3 * flash, withAlpha(lighter(colour, 0.7 + 0.3 * flash), 0.9));
    ellipsePath(cr, 12, -3.4, 1.6, 1.6);
    setColor(cr, lighter(colour, 0.75 + 0.25 * flash));
    cairo_fill(cr);
}

void gateFrame(cairo_t* cr)
{
    for (double x : {-2.0, 22.0}) {
        roundedRect(cr, x, -4, 4, 28, 1.5);
        fillAndOutline(cr, palette::metal, -4, 24, 1.1);
        cairo_rectangle(cr, x - 1, 22, 6, 2.3);
        fillAndOutline(cr, palette::metalDark, 22, 24.3, 0.9);
        drawBolt(cr, x + 2, 14, 1);
    }
    roundedRect(cr, -4, -7, 32, 7.5, 2.5);
    fillAndOutline(cr, darker(palette::metal, 0.1), -7, 0.5, 1.2);
    drawBolt(cr, -1.4, -3.3, 1.1);
    drawBolt(cr, 25.4, -3.3, 1.1);
}

void lockBar(cairo_t* cr, double lock)
{
    if (lock <= 0)
        return;
    double right = lerp(2, 23, lock);
    roundedRect(cr, 0, 15.5, right, 3, 1);
    fillAndOutline(cr, palette::metal, 15.5, 18.5, 0.9);
    for (double x = 3; x < right - 1; x += 4) {
        cairo_move_to(cr, x, 18.3);
        cairo_line_to(cr, x + 2, 15.7);
    }
    setColor(cr, withAlpha(palette::yellow, 0.9));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void gateFront(cairo_t* cr, Hue hue, const FrontState& state, bool lightsOnly)
{
    cairo_save(cr);
    cairo_translate(cr, state.shakeX, 0);
    if (!lightsOnly) {
        gateFrame(cr);
        lockBar(cr, state.lock);
    }
    gateColours(cr, hue, state.flash);
    if (state.flash > 0.5 && !lightsOnly) {
        // Sparks where the magnet grips the frame.
        for (double a = 0; a < 2 * M_PI; a += M_PI / 3) {
            cairo_move_to(cr, 12 + std::cos(a) * 4, -3.4 + std::sin(a) * 3);
            cairo_line_to(cr, 12 + std::cos(a) * 7, -3.4 + std::sin(a) * 5);
        }
        setColor(cr, withAlpha(palette::white, 0.9));
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

// What stays of the posts of a broken gate.
void postStumps(cairo_t* cr, double alpha)
{
    cairo_push_group(cr);
    for (double x : {-2.0, 22.0}) {
        cairo_move_to(cr, x, 24);
        cairo_line_to(cr, x, 19);
        cairo_line_to(cr, x + 1.3, 17.5);
        cairo_line_to(cr, x + 2.5, 19.5);
        cairo_line_to(cr, x + 4, 18);
        cairo_line_to(cr, x + 4, 24);
        cairo_close_path(cr);
        fillAndOutline(cr, palette::metal, 17.5, 24, 1);
        cairo_rectangle(cr, x - 1, 22, 6, 2.3);
        fillAndOutline(cr, palette::metalDark, 22, 24.3, 0.9);
    }
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
}

Shatter frontShatter()
{
    return {-5, -7, 34, 31, 4, 3, 14, 10, 36, 2, 1, 21};
}

void frontBreaking(cairo_t* cr, Hue hue, int frame, bool lightsOnly)
{
    double t = (frame + 1) / 12.0;
    if (!lightsOnly)
        postStumps(cr, 1 - smooth((t - 0.6) / 0.4));
    // The frame above the stumps flies apart.
    Paint upper = [=](cairo_t* c) {
        cairo_save(c);
        cairo_rectangle(c, -20, -20, 60, 37.5);
        cairo_clip(c);
        gateFront(c, hue, FrontState(), lightsOnly);
        cairo_restore(c);
    };
    drawShattered(cr, upper, frontShatter(), t);
}

// The back breaking: the bars slam down on whatever stands in the gate,
// buckle and fall apart.
void backBreaking(cairo_t* cr, int frame)
{
    if (frame < 2) {
        gateBack(cr, 0.3 + 0.2 * frame, 0);
        return;
    }
    Shatter s{1.5, -10.5, 21, 24, 3, 3, 10, 4, 40, 1.5, 1, 33};
    drawShattered(cr, [](cairo_t* c) { gateBack(c, 0.5, 0); }, s, (frame - 1) / 6.0);
}

const double kStrainLift[] = {0.12, 0.22, 0.15, 0.05};
const double kStrainShake[] = {0.8, -0.8, 0.6, 0};

void registerGates(Registry& registry, const char* family)
{
    addPlacedSeries(registry, family, "gatebackclose", 0, 7, ".tga", kBack,
                    [](cairo_t* cr, int frame) { gateBack(cr, smooth(frame / 7.0), 0); });
    addPlacedSeries(registry, family, "gatebackmagnet", 0, 3, ".tga", kBack,
                    [](cairo_t* cr, int frame) { gateBack(cr, 1 - kStrainLift[frame], kStrainShake[frame]); });
    addPlacedSeries(registry, family, "gatebackbreak", 0, 7, ".tga", kBack, backBreaking);

    auto front = [&](const std::string& name, Paint paint) { addPlaced(registry, family, name, kFront, paint); };
    for (int frame : {0, 6, 7}) {
        FrontState state;
        state.lock = frame == 0 ? 0 : (frame == 6 ? 0.5 : 1);
        front(seriesName("gatefrontclose", frame, ".tga"),
              [state](cairo_t* cr) { gateFront(cr, Hue::Blue, state, false); });
    }
    for (int frame = 0; frame <= 3; ++frame) {
        FrontState state;
        state.lock = 1;
        state.shakeX = kStrainShake[frame];
        state.flash = frame % 2 == 0 ? 1 : 0.2;
        front(seriesName("gatefrontmagnet", frame, ".tga"),
              [state](cairo_t* cr) { gateFront(cr, Hue::Blue, state, false); });
        for (Hue hue : {Hue::Red, Hue::Yellow})
            front(seriesName(std::string("gatefrontmagnet") + hueName(hue), frame, ".tga"),
                  [state, hue](cairo_t* cr) { gateFront(cr, hue, state, true); });
    }
    for (int frame = 0; frame <= 11; ++frame) {
        front(seriesName("gatefrontbreak", frame, ".tga"),
              [frame](cairo_t* cr) { frontBreaking(cr, Hue::Blue, frame, false); });
        for (Hue hue : {Hue::Red, Hue::Yellow})
            front(seriesName(std::string("gatefrontbreak") + hueName(hue), frame, ".tga"),
                  [frame, hue](cairo_t* cr) { frontBreaking(cr, hue, frame, true); });
    }
    for (Hue hue : {Hue::Red, Hue::Yellow})
        front(std::string("gatefrontclose") + hueName(hue) + "0.tga",
              [hue](cairo_t* cr) { gateFront(cr, hue, FrontState(), true); });
}

FamilyRegistration gates("gates", registerGates);

} // namespace
