// Bridges, one picture per cell that joins its neighbours into one span:
// a wooden plank deck with a rope rail, and the inflatable drawPontoon that the
// bridge power-up blows up. Both break (the planks snap and fall, the
// drawPontoon bursts and drops limp), the inflatable one blows up from a flat
// skin, and a frozen deck is iced over.
#include "InflatableBodies.h"

#include <cmath>

namespace {

using namespace art;

constexpr int kDeckX = 19, kDeckY = 15;
constexpr int kCollapseX = 25, kCollapseY = 47;
constexpr int kPontoonX = 19, kPontoonY = 42;

void ropeRail(cairo_t* cr)
{
    for (double x : {-0.5, 23.5}) {
        roundedRect(cr, x - 1.3, -9, 2.6, 11, 1);
        fillAndOutline(cr, palette::woodDark, -9, 2, 0.9);
    }
    cairo_move_to(cr, -0.5, -7.8);
    cairo_curve_to(cr, 6, -4.8, 17, -4.8, 23.5, -7.8);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    setColor(cr, lighter(palette::parchment, 0.1));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void woodenDeck(cairo_t* cr)
{
    ropeRail(cr);
    // The stringer under the plank, then the plank.
    cairo_rectangle(cr, -1.5, 4.5, 27, 3);
    fillAndOutline(cr, palette::woodDark, 4.5, 7.5, 1);
    roundedRect(cr, -1.5, 0, 27, 5.5, 1.5);
    fillAndOutline(cr, palette::wood, 0, 5.5, 1.2);
    cairo_move_to(cr, 1, 2.6);
    cairo_curve_to(cr, 8, 2, 14, 3.4, 23, 2.6);
    setColor(cr, withAlpha(palette::woodDark, 0.6));
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    for (double x : {2.0, 22.0}) {
        ellipsePath(cr, x, 2.7, 0.8, 0.8);
        setColor(cr, palette::metalDark);
        cairo_fill(cr);
    }
    drawHighlight(cr, 12, 0.9, 9, 0.5, 0.35);
}

// The deck snapping in two halves that swing down and fall; t 0..1.
void collapsingDeck(cairo_t* cr, double t)
{
    double swing = smooth(t / 0.3) * 0.7;
    double fall = std::fmax(0, t - 0.2);
    double drop = 130 * fall * fall;
    double alpha = 1 - smooth((t - 0.4) / 0.45);
    for (int half = 0; half < 2; ++half) {
        double sign = half == 0 ? 1 : -1;
        double hingeX = half == 0 ? -1.5 : 25.5;
        cairo_save(cr);
        cairo_translate(cr, sign * fall * 6, drop);
        cairo_translate(cr, hingeX, 3);
        cairo_rotate(cr, sign * (swing + fall * 1.5));
        cairo_translate(cr, -hingeX, -3);
        // A jagged break down the middle of the plank.
        if (half == 0) {
            cairo_move_to(cr, -12, -12);
            cairo_line_to(cr, 12, -12);
            cairo_line_to(cr, 11, 1);
            cairo_line_to(cr, 13.5, 3);
            cairo_line_to(cr, 11, 5);
            cairo_line_to(cr, 12.5, 12);
            cairo_line_to(cr, -12, 12);
        } else {
            cairo_move_to(cr, 36, -12);
            cairo_line_to(cr, 12, -12);
            cairo_line_to(cr, 11, 1);
            cairo_line_to(cr, 13.5, 3);
            cairo_line_to(cr, 11, 5);
            cairo_line_to(cr, 12.5, 12);
            cairo_line_to(cr, 36, 12);
        }
        cairo_close_path(cr);
        cairo_clip(cr);
        cairo_push_group(cr);
        woodenDeck(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, alpha);
        cairo_restore(cr);
    }
    // Splinters thrown out of the break.
    if (t > 0 && t < 0.5) {
        Noise noise(5);
        for (int i = 0; i < 5; ++i) {
            double a = noise.range(-M_PI, 0);
            double r = 4 + 30 * t * noise.range(0.6, 1.2);
            double x = 12 + std::cos(a) * r, y = 3 + std::sin(a) * r + 60 * t * t;
            cairo_move_to(cr, x - 1.2, y);
            cairo_line_to(cr, x + 1.2, y + 0.6);
        }
        setColor(cr, withAlpha(palette::woodDark, 1 - t * 2));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
}

void frozenDeck(cairo_t* cr)
{
    drawRecoloured(cr, woodenDeck, {0.78, 0.92, 1.0}, {0.10, 0.22, 0.32});
    // Rime on the plank and icicles under it.
    roundedRect(cr, -1.5, -0.8, 27, 2.4, 1.2);
    setColor(cr, withAlpha(palette::white, 0.9));
    cairo_fill(cr);
    for (double x : {3.0, 9.5, 15.0, 21.0}) {
        double length = 3.5 + std::fmod(x * 7, 4.0);
        cairo_move_to(cr, x - 1.5, 7);
        cairo_line_to(cr, x, 7 + length);
        cairo_line_to(cr, x + 1.5, 7);
        cairo_close_path(cr);
    }
    setColor(cr, lighter(palette::ice, 0.2));
    cairo_fill_preserve(cr);
    setColor(cr, {0.30, 0.52, 0.70});
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

} // namespace

void art::drawPontoon(cairo_t* cr)
{
    roundedRect(cr, -1.5, 0, 27, 7.5, 3.6);
    fillAndOutline(cr, palette::rubber, 0, 7.5, 1.2);
    cairo_move_to(cr, 2, 4.3);
    cairo_line_to(cr, 22, 4.3);
    setColor(cr, withAlpha(darker(palette::rubber, 0.35), 0.7));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    drawHighlight(cr, 9, 1.9, 6, 0.9, 0.55);
    roundedRect(cr, 19.5, -1.2, 2.6, 2.2, 0.7);
    fillAndOutline(cr, darker(palette::rubber, 0.3), -1.2, 1, 0.7);
}

namespace {

// Blown up to `fullness` from a skin lying at anchorX.
void growingPontoon(cairo_t* cr, double sx, double sy, double anchorX)
{
    cairo_save(cr);
    scaleAbout(cr, anchorX, 7.5, sx, sy);
    drawPontoon(cr);
    cairo_restore(cr);
}

// Burst: air hisses out, the skin goes limp and drops; t 0..1.
void burstingPontoon(cairo_t* cr, double t)
{
    double flat = smooth(t / 0.4);
    double drop = 26 * std::pow(std::fmax(0, t - 0.35) / 0.65, 2);
    double alpha = 1 - smooth((t - 0.5) / 0.5);
    cairo_save(cr);
    cairo_translate(cr, 0, drop);
    cairo_push_group(cr);
    growingPontoon(cr, 1 - 0.12 * flat, 1 - 0.7 * flat, 12);
    // Creases of the emptied skin.
    if (flat > 0.3) {
        for (double x : {4.0, 10.0, 17.0}) {
            cairo_move_to(cr, x, 5);
            cairo_line_to(cr, x + 2, 7);
        }
        setColor(cr, withAlpha(darker(palette::rubber, 0.4), 0.8));
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
    if (t < 0.45) {
        // The puff of escaping air at the valve.
        double r = 2 + 14 * t;
        for (int i = 0; i < 4; ++i) {
            double a = -M_PI / 2 + (i - 1.5) * 0.45;
            cairo_move_to(cr, 20 + std::cos(a) * r * 0.4, std::sin(a) * r * 0.4);
            cairo_line_to(cr, 20 + std::cos(a) * r, std::sin(a) * r);
        }
        setColor(cr, withAlpha(palette::white, 0.9 * (1 - t * 2)));
        cairo_set_line_width(cr, 1.1);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
}

void registerBridges(Registry& registry, const char* family)
{
    const Placement deck{kDeckX, kDeckY, 34, 24};
    const Placement pontoon{kPontoonX, kPontoonY, 34, 51};
    addPlaced(registry, family, "bridgeA0_trimmed.png", deck, woodenDeck);
    addPlaced(registry, family, "bridgefrozen.png", {kDeckX, kDeckY, 34, 28}, frozenDeck);
    addPlacedSeries(registry, family, "bridgeA", 0, 13, ".png", {kCollapseX, kCollapseY, 46, 100},
                    [](cairo_t* cr, int frame) { collapsingDeck(cr, frame / 13.0); });

    addPlaced(registry, family, "bridgeinflatable0_trimmed.png", pontoon, drawPontoon);
    addPlacedSeries(registry, family, "bridgeinflatable", 0, 10, ".png", {kDeckX, kDeckY, 34, 46},
                    [](cairo_t* cr, int frame) { burstingPontoon(cr, frame / 10.0); });
    // Built leftwards, the skin unrolls from the right end, and the other way round.
    const struct {
        const char* name;
        double sx, sy, anchorX;
    } steps[] = {{"bridgeinflateleft0.png", 0.3, 0.25, 25},
                 {"bridgeinflateright0.png", 0.3, 0.25, -1},
                 {"bridgeinflate1.png", 0.62, 0.5, 12},
                 {"bridgeinflate2.png", 0.88, 0.8, 12},
                 {"bridgeinflate4.png", 1.04, 1.12, 12}};
    for (const auto& step : steps)
        addPlaced(registry, family, step.name, pontoon,
                  [step](cairo_t* cr) { growingPontoon(cr, step.sx, step.sy, step.anchorX); });
}

FamilyRegistration bridges("bridges", registerBridges);

} // namespace
