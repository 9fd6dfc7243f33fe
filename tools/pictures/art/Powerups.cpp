// Power-ups lying on the board: a small copy of what they give, turning
// or swinging over a warm halo, and the word that floats up when the
// professor picks one up.
#include "InflatableBodies.h"

#include <cmath>

namespace {

using namespace art;

constexpr Placement kItem{14, 14, 24, 28};
constexpr Placement kHalo{20, 19, 36, 38};
constexpr Placement kText{26, 40, 48, 24};

// Items hover round this point of the cell.
constexpr double kHoverX = 12, kHoverY = 5;

// Turning about the upright axis: `turn` in turns. The far side shows
// slightly darker.
void spun(cairo_t* cr, double turn, double scale, const Paint& paint)
{
    double sx = std::cos(turn * 2 * M_PI);
    cairo_save(cr);
    cairo_translate(cr, kHoverX, kHoverY);
    cairo_scale(cr, scale * (std::fabs(sx) < 0.12 ? (sx < 0 ? -0.12 : 0.12) : sx), scale);
    if (sx < 0)
        drawWashed(cr, paint, palette::outline, 0.18);
    else
        paint(cr);
    cairo_restore(cr);
}

// An object of one cell shrunk to fit the hover box, centred.
Paint shrunkObject(const Paint& object, double centreX = 12, double centreY = 12.5)
{
    return [=](cairo_t* cr) {
        cairo_translate(cr, -centreX, -centreY);
        object(cr);
    };
}

void sparkle(cairo_t* cr, double x, double y, double size, double alpha)
{
    if (alpha <= 0)
        return;
    cairo_move_to(cr, x - size, y);
    cairo_line_to(cr, x + size, y);
    cairo_move_to(cr, x, y - size);
    cairo_line_to(cr, x, y + size);
    cairo_set_source_rgba(cr, 1, 1, 0.9, alpha);
    cairo_set_line_width(cr, 0.9);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// Two twinkles that circle the item once per loop.
void twinkles(cairo_t* cr, double phase)
{
    for (int i = 0; i < 2; ++i) {
        double a = (phase + i * 0.5) * 2 * M_PI;
        double glint = 0.5 + 0.5 * std::sin(a * 2);
        sparkle(cr, kHoverX + std::cos(a) * 10, kHoverY + std::sin(a) * 6, 1 + glint * 1.5, 0.3 + 0.6 * glint);
    }
}

void empGadget(cairo_t* cr, double phase)
{
    ellipsePath(cr, 0, 1, 6.5, 6.5);
    fillAndOutline(cr, palette::metal, -5.5, 7.5, 1.1);
    cairo_rectangle(cr, -6.5, -0.2, 13, 2.4);
    fillAndOutline(cr, {0.30, 0.75, 0.95}, -0.2, 2.2, 0.8);
    roundedRect(cr, -2, -8, 4, 3.5, 1);
    fillAndOutline(cr, palette::red, -8, -4.5, 0.9);
    drawHighlight(cr, -2.5, -2.5, 2, 1, 0.6);
    // Crackling arcs that jump round it.
    Noise noise(static_cast<uint32_t>(phase * 18) + 5);
    for (int arc = 0; arc < 2; ++arc) {
        double a = noise.range(0, 2 * M_PI);
        double x = std::cos(a) * 7, y = 1 + std::sin(a) * 7;
        cairo_move_to(cr, x, y);
        for (int i = 1; i <= 3; ++i)
            cairo_line_to(cr, std::cos(a) * (7 + i * 1.6) + noise.range(-1.2, 1.2),
                          1 + std::sin(a) * (7 + i * 1.6) + noise.range(-1.2, 1.2));
    }
    setColor(cr, {0.75, 0.95, 1.0});
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

// A chunky toy blaster pointing left; its tank and muzzle in `tank`.
void blaster(cairo_t* cr, Color body, Color tank)
{
    roundedRect(cr, -3, 0, 4.5, 7, 1.5);
    fillAndOutline(cr, darker(body, 0.15), 0, 7, 1);
    roundedRect(cr, -7.5, -4, 14, 5.5, 2.2);
    fillAndOutline(cr, body, -4, 1.5, 1.1);
    roundedRect(cr, -10, -3, 3.5, 3.5, 1);
    fillAndOutline(cr, tank, -3, 0.5, 0.9);
    ellipsePath(cr, 3, -6, 3, 2.5);
    fillAndOutline(cr, tank, -8.5, -3.5, 0.9);
    drawHighlight(cr, -2, -3, 3.5, 0.7, 0.6);
}

void frostGun(cairo_t* cr, double phase)
{
    blaster(cr, {0.55, 0.80, 0.98}, palette::white);
    for (int i = 0; i < 3; ++i) {
        double t = std::fmod(phase * 2 + i / 3.0, 1.0);
        sparkle(cr, -11 - t * 3, -1.5 + (i - 1) * 2.5 * t, 0.8 + t, 1 - t);
    }
}

void heatGun(cairo_t* cr, double phase)
{
    blaster(cr, {0.95, 0.42, 0.18}, palette::yellow);
    double flicker = 0.5 + 0.5 * std::sin(phase * 4 * M_PI);
    cairo_move_to(cr, -10, -2.8);
    cairo_curve_to(cr, -13, -4 - flicker, -15 - flicker * 2, -1.5, -13, -0.5);
    cairo_curve_to(cr, -14.5, 0, -12, 1.2, -10, 0.3);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::flame, -4, 1, 0.8);
}

void whistle(cairo_t* cr, double phase)
{
    ellipsePath(cr, 2, 1.5, 5.5, 5);
    fillAndOutline(cr, palette::flame, -3.5, 6.5, 1.1);
    roundedRect(cr, -8.5, -3.5, 10, 4.5, 1.2);
    fillAndOutline(cr, palette::flame, -3.5, 1, 1.1);
    ellipsePath(cr, 2.5, 1.5, 2, 2);
    setColor(cr, palette::outline);
    cairo_fill(cr);
    ellipsePath(cr, 6.5, -3.5, 1.6, 1.6);
    setColor(cr, palette::metalDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    drawHighlight(cr, -3, -2.5, 3, 0.7, 0.6);
    // Sound rings leaving the mouthpiece.
    for (int i = 0; i < 2; ++i) {
        double t = std::fmod(phase * 2 + i * 0.5, 1.0);
        cairo_arc(cr, -9, -1.2, 2 + t * 4, M_PI * 0.7, M_PI * 1.3);
        setColor(cr, withAlpha(palette::white, 0.9 * (1 - t)));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

void halo(cairo_t* cr)
{
    double cx = kHoverX, cy = kHoverY;
    drawSoftGlow(cr, cx, cy, 17, {1.0, 0.92, 0.55, 0.75});
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4 + M_PI / 8;
        cairo_move_to(cr, cx + std::cos(a) * 7, cy + std::sin(a) * 7);
        cairo_line_to(cr, cx + std::cos(a) * 15, cy + std::sin(a) * 15);
    }
    cairo_set_source_rgba(cr, 1, 0.96, 0.75, 0.35);
    cairo_set_line_width(cr, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// The word rising over a collected power-up: it pops up, holds, fades.
void pickupWord(cairo_t* cr, const std::string& word, Color colour, int frame)
{
    const double scale[] = {0.55, 1.08, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
    const double alpha[] = {1, 1, 1, 1, 1, 0.8, 0.55, 0.25};
    cairo_save(cr);
    cairo_translate(cr, kHoverX, -19);
    cairo_scale(cr, scale[frame], scale[frame]);
    cairo_push_group(cr);
    drawWord(cr, word, 0, 4, 10, colour, 1.3);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha[frame]);
    cairo_restore(cr);
}

void registerPowerups(Registry& registry, const char* family)
{
    auto item = [&](const std::string& prefix, int last, const std::string& suffix, std::function<void(cairo_t*, double)> draw) {
        double frames = last + 1;
        addPlacedSeries(registry, family, prefix, 0, last, suffix, kItem,
                        [=](cairo_t* cr, int frame) { draw(cr, frame / frames); });
    };
    // The inflatables turn round once per loop.
    auto turning = [](Paint object, double scale) {
        return [object, scale](cairo_t* cr, double phase) {
            spun(cr, phase, scale, object);
            twinkles(cr, phase);
        };
    };
    item("powerupcrate", 27, ".tga", turning(shrunkObject(drawInflatableCrate), 0.62));
    item("powerupbarrel", 23, ".tga", turning(shrunkObject([](cairo_t* cr) { drawInflatableBarrel(cr, 0); }), 0.64));
    item("powerupmagnet", 23, ".tga", turning(shrunkObject(drawInflatableMagnet), 0.62));
    item("powerupbridge", 27, ".png", turning(shrunkObject(drawPontoon, 12, 3.5), 0.75));
    const struct {
        const char* prefix;
        Hue hue;
    } teleports[] = {{"powerupteleport", Hue::Blue}, {"powerupteleportyellow", Hue::Yellow}, {"powerupteleportred", Hue::Red}};
    for (const auto& t : teleports) {
        Hue hue = t.hue;
        Paint ring = [hue](cairo_t* cr) {
            // A swirl of the portal's colour in the ring.
            ellipsePath(cr, 24, -9, 9, 25);
            setColor(cr, lighter(hueColor(hue), 0.55));
            cairo_fill(cr);
            cairo_move_to(cr, 24, -9);
            cairo_curve_to(cr, 31, -16, 26, -30, 20, -24);
            cairo_move_to(cr, 24, -9);
            cairo_curve_to(cr, 17, -2, 22, 12, 28, 6);
            setColor(cr, hueColor(hue));
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
            drawRubberRing(cr, hue, 1);
        };
        item(t.prefix, 27, ".png", turning(shrunkObject(ring, 24, -9), 0.3));
    }
    // The tools swing to and fro.
    auto swinging = [](std::function<void(cairo_t*, double)> tool) {
        return [tool](cairo_t* cr, double phase) {
            cairo_save(cr);
            cairo_translate(cr, kHoverX, kHoverY);
            cairo_rotate(cr, 0.25 * std::sin(phase * 2 * M_PI));
            tool(cr, phase);
            cairo_restore(cr);
            twinkles(cr, phase);
        };
    };
    item("powerupemp", 17, ".tga", swinging(empGadget));
    item("powerupfrostgun", 17, ".tga", swinging(frostGun));
    item("powerupheatgun", 17, ".png", swinging(heatGun));
    item("powerupwhistle", 17, ".tga", swinging(whistle));

    addPlaced(registry, family, "poweruphalo0.tga", kHalo, halo);

    const struct {
        const char* name;
        const char* word;
        Color colour;
    } words[] = {{"poweruptextinflatable", "INFLATE", lighter(palette::rubber, 0.2)},
                 {"poweruptextemp", "EMP", {0.45, 0.85, 1.0}},
                 {"poweruptextfrostgun", "FROST", palette::frost},
                 {"poweruptextheatgun", "HEAT", palette::heat},
                 {"poweruptextwhistle", "WHISTLE", palette::yellow}};
    for (const auto& w : words) {
        std::string word = w.word;
        Color colour = w.colour;
        addPlacedSeries(registry, family, w.name, 0, 7, ".tga", kText,
                        [word, colour](cairo_t* cr, int frame) { pickupWord(cr, word, colour, frame); });
    }
}

FamilyRegistration powerups("powerups", registerPowerups);

} // namespace
