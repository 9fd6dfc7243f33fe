// The main menu's island scene: the painted background, drifting clouds, the
// volcano with its glowing crater and rising smoke, and the leafy bush in
// front of the professor.
#include "../Registry.h"
#include "Scenery.h"

#include <cmath>
#include <vector>

namespace {

namespace vp = volcanoPictures;

// Where the menu screen puts the pictures (top-left corners).
constexpr double frontX = 421, frontY = 167;
constexpr double leavesX = 79, leavesY = 235;
constexpr double craterX = frontX + vp::frontCraterX, craterY = frontY + vp::frontCraterY;
constexpr double horizon = 338;

void drawSky(cairo_t* cr)
{
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, horizon);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.36, 0.64, 0.92);
    cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.62, 0.80, 0.95);
    cairo_pattern_add_color_stop_rgb(sky, 0.85, 0.96, 0.86, 0.76);
    cairo_pattern_add_color_stop_rgb(sky, 1, 1.00, 0.82, 0.60);
    cairo_set_source(cr, sky);
    cairo_rectangle(cr, 0, 0, 800, horizon + 1);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    // A warm afternoon sun between the lab and the volcano.
    drawSoftGlow(cr, 330, 118, 190, Color{1.0, 0.93, 0.65, 0.55});
    ellipsePath(cr, 330, 118, 27, 27);
    setColor(cr, Color{1.0, 0.95, 0.70});
    cairo_fill_preserve(cr);
    setColor(cr, Color{1.0, 0.80, 0.40, 0.9});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Thin far-off clouds low over the sea.
    drawCloud(cr, 250, 268, 110, 30, 91, 0.55);
    drawCloud(cr, 640, 250, 150, 40, 92, 0.55);
}

void drawSea(cairo_t* cr)
{
    cairo_pattern_t* sea = cairo_pattern_create_linear(0, horizon, 0, 600);
    cairo_pattern_add_color_stop_rgb(sea, 0, 0.42, 0.78, 0.84);
    cairo_pattern_add_color_stop_rgb(sea, 0.4, 0.20, 0.66, 0.78);
    cairo_pattern_add_color_stop_rgb(sea, 1, 0.10, 0.48, 0.68);
    cairo_set_source(cr, sea);
    cairo_rectangle(cr, 0, horizon, 800, 600 - horizon);
    cairo_fill(cr);
    cairo_pattern_destroy(sea);
    cairo_move_to(cr, 0, horizon + 0.5);
    cairo_line_to(cr, 800, horizon + 0.5);
    setColor(cr, Color{1, 1, 1, 0.5});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Rng rng(7);
    for (int i = 0; i < 46; ++i) {
        double y = horizon + 6 + rng.next() * 160;
        double x = rng.range(-20, 800);
        double depth = (y - horizon) / 160;
        drawWaveLine(cr, x, y, 14 + depth * 40, 1.2 + depth * 1.8, Color{1, 1, 1, 0.28 + 0.2 * rng.next()},
                     0.8 + depth);
    }
    // The sun's glitter on the water.
    for (int i = 0; i < 14; ++i) {
        double y = horizon + 4 + i * 6;
        double w = 10 + rng.next() * 22;
        double x = 330 - w / 2 + rng.range(-10, 10);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + w, y);
    }
    setColor(cr, Color{1, 0.95, 0.75, 0.55});
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

// A rounded crown of jungle trees along the foot of the volcano.
void drawJungleBand(cairo_t* cr, double left, double right, double top, double bottom, uint32_t seed)
{
    Rng rng(seed);
    cairo_rectangle(cr, left + 6, top + 14, right - left - 12, bottom - top - 14);
    setColor(cr, darker(palette::grass, 0.35));
    cairo_fill(cr);
    for (int row = 0; row < 2; ++row) {
        double x = left;
        while (x < right) {
            double r = rng.range(9, 15) - row * 1.5;
            double cx = x + r, cy = top + row * 16 + r * 0.9 + rng.range(-3, 3);
            ellipsePath(cr, cx, cy, r, r * 0.9);
            fillAndOutline(cr, lighter(darker(palette::grass, 0.20), row * 0.10 + rng.range(0, 0.08)), cy - r, cy + r,
                           1.3);
            x += r * 1.5;
        }
    }
}

void drawVolcanoIsland(cairo_t* cr)
{
    drawVolcano(cr, craterX, craterY, vp::sceneDepth);
    double foot = craterY + vp::sceneDepth;
    double spread = volcanoHalfWidth(vp::sceneDepth);
    drawJungleBand(cr, craterX - spread - 30, craterX + spread + 40, foot - 44, foot + 8, 11);
    // Beach along the waterline.
    cairo_new_path(cr);
    cairo_move_to(cr, craterX - spread - 40, foot + 6);
    cairo_curve_to(cr, craterX - spread, foot - 4, craterX + spread, foot - 4, craterX + spread + 55, foot + 6);
    cairo_curve_to(cr, craterX + spread, foot + 16, craterX - spread, foot + 16, craterX - spread - 40, foot + 6);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::sand, foot - 4, foot + 16, 1.3);
    drawWaveLine(cr, craterX - spread - 30, foot + 15, spread * 2 + 70, 1.5, Color{1, 1, 1, 0.75}, 1.6);
    // Little palms on the island's shore.
    drawPalm(cr, craterX - spread - 10, foot + 6, craterX - spread - 18, foot - 44, 30, 21);
    drawPalm(cr, craterX - spread + 18, foot + 8, craterX - spread + 24, foot - 36, 26, 22);
    drawPalm(cr, craterX + spread + 22, foot + 6, craterX + spread + 30, foot - 42, 30, 23);
}

void drawHut(cairo_t* cr)
{
    // Bamboo walls.
    const double left = 4, right = 232, top = 196, bottom = 440;
    for (double x = left; x < right; x += 12) {
        cairo_rectangle(cr, x, top, 12, bottom - top);
        Color cane = (static_cast<int>(x) / 12) % 2 ? Color{0.80, 0.66, 0.38} : Color{0.86, 0.72, 0.44};
        fillShaded(cr, cane, top, bottom);
        strokeOutline(cr, 1);
        for (double y = top + 30 + std::fmod(x * 7, 23); y < bottom; y += 46) {
            cairo_move_to(cr, x + 1, y);
            cairo_line_to(cr, x + 11, y);
        }
        setColor(cr, withAlpha(palette::woodDark, 0.7));
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }
    // Shade under the roof.
    cairo_rectangle(cr, left, top, right - left, 40);
    fillLinear(cr, 0, top, 0, top + 40, Color{0.2, 0.1, 0.05, 0.45}, Color{0.2, 0.1, 0.05, 0});
    cairo_new_path(cr);
    // A round window with a shelf of glowing flasks.
    ellipsePath(cr, 40, 278, 26, 26);
    setColor(cr, Color{0.25, 0.20, 0.22});
    cairo_fill_preserve(cr);
    strokeOutline(cr, 3);
    const Color flasks[] = {{0.35, 0.90, 0.45}, {0.98, 0.45, 0.65}, {0.40, 0.75, 1.0}};
    for (int i = 0; i < 3; ++i) {
        double fx = 27 + i * 13, fy = 286;
        drawSoftGlow(cr, fx, fy, 10, withAlpha(flasks[i], 0.6));
        ellipsePath(cr, fx, fy, 4.5, 4.5);
        setColor(cr, flasks[i]);
        cairo_fill(cr);
        cairo_rectangle(cr, fx - 1.5, fy - 10, 3, 6);
        setColor(cr, Color{0.85, 0.92, 0.95});
        cairo_fill(cr);
    }
    cairo_move_to(cr, 16, 291.5);
    cairo_line_to(cr, 64, 291.5);
    setColor(cr, palette::woodDark);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    ellipsePath(cr, 40, 278, 26, 26);
    strokeOutline(cr, 3);
    // Thatched roof.
    cairo_new_path(cr);
    cairo_move_to(cr, -12, 214);
    cairo_curve_to(cr, 40, 150, 80, 118, 122, 104);
    cairo_curve_to(cr, 165, 118, 215, 150, 262, 214);
    cairo_curve_to(cr, 180, 222, 60, 222, -12, 214);
    cairo_close_path(cr);
    fillAndOutline(cr, Color{0.90, 0.74, 0.38}, 104, 222, 2.2);
    Rng rng(5);
    for (int i = 0; i < 40; ++i) {
        double t = i / 39.0;
        double x = -6 + t * 262;
        double y = 214 - std::sin(t * M_PI) * 96 * 0.92;
        cairo_move_to(cr, x + rng.range(-2, 2), y + 8);
        cairo_line_to(cr, x + (t - 0.5) * 22, 218 + rng.range(-2, 3));
    }
    setColor(cr, withAlpha(Color{0.62, 0.44, 0.18}, 0.65));
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    // A weather vane on the ridge.
    cairo_move_to(cr, 122, 104);
    cairo_line_to(cr, 122, 76);
    strokeOutline(cr, 2.5);
    cairo_move_to(cr, 110, 80);
    cairo_line_to(cr, 136, 80);
    cairo_line_to(cr, 130, 74);
    strokeOutline(cr, 2);
    ellipsePath(cr, 122, 76, 3, 3);
    setColor(cr, palette::yellow);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.2);
}

void drawTelescope(cairo_t* cr)
{
    // A brass telescope on a tripod, trained on the crater.
    const double hx = 300, hy = 352;
    const double legs[][2] = {{270, 442}, {300, 452}, {334, 446}};
    for (const auto& leg : legs) {
        cairo_move_to(cr, hx, hy);
        cairo_line_to(cr, leg[0], leg[1]);
    }
    setColor(cr, palette::woodDark);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    for (const auto& leg : legs) {
        cairo_move_to(cr, hx, hy);
        cairo_line_to(cr, leg[0], leg[1]);
    }
    setColor(cr, palette::wood);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, hx, hy - 6);
    cairo_rotate(cr, -0.59);
    roundedRect(cr, -34, -7, 72, 14, 5);
    fillAndOutline(cr, Color{0.86, 0.64, 0.26}, -7, 7, 2);
    roundedRect(cr, 36, -9, 12, 18, 3);
    fillAndOutline(cr, Color{0.80, 0.56, 0.20}, -9, 9, 2);
    roundedRect(cr, -44, -5, 12, 10, 3);
    fillAndOutline(cr, Color{0.80, 0.56, 0.20}, -5, 5, 1.6);
    drawHighlight(cr, 0, -3, 26, 1.6, 0.5);
    cairo_restore(cr);
}

void drawBeach(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 416);
    cairo_curve_to(cr, 200, 418, 360, 440, 470, 482);
    cairo_curve_to(cr, 560, 515, 680, 530, 800, 540);
    cairo_line_to(cr, 800, 600);
    cairo_line_to(cr, 0, 600);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::sand, 420, 600, 2);
    // Foam where the water meets the sand.
    cairo_move_to(cr, 250, 428);
    cairo_curve_to(cr, 380, 446, 440, 470, 490, 492);
    cairo_curve_to(cr, 580, 526, 690, 536, 800, 546);
    setColor(cr, Color{1, 1, 1, 0.8});
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // Ripples in the sand, a starfish and shells.
    Rng rng(3);
    for (int i = 0; i < 22; ++i) {
        double x = rng.range(330, 780), y = rng.range(520, 595);
        if (y < 480 + (x - 330) * 0.12)
            continue;
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + 6, y - 3, x + 12, y - 3, x + 18, y);
    }
    setColor(cr, withAlpha(darker(palette::sand, 0.25), 0.6));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, 488, 566);
    cairo_rotate(cr, 0.3);
    cairo_new_path(cr);
    for (int i = 0; i < 10; ++i) {
        double a = -M_PI / 2 + i * M_PI / 5;
        double r = i % 2 ? 6 : 15;
        cairo_line_to(cr, std::cos(a) * r, std::sin(a) * r);
    }
    cairo_close_path(cr);
    fillAndOutline(cr, Color{0.97, 0.52, 0.36}, -15, 15, 1.8);
    cairo_restore(cr);
    const double shells[][2] = {{430, 540}, {540, 590}, {395, 585}};
    for (const auto& s : shells) {
        cairo_move_to(cr, s[0] - 7, s[1]);
        cairo_curve_to(cr, s[0] - 7, s[1] - 11, s[0] + 7, s[1] - 11, s[0] + 7, s[1]);
        cairo_close_path(cr);
        fillAndOutline(cr, Color{0.99, 0.88, 0.84}, s[1] - 9, s[1], 1.4);
        for (int k = -1; k <= 1; ++k) {
            cairo_move_to(cr, s[0], s[1]);
            cairo_line_to(cr, s[0] + k * 4, s[1] - 8);
        }
        setColor(cr, withAlpha(palette::outline, 0.5));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

void drawBackground(cairo_t* cr)
{
    drawSky(cr);
    drawSea(cr);
    drawVolcanoIsland(cr);
    drawBeach(cr);
    drawHut(cr);
    drawTelescope(cr);
}

void drawVolcanoFront(cairo_t* cr)
{
    drawVolcano(cr, vp::frontCraterX, vp::frontCraterY, vp::sceneDepth);
}

void drawGlow(cairo_t* cr, int frame)
{
    double strength = 0.3 + 0.7 * (frame - 1) / 8.0;
    cairo_save(cr);
    cairo_translate(cr, vp::glowCraterX, vp::glowCraterY);
    cairo_scale(cr, vp::glowWidth / 2.0, vp::glowCraterY);
    cairo_pattern_t* glow = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.85, 0.45, strength);
    cairo_pattern_add_color_stop_rgba(glow, 0.45, 1.0, 0.52, 0.18, strength * 0.7);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.35, 0.10, 0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    cairo_restore(cr);
}

// One puff of smoke: it leaves the crater small and warm-lit, rises, swells
// into billows that roll over each other, drifts a little east and fades.
void drawSmoke(cairo_t* cr, int frame)
{
    double t = (frame - 1) / 53.0;
    double rise = 200 * std::pow(t, 0.8);
    double cx = vp::smokeSourceX + 8 * t + 4 * std::sin(t * 5);
    double cy = vp::smokeSourceY - 8 - rise;
    double spread = 8 + 46 * std::pow(t, 0.6);
    double fadeIn = std::fmin(1, t / 0.06 + 0.2);
    double fadeOut = t < 0.5 ? 1 : std::pow(1 - (t - 0.5) / 0.5, 1.3);
    double warmth = std::fmax(0, 1 - t * 3);

    struct Billow { double angle, distance, size, spin; };
    const Billow billows[] = {{0.0, 0.0, 0.70, 0.0},  {0.5, 0.62, 0.56, 1.0},  {1.6, 0.58, 0.52, -0.8},
                              {2.6, 0.66, 0.58, 0.9}, {3.5, 0.60, 0.50, -1.1}, {4.4, 0.64, 0.55, 0.7},
                              {5.4, 0.58, 0.50, -0.9}, {1.1, 0.92, 0.38, 1.3}, {3.1, 0.95, 0.40, -1.2},
                              {4.9, 0.90, 0.36, 1.1}};
    struct Blob { double x, y, r; bool billow; };
    std::vector<Blob> blobs;
    // The column still trailing from the crater early on, then thinning out.
    if (t < 0.5) {
        double shrink = 1 - t / 0.5;
        double step = 2 / std::fmax(1, vp::smokeSourceY - cy);
        for (double k = 0; k <= 1; k += step) {
            double y = cy + (vp::smokeSourceY - cy) * k;
            double x = vp::smokeSourceX + (cx - vp::smokeSourceX) * (1 - k) + 2.5 * std::sin(k * 9 + t * 10);
            blobs.push_back({x, y, (3 + 9 * (1 - k)) * shrink + 2, false});
        }
    }
    for (const Billow& b : billows) {
        double a = b.angle + b.spin * t * 2.2;
        blobs.push_back({cx + std::cos(a) * b.distance * spread * 1.05, cy + std::sin(a) * b.distance * spread * 0.8,
                         spread * b.size * (0.92 + 0.08 * std::sin(t * 9 + b.angle)), true});
    }
    auto shape = [&]() {
        cairo_new_path(cr);
        for (const Blob& b : blobs)
            ellipsePath(cr, b.x, b.y, b.r, b.r);
    };

    Color edge{0.50 + 0.22 * warmth, 0.46, 0.50 - 0.12 * warmth};
    Color body{0.80 + 0.14 * warmth, 0.79 + 0.02 * warmth, 0.82 - 0.22 * warmth};
    cairo_push_group(cr);
    // Outline, body, then a lit lobe on each billow.
    shape();
    setColor(cr, edge);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    shape();
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    setColor(cr, body);
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    for (const Blob& b : blobs) {
        if (!b.billow)
            continue;
        ellipsePath(cr, b.x - b.r * 0.22, b.y - b.r * 0.26, b.r * 0.78, b.r * 0.74);
        setColor(cr, lighter(body, 0.65));
        cairo_fill(cr);
    }
    for (const Blob& b : blobs)
        if (b.billow)
            drawHighlight(cr, b.x - b.r * 0.35, b.y - b.r * 0.45, b.r * 0.28, b.r * 0.16, 0.6);
    cairo_reset_clip(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.95 * fadeIn * fadeOut);
}

void drawLeavesAndCoconuts(cairo_t* cr)
{
    // Drawn in screen positions, less the picture's corner; everything stays
    // inside the picture so no leaf ends in a cut edge.
    cairo_translate(cr, -leavesX, -leavesY);
    const Color deep = darker(palette::grass, 0.25), fresh = palette::grass, young = lighter(palette::grass, 0.2);
    // Palm fronds behind, rising to the right.
    drawFrond(cr, 250, 600, -1.25, 190, 48, 36, deep);
    drawFrond(cr, 270, 600, -0.95, 150, 42, 40, deep);
    // A dark mound of foliage, then broad leaves fanning up in front of the professor.
    cairo_move_to(cr, 96, 600);
    cairo_curve_to(cr, 90, 430, 150, 376, 214, 382);
    cairo_curve_to(cr, 280, 390, 300, 470, 306, 600);
    cairo_close_path(cr);
    fillAndOutline(cr, darker(palette::grass, 0.45), 380, 600, 2);
    drawBroadLeaf(cr, 196, 600, -1.98, 225, 84, deep);
    drawBroadLeaf(cr, 214, 600, -0.92, 235, 86, deep);
    drawBroadLeaf(cr, 186, 600, -1.78, 265, 90, fresh);
    drawBroadLeaf(cr, 204, 600, -1.45, 275, 94, fresh);
    drawBroadLeaf(cr, 214, 600, -1.15, 255, 90, fresh);
    drawBroadLeaf(cr, 176, 612, -2.12, 160, 74, young);
    drawBroadLeaf(cr, 226, 612, -0.78, 170, 74, young);
    drawBroadLeaf(cr, 200, 616, -1.55, 170, 76, young);
    // Coconuts on the sand, one cracked open.
    drawCoconut(cr, 322, 572, 16);
    drawCoconut(cr, 354, 580, 15);
    drawCoconut(cr, 338, 551, 14);
    ellipsePath(cr, 292, 586, 14, 9);
    fillAndOutline(cr, Color{0.50, 0.32, 0.18}, 577, 595, 2);
    ellipsePath(cr, 292, 583, 10, 5);
    setColor(cr, Color{0.99, 0.98, 0.93});
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.4);
}

void registerMainMenu(Registry& registry, const char* family)
{
    addPicture(registry, family, "mainmenu_background.jpg", 800, 600, drawBackground);
    struct CloudSize { const char* name; int width, height; uint32_t seed; };
    const CloudSize clouds[] = {
        {"mainmenu_cloudbigA.png", 190, 78, 101},    {"mainmenu_cloudbigB.png", 176, 72, 102},
        {"mainmenu_cloudbigC.png", 200, 82, 103},    {"mainmenu_cloudbigD.png", 184, 76, 104},
        {"mainmenu_cloudmediumA.png", 130, 56, 105}, {"mainmenu_cloudmediumB.png", 120, 52, 106},
        {"mainmenu_cloudmediumC.png", 136, 58, 107}, {"mainmenu_cloudsmallA.png", 80, 36, 108},
        {"mainmenu_cloudsmallB.png", 72, 34, 109},   {"mainmenu_cloudsmallC.png", 86, 38, 110},
        {"mainmenu_cloudsmallD.png", 66, 30, 111},   {"mainmenu_cloudsmallE.png", 76, 34, 112}};
    for (const CloudSize& c : clouds) {
        int w = c.width, h = c.height;
        uint32_t seed = c.seed;
        // The drifting clouds float in front of the scene, across the
        // professor's face and wherever else the menu puts them: light and
        // see-through, so that nothing they pass over is lost behind them.
        addPicture(registry, family, c.name, w, h,
                   [w, h, seed](cairo_t* cr) { drawCloud(cr, 2, 2, w - 4, h - 4, seed, 0.62); });
    }
    addPicture(registry, family, "mainmenu_volcanofront.png", vp::frontWidth, vp::frontHeight, drawVolcanoFront);
    for (int frame = 1; frame <= 9; ++frame)
        addPicture(registry, family, seriesName("mainmenu_glow", frame, ".png"), vp::glowWidth, vp::glowHeight,
                   [frame](cairo_t* cr) { drawGlow(cr, frame); });
    for (int frame = 1; frame <= 54; ++frame)
        addPicture(registry, family, seriesName("mainmenu_smoke", frame, ".png"), vp::smokeWidth, vp::smokeHeight,
                   [frame](cairo_t* cr) { drawSmoke(cr, frame); });
    addPicture(registry, family, "mainmenu_leavescoconuts.png", 300, 365, drawLeavesAndCoconuts);
}

FamilyRegistration mainMenu("mainmenu", registerMainMenu);

} // namespace
