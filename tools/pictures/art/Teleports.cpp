// Teleports stand on the line between two columns, two rows tall: a
// coloured ring on a pedestal (front), the steel tunnel behind it (back),
// and a swirling portal in the ring that turns on, spins and glows on the
// side something passes. The inflatable teleport from the power-up is a
// rubber ring that blows up; both kinds break apart after a fall.
//
// Coordinates here: u from the left edge of the teleport's left column, v
// from the top of its lower row; the ring's centre is at (24, -10).
#include "InflatableBodies.h"

#include <cmath>

namespace {

using namespace art;

constexpr double kCentreU = 24, kCentreV = -10;
constexpr double kOuterRX = 13.5, kOuterRY = 30.5;
constexpr double kInnerRX = 8.6, kInnerRY = 25.4;

// Origins of the sprites.
constexpr int kFrontX = 6, kFrontY = 47;
constexpr int kBackX = -17, kBackY = 45;
constexpr int kPortalX = -1, kPortalY = 43;
constexpr int kTurnOnX = 3, kTurnOnY = 40;
constexpr int kInflatedFrontX = 6, kInflatedFrontY = 48;
constexpr int kInflatedBackX = -14, kInflatedBackY = 46;
constexpr int kInflationX = 8, kInflationY = 50;

void ringPath(cairo_t* cr, double scaleX, double scaleY)
{
    ellipsePath(cr, kCentreU, kCentreV, kOuterRX * scaleX, kOuterRY * scaleY);
    ellipsePath(cr, kCentreU, kCentreV, kInnerRX * scaleX, kInnerRY * scaleY);
}

void pedestal(cairo_t* cr, Color top)
{
    cairo_move_to(cr, 14, 24);
    cairo_line_to(cr, 16, 17);
    cairo_line_to(cr, 32, 17);
    cairo_line_to(cr, 34, 24);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::metal, 17, 24, 1.2);
    cairo_rectangle(cr, 17, 18.5, 14, 1.6);
    setColor(cr, top);
    cairo_fill(cr);
}

// The coloured ring; `pulse` 0..1 lights its lamps and inner edge.
void teleportFront(cairo_t* cr, Hue hue, double pulse)
{
    Color colour = hueColor(hue);
    pedestal(cr, colour);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    ringPath(cr, 1, 1);
    fillShaded(cr, colour, kCentreV - kOuterRY, kCentreV + kOuterRY);
    strokeOutline(cr, 1.3);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // Inner rim glows with the pulse.
    ellipsePath(cr, kCentreU, kCentreV, kInnerRX + 0.9, kInnerRY + 0.9);
    setColor(cr, withAlpha(lighter(colour, 0.5 + 0.5 * pulse), 0.5 + 0.5 * pulse));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Light down the ring's left side.
    cairo_save(cr);
    cairo_translate(cr, kCentreU, kCentreV);
    cairo_scale(cr, kOuterRX - 2.2, kOuterRY - 2.2);
    cairo_arc(cr, 0, 0, 1, M_PI * 0.72, M_PI * 1.28);
    cairo_restore(cr);
    setColor(cr, withAlpha(palette::white, 0.55));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    // Six lamps round the ring.
    for (int i = 0; i < 6; ++i) {
        double a = -M_PI / 2 + i * M_PI / 3;
        double x = kCentreU + std::cos(a) * (kOuterRX + kInnerRX) / 2;
        double y = kCentreV + std::sin(a) * (kOuterRY + kInnerRY) / 2;
        if (pulse > 0)
            drawSoftGlow(cr, x, y, 2 + 2.5 * pulse, withAlpha(lighter(colour, 0.8), 0.8 * pulse));
        ellipsePath(cr, x, y, 1.2, 1.2);
        setColor(cr, lighter(colour, 0.35 + 0.6 * pulse));
        cairo_fill_preserve(cr);
        strokeOutline(cr, 0.6);
    }
}

// The steel tunnel seen behind the ring, on its right.
void teleportBack(cairo_t* cr)
{
    const double backU = 34, backRX = 9, backRY = 28.5;
    cairo_move_to(cr, kCentreU, kCentreV - kOuterRY + 0.5);
    cairo_line_to(cr, backU, kCentreV - backRY);
    cairo_save(cr);
    cairo_translate(cr, backU, kCentreV);
    cairo_scale(cr, backRX, backRY);
    cairo_arc(cr, 0, 0, 1, -M_PI / 2, M_PI / 2);
    cairo_restore(cr);
    cairo_line_to(cr, kCentreU, kCentreV + kOuterRY - 0.5);
    cairo_close_path(cr);
    fillShaded(cr, palette::metalDark, kCentreV - kOuterRY, kCentreV + kOuterRY);
    strokeOutline(cr, 1.2);
    // Ribs round the tunnel.
    for (double f : {0.35, 0.7}) {
        double u = lerp(kCentreU + kOuterRX, backU + backRX, f);
        cairo_move_to(cr, u - 2, kCentreV - lerp(kOuterRY, backRY, f) + 2);
        cairo_curve_to(cr, u + 1, kCentreV - 10, u + 1, kCentreV + 10, u - 2, kCentreV + lerp(kOuterRY, backRY, f) - 2);
    }
    setColor(cr, withAlpha(palette::metal, 0.9));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, 31, 17, 10, 7);
    fillAndOutline(cr, palette::metalDark, 17, 24, 1.1);
}

// The swirl filling the ring; turn is in turns, size 0..1, flash 0..1.
void portal(cairo_t* cr, Hue hue, double turn, double size, double flash)
{
    if (size <= 0)
        return;
    Color colour = hueColor(hue);
    double rx = (kInnerRX + 0.3) * size, ry = (kInnerRY + 0.3) * size;
    cairo_save(cr);
    cairo_translate(cr, kCentreU, kCentreV);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_clip_preserve(cr);
    cairo_pattern_t* depth = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    Color core = mix(lighter(colour, 0.85), palette::white, flash);
    Color rim = darker(colour, 0.25);
    cairo_pattern_add_color_stop_rgba(depth, 0, core.r, core.g, core.b, 1);
    cairo_pattern_add_color_stop_rgba(depth, 0.45, colour.r, colour.g, colour.b, 0.95);
    cairo_pattern_add_color_stop_rgba(depth, 1, rim.r, rim.g, rim.b, 0.9);
    cairo_set_source(cr, depth);
    cairo_fill(cr);
    cairo_pattern_destroy(depth);
    // Three arms winding in towards the middle.
    Color arm = mix(lighter(colour, 0.7), palette::white, flash);
    for (int a = 0; a < 3; ++a) {
        double start = turn * 2 * M_PI + a * 2 * M_PI / 3;
        for (int i = 0; i < 14; ++i) {
            double f0 = i / 14.0, f1 = (i + 1) / 14.0;
            cairo_move_to(cr, f0 * std::cos(start + f0 * 4.4), f0 * std::sin(start + f0 * 4.4));
            cairo_line_to(cr, f1 * std::cos(start + f1 * 4.4), f1 * std::sin(start + f1 * 4.4));
            cairo_set_source_rgba(cr, arm.r, arm.g, arm.b, 0.9 * (1 - f0 * 0.6));
            cairo_set_line_width(cr, 0.05 + 0.13 * f0);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
}

// One picture serves the glows on both sides, which sit 26 pixels apart
// round the ring; drawn in the picture's own coordinates.
void glow(cairo_t* cr, Hue hue)
{
    Color colour = lighter(hueColor(hue), 0.35);
    cairo_save(cr);
    cairo_translate(cr, 36, 50);
    cairo_scale(cr, 0.62, 1);
    drawSoftGlow(cr, 0, 0, 48, withAlpha(colour, 0.8));
    cairo_restore(cr);
}

} // namespace

// The inflatable teleport: a rubber ring, `fullness` 0 flat .. 1 blown up.
void art::drawRubberRing(cairo_t* cr, Hue hue, double fullness)
{
    Color colour = hueColor(hue);
    double sy = std::fmax(0.05, fullness);
    double sx = lerp(1.5, 1, std::fmin(fullness, 1)) * (fullness > 1 ? fullness : 1);
    cairo_save(cr);
    // The ring grows up from the floor.
    cairo_translate(cr, kCentreU, 22);
    cairo_scale(cr, sx, sy);
    cairo_translate(cr, -kCentreU, -22);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    ellipsePath(cr, kCentreU, kCentreV + 1, kOuterRX + 1, kOuterRY + 1.5);
    ellipsePath(cr, kCentreU, kCentreV + 1, kInnerRX - 0.5, kInnerRY - 1);
    fillShaded(cr, colour, kCentreV - kOuterRY, kCentreV + kOuterRY);
    strokeOutline(cr, 1.3);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_restore(cr);
    if (fullness < 0.3)
        return;
    // Gloss, a seam and the valve once it has some shape.
    double top = 22 - (22 - (kCentreV - kOuterRY)) * sy;
    drawHighlight(cr, kCentreU - 7 * sx, lerp(top, 22, 0.3), 1.6 * sx, 6 * sy, 0.6);
    drawHighlight(cr, kCentreU - 3 * sx, top + 3 * sy, 2.5 * sx, 1.2 * sy, 0.5);
    roundedRect(cr, kCentreU + 9 * sx, lerp(top, 22, 0.45), 3, 2.6, 0.8);
    fillAndOutline(cr, palette::rubber, 0, 30, 0.8);
}

namespace {

void rubberBack(cairo_t* cr, Hue hue)
{
    Color colour = darker(hueColor(hue), 0.3);
    cairo_move_to(cr, kCentreU + 4, kCentreV - kOuterRY);
    cairo_curve_to(cr, kCentreU + 22, kCentreV - kOuterRY + 1, kCentreU + 22, kCentreV + kOuterRY,
                   kCentreU + 4, kCentreV + kOuterRY + 2);
    cairo_close_path(cr);
    fillAndOutline(cr, colour, kCentreV - kOuterRY, kCentreV + kOuterRY, 1.2);
    drawHighlight(cr, kCentreU + 15, kCentreV - 12, 1.2, 5, 0.3);
}

// Pieces of a teleport's ring (or the tunnel behind it, further right).
Shatter ringShatter(double x, double width, uint32_t seed)
{
    return {x, -42, width, 66, 2, 5, 12, 5, 36, 1.6, 0.3, seed};
}

double breakProgress(int frame)
{
    return (frame + 1) / 7.0 * 0.85;
}

// A burst rubber ring: a pop, then the skin sags to the floor in tatters.
void burstRubber(cairo_t* cr, const Paint& whole, int frame, uint32_t seed)
{
    double t = (frame + 1) / 7.0;
    cairo_save(cr);
    cairo_translate(cr, kCentreU, 24);
    cairo_scale(cr, 1 + 0.25 * t, 1 - 0.85 * smooth(t * 1.2));
    cairo_translate(cr, -kCentreU, -24);
    Shatter s{6, -42, 40, 66, 3, 4, 6, 2, 4, 0.6, 0.2, seed};
    drawShattered(cr, whole, s, t);
    cairo_restore(cr);
    if (frame < 3) {
        for (int i = 0; i < 8; ++i) {
            double a = i * M_PI / 4 + 0.3;
            double r0 = 8 + frame * 7, r1 = r0 + 6;
            cairo_move_to(cr, kCentreU + std::cos(a) * r0 * 0.6, kCentreV + std::sin(a) * r0);
            cairo_line_to(cr, kCentreU + std::cos(a) * r1 * 0.6, kCentreV + std::sin(a) * r1);
        }
        setColor(cr, withAlpha(palette::white, 0.9 - frame * 0.25));
        cairo_set_line_width(cr, 1.4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
}

void registerTeleports(Registry& registry, const char* family)
{
    const Placement front{kFrontX, kFrontY, 32, 68};
    const Placement frontBreaking{kFrontX, kFrontY, 32, 76};
    const Placement back{kBackX, kBackY, 16, 66};
    const Placement backBreaking{kBackX, kBackY, 16, 74};
    const Placement spiral{kPortalX, kPortalY, 18, 56};
    const Placement turnOn{kTurnOnX, kTurnOnY, 26, 54};
    const Placement inflatedFront{kInflatedFrontX, kInflatedFrontY, 34, 70};
    const Placement inflatedBack{kInflatedBackX, kInflatedBackY, 20, 68};
    const Placement inflation{kInflationX, kInflationY, 40, 74};

    addPlaced(registry, family, "teleport_frameback.png", back, teleportBack);
    addPlacedSeries(registry, family, "teleport_framebackbreak", 0, 6, ".png", backBreaking, [](cairo_t* cr, int frame) {
        drawShattered(cr, teleportBack, ringShatter(30, 16, 80), breakProgress(frame));
    });

    const double turnOnSize[] = {0.08, 0.28, 0.52, 0.78, 1.0, 1.0, 1.0};
    const double fullness[] = {0.08, 0.35, 0.7, 1.0, 1.07};
    for (Hue hue : {Hue::Blue, Hue::Red, Hue::Yellow}) {
        std::string colour = hueName(hue);
        Paint ring = [hue](cairo_t* cr) { teleportFront(cr, hue, 0); };
        addPlacedSeries(registry, family, "teleport_frame" + colour, 0, 4, ".png", front,
                        [hue](cairo_t* cr, int frame) { teleportFront(cr, hue, frame / 4.0); });
        addPlacedSeries(registry, family, "teleport_frame" + colour + "break", 0, 6, ".png", frontBreaking,
                        [=](cairo_t* cr, int frame) {
                            drawShattered(cr, ring, ringShatter(9, 30, 81 + static_cast<uint32_t>(hue)),
                                          breakProgress(frame));
                        });
        addPlacedSeries(registry, family, "teleport_spiral" + colour, 0, 39, ".png", spiral,
                        [hue](cairo_t* cr, int frame) { portal(cr, hue, frame / 120.0, 1, 0); });
        addPlacedSeries(registry, family, "teleport_spiral" + colour + "turnon", 0, 6, ".png", turnOn,
                        [=](cairo_t* cr, int frame) {
                            portal(cr, hue, frame / 14.0, turnOnSize[frame], frame == 4 ? 0.7 : 0);
                        });
        addPicture(registry, family, "teleport_glow" + colour + ".png", 72, 104, [hue](cairo_t* cr) { glow(cr, hue); });

        // The inflatable one.
        std::string inflatable = "teleportinflatable_" + colour;
        Paint rubberFront = [hue](cairo_t* cr) { drawRubberRing(cr, hue, 1); };
        Paint rubberRear = [hue](cairo_t* cr) { rubberBack(cr, hue); };
        addPlacedSeries(registry, family, inflatable, 0, 4, ".png", inflation, [=](cairo_t* cr, int frame) {
            if (frame >= 3)
                rubberBack(cr, hue);
            drawRubberRing(cr, hue, fullness[frame]);
        });
        addPlaced(registry, family, inflatable + "3front.png", inflatedFront, rubberFront);
        addPlaced(registry, family, inflatable + "3back.png", inflatedBack, rubberRear);
        addPlacedSeries(registry, family, "inflatableteleport_" + colour + "frontbreak", 0, 6, ".png", inflatedFront,
                        [=](cairo_t* cr, int frame) { burstRubber(cr, rubberFront, frame, 90); });
        addPlacedSeries(registry, family, "inflatableteleport_" + colour + "backbreak", 0, 6, ".png", inflatedBack,
                        [=](cairo_t* cr, int frame) { burstRubber(cr, rubberRear, frame, 91); });
    }
}

FamilyRegistration teleports("teleports", registerTeleports);

} // namespace
