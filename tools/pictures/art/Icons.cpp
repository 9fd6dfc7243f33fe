// The professor's power-up bar: a tile per power-up he carries, popping in
// when it is collected (frames 0..4), and the slot numbers 1..9 on their
// badges. A teleport tile rests on frame 3 and flashes (3b..3e) when one of
// its pair is used.
#include "ProfessorRig.h"

#include <cmath>
#include <string>

using namespace figure;
using professor::drawEmpGadget;
using professor::drawRayGun;

namespace {

constexpr int kTile = 36;
constexpr int kBadge = 16;

const Color kTileFace{0.99, 0.93, 0.76};
const Color kTileRim{0.82, 0.62, 0.36};

// How big the tile is on each frame of its pop-in; frame 4 is the resting
// size, frame 3 the overshoot (a teleport tile rests on 3 and grows on 4
// when the mouse is over it).
const double kPop[] = {0.25, 0.6, 0.95, 1.06, 1.0};

void tile(cairo_t* cr, double glow)
{
    double inset = 2.5;
    double size = kTile - 2 * inset;
    if (glow > 0)
        drawSoftGlow(cr, kTile / 2.0, kTile / 2.0, kTile * 0.6, withAlpha(palette::yellow, 0.6 * glow));
    roundedRect(cr, inset, inset, size, size, 6);
    fillAndOutline(cr, kTileRim, inset, inset + size, 1.4);
    roundedRect(cr, inset + 2.5, inset + 2.5, size - 5, size - 5, 4);
    fillShaded(cr, kTileFace, inset + 2.5, inset + size - 2.5);
    cairo_new_path(cr);
    drawHighlight(cr, kTile * 0.36, kTile * 0.22, kTile * 0.22, kTile * 0.06, 0.6);
}

// Draws a tile scaled about its middle and the item drawn by `item` (in a
// 0..36 box) inside it.
void iconFrame(cairo_t* cr, double scale, double glow, const std::function<void(cairo_t*)>& item)
{
    cairo_save(cr);
    cairo_translate(cr, kTile / 2.0, kTile / 2.0);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -kTile / 2.0, -kTile / 2.0);
    tile(cr, glow);
    item(cr);
    cairo_restore(cr);
}

void rubberShine(cairo_t* cr, double x, double y)
{
    drawHighlight(cr, x, y, 2.2, 1.1, 0.75);
    drawHighlight(cr, x + 3.2, y + 0.2, 0.8, 0.6, 0.7);
}

void valve(cairo_t* cr, double x, double y)
{
    roundedRect(cr, x - 1.2, y - 2.2, 2.4, 2.6, 0.6);
    fillAndOutline(cr, darker(palette::rubber, 0.25), y - 2.2, y + 0.4, 0.8);
}

void crate(cairo_t* cr)
{
    roundedRect(cr, 9, 10, 18, 17, 4);
    fillAndOutline(cr, palette::rubber, 10, 27, 1.3);
    // Puffed panels and the seams between them.
    cairo_move_to(cr, 10, 18.5);
    cairo_line_to(cr, 26, 18.5);
    cairo_move_to(cr, 18, 11);
    cairo_line_to(cr, 18, 26);
    setColor(cr, withAlpha(darker(palette::rubber, 0.45), 0.8));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    valve(cr, 24, 10.5);
    rubberShine(cr, 12.5, 13);
}

void barrel(cairo_t* cr)
{
    cairo_move_to(cr, 11, 9);
    cairo_curve_to(cr, 8, 14, 8, 23, 11, 28);
    cairo_line_to(cr, 25, 28);
    cairo_curve_to(cr, 28, 23, 28, 14, 25, 9);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::rubber, 9, 28, 1.3);
    for (double y : {13.0, 24.0}) {
        cairo_move_to(cr, 9.6, y);
        cairo_curve_to(cr, 14, y + 1.2, 22, y + 1.2, 26.4, y);
    }
    setColor(cr, darker(palette::rubber, 0.4));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    ellipsePath(cr, 18, 9, 7, 1.6);
    fillAndOutline(cr, lighter(palette::rubber, 0.2), 7.4, 10.6, 1.0);
    valve(cr, 18, 8.6);
    rubberShine(cr, 12.5, 16);
}

void magnet(cairo_t* cr)
{
    // A rubber horseshoe with metal poles.
    cairo_new_path(cr);
    cairo_arc(cr, 18, 16, 8.5, M_PI, 2 * M_PI);
    cairo_line_to(cr, 26.5, 25);
    cairo_line_to(cr, 21, 25);
    cairo_line_to(cr, 21, 16);
    cairo_arc_negative(cr, 18, 16, 3, 0, M_PI);
    cairo_line_to(cr, 15, 25);
    cairo_line_to(cr, 9.5, 25);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::rubber, 7.5, 25, 1.3);
    for (double x : {9.5, 21.0}) {
        cairo_rectangle(cr, x, 25, 5.5, 3.5);
        fillAndOutline(cr, palette::metal, 25, 28.5, 1.1);
    }
    valve(cr, 18, 8.2);
    rubberShine(cr, 12, 12.5);
}

void emp(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 18, 25);
    cairo_scale(cr, 2.2, 2.2);
    drawEmpGadget(cr, 0.6);
    cairo_restore(cr);
    // A bolt of the pulse beside it.
    cairo_move_to(cr, 26.5, 7);
    cairo_line_to(cr, 22.5, 14);
    cairo_line_to(cr, 26, 14);
    cairo_line_to(cr, 23, 21);
    cairo_line_to(cr, 29.5, 12);
    cairo_line_to(cr, 26, 12);
    cairo_line_to(cr, 29, 7);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::yellow, 7, 21, 0.9);
}

void whistle(cairo_t* cr)
{
    // The cord.
    cairo_move_to(cr, 25.5, 15);
    cairo_curve_to(cr, 30, 8, 22, 5, 17, 9);
    setColor(cr, palette::red);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    // Barrel and mouthpiece.
    ellipsePath(cr, 15, 21, 6.5, 5.5);
    fillAndOutline(cr, Color{0.84, 0.86, 0.90}, 15.5, 26.5, 1.3);
    roundedRect(cr, 17, 14.5, 11, 5, 1.5);
    fillAndOutline(cr, Color{0.84, 0.86, 0.90}, 14.5, 19.5, 1.3);
    ellipsePath(cr, 16, 17.5, 2.2, 1.3);
    setColor(cr, palette::outline);
    cairo_fill(cr);
    drawHighlight(cr, 12.5, 19, 2.0, 1.0, 0.8);
    // The sound it makes.
    for (int i = 0; i < 2; ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 28, 16.5, 3 + i * 2.5, -0.6, 0.6);
    }
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void rayGun(cairo_t* cr, bool frost)
{
    cairo_save(cr);
    cairo_translate(cr, 12.5, 21);
    cairo_scale(cr, 2.2, 2.2);
    drawRayGun(cr, frost, 0);
    cairo_restore(cr);
    if (frost) {
        sparkle(cr, 30, 13, 2.8, palette::white);
        sparkle(cr, 28, 20, 1.8, palette::frost);
    } else {
        cairo_move_to(cr, 29, 12);
        cairo_curve_to(cr, 33, 15, 31, 20, 28.5, 21);
        cairo_curve_to(cr, 29.5, 18, 27, 16, 29, 12);
        fillAndOutline(cr, palette::flame, 12, 21, 0.8);
    }
}

void bridge(cairo_t* cr)
{
    // Three puffed planks on two rubber tubes.
    for (double y : {15.0, 24.0}) {
        roundedRect(cr, 6, y, 24, 3.5, 1.7);
        fillAndOutline(cr, darker(palette::rubber, 0.1), y, y + 3.5, 1.0);
    }
    for (int i = 0; i < 3; ++i) {
        double x = 8 + i * 7;
        roundedRect(cr, x, 11, 6, 17, 2.6);
        fillAndOutline(cr, palette::rubber, 11, 28, 1.1);
        drawHighlight(cr, x + 2, 14, 1.2, 1.6, 0.7);
    }
    valve(cr, 29, 15.5);
}

Color portalColor(const std::string& colour)
{
    if (colour == "yellow")
        return palette::yellow;
    if (colour == "red")
        return palette::red;
    return palette::blue;
}

// A teleport ring with its swirl; `flash` 0..1 lights it up.
void teleport(cairo_t* cr, Color c, double flash)
{
    if (flash > 0)
        drawSoftGlow(cr, 18, 18, 14, withAlpha(lighter(c, 0.5), 0.9 * flash));
    ellipsePath(cr, 18, 18.5, 8.5, 10.5);
    fillAndOutline(cr, darker(c, 0.35), 8, 29, 1.3);
    ellipsePath(cr, 18, 18.5, 5.8, 7.8);
    cairo_pattern_t* inside = cairo_pattern_create_radial(18, 18.5, 0.5, 18, 18.5, 7.8);
    Color core = lighter(c, 0.75 + 0.25 * flash);
    cairo_pattern_add_color_stop_rgb(inside, 0, core.r, core.g, core.b);
    cairo_pattern_add_color_stop_rgb(inside, 1, c.r, c.g, c.b);
    cairo_set_source(cr, inside);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(inside);
    strokeOutline(cr, 0.9);
    // Swirl.
    cairo_new_path(cr);
    for (int i = 0; i <= 20; ++i) {
        double a = i * 0.55 + flash * 2;
        double r = 0.3 + i * 0.26;
        cairo_line_to(cr, 18 + std::cos(a) * r * 0.75, 18.5 + std::sin(a) * r);
    }
    setColor(cr, withAlpha(palette::white, 0.85));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    drawHighlight(cr, 14.5, 11.5, 2.0, 1.0, 0.7);
}

// Digits drawn as rounded strokes in a 6 x 9 box, so no font is needed.
void digit(cairo_t* cr, int n)
{
    switch (n) {
    case 1:
        cairo_move_to(cr, 1.2, 2.0);
        cairo_line_to(cr, 3.2, 0);
        cairo_line_to(cr, 3.2, 9);
        break;
    case 2:
        cairo_move_to(cr, 0.3, 2.4);
        cairo_curve_to(cr, 0.5, -0.6, 6, -0.6, 5.7, 2.6);
        cairo_curve_to(cr, 5.4, 4.6, 1.5, 6.5, 0.3, 9);
        cairo_line_to(cr, 5.8, 9);
        break;
    case 3:
        cairo_move_to(cr, 0.4, 1.2);
        cairo_curve_to(cr, 2, -0.5, 6, 0, 5.4, 2.4);
        cairo_curve_to(cr, 5, 4.0, 3.5, 4.3, 2.2, 4.3);
        cairo_curve_to(cr, 4.5, 4.3, 6, 5.5, 5.6, 7.2);
        cairo_curve_to(cr, 5, 9.6, 1.2, 9.4, 0.3, 7.8);
        break;
    case 4:
        cairo_move_to(cr, 4.3, 9);
        cairo_line_to(cr, 4.3, 0);
        cairo_line_to(cr, 0.2, 6.2);
        cairo_line_to(cr, 5.9, 6.2);
        break;
    case 5:
        cairo_move_to(cr, 5.5, 0);
        cairo_line_to(cr, 1.0, 0);
        cairo_line_to(cr, 0.6, 4.0);
        cairo_curve_to(cr, 3, 2.6, 6.2, 3.6, 5.8, 6.4);
        cairo_curve_to(cr, 5.4, 9.4, 1.4, 9.6, 0.3, 7.8);
        break;
    case 6:
        cairo_move_to(cr, 5.0, 0.4);
        cairo_curve_to(cr, 2, 0.5, 0.2, 3.5, 0.4, 6.2);
        cairo_curve_to(cr, 0.6, 9.6, 5.8, 9.6, 5.7, 6.3);
        cairo_curve_to(cr, 5.6, 3.6, 1.5, 3.4, 0.6, 5.6);
        break;
    case 7:
        cairo_move_to(cr, 0.2, 0);
        cairo_line_to(cr, 5.8, 0);
        cairo_line_to(cr, 2.2, 9);
        break;
    case 8:
        cairo_new_sub_path(cr);
        cairo_arc(cr, 3, 2.2, 2.2, 0, 2 * M_PI);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 3, 6.6, 2.6, 0, 2 * M_PI);
        break;
    default:
        cairo_move_to(cr, 0.8, 8.6);
        cairo_curve_to(cr, 4, 8.5, 5.8, 5.5, 5.6, 2.8);
        cairo_curve_to(cr, 5.4, -0.6, 0.2, -0.6, 0.3, 2.7);
        cairo_curve_to(cr, 0.4, 5.4, 4.5, 5.6, 5.4, 3.4);
        break;
    }
}

// A slot number on its round badge; frame 1 is the bump when the slot
// fills.
void badge(cairo_t* cr, int n, int frame)
{
    double r = frame == 1 ? 7.6 : 6.8;
    double c = kBadge / 2.0;
    ellipsePath(cr, c, c, r, r);
    fillAndOutline(cr, frame == 1 ? lighter(palette::woodDark, 0.25) : palette::woodDark, c - r, c + r, 1.2);
    cairo_save(cr);
    double scale = frame == 1 ? 1.0 : 0.92;
    cairo_translate(cr, c - 3 * scale, c - 4.5 * scale);
    cairo_scale(cr, scale, scale);
    digit(cr, n);
    cairo_restore(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColor(cr, lighter(palette::parchment, 0.4));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

void addItem(Registry& registry, const char* family, const std::string& name, const std::string& suffix,
             std::function<void(cairo_t*)> item)
{
    for (int frame = 0; frame <= 4; ++frame) {
        addPicture(registry, family, seriesName(name, frame, suffix), kTile, kTile,
                   [frame, item](cairo_t* cr) { iconFrame(cr, kPop[frame], 0, item); });
    }
}

void addTeleport(Registry& registry, const char* family, const std::string& colour)
{
    Color c = portalColor(colour);
    std::string prefix = "iconteleport" + colour;
    auto item = [c](double flash) { return [c, flash](cairo_t* cr) { teleport(cr, c, flash); }; };
    // 0..2 pop in, 3 rests, 4 is the hovered tile.
    const double scale[] = {0.25, 0.6, 0.95, 1.0, 1.06};
    for (int frame = 0; frame <= 4; ++frame) {
        double glow = frame == 4 ? 0.7 : 0;
        addPicture(registry, family, seriesName(prefix, frame, ".png"), kTile, kTile,
                   [frame, glow, scale, item](cairo_t* cr) { iconFrame(cr, scale[frame], glow, item(glow)); });
    }
    // The flash when one of the pair is used.
    const char* steps[] = {"b", "c", "d", "e"};
    for (int i = 0; i < 4; ++i) {
        double flash = (i + 1) / 4.0;
        addPicture(registry, family, prefix + "3" + steps[i] + ".png", kTile, kTile,
                   [flash, item](cairo_t* cr) { iconFrame(cr, 1.0 + 0.05 * flash, flash, item(flash)); });
    }
}

void registerIcons(Registry& registry, const char* family)
{
    const char* numbers[] = {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};
    for (int n = 1; n <= 9; ++n)
        for (int frame = 0; frame <= 1; ++frame)
            addPicture(registry, family, std::string("icon") + numbers[n - 1] + std::to_string(frame) + ".tga",
                       kBadge, kBadge, [n, frame](cairo_t* cr) { badge(cr, n, frame); });
    addItem(registry, family, "iconcrate", ".tga", crate);
    addItem(registry, family, "iconbarrel", ".tga", barrel);
    addItem(registry, family, "iconmagnet", ".tga", magnet);
    addItem(registry, family, "iconemp", ".tga", emp);
    addItem(registry, family, "iconwhistle", ".tga", whistle);
    addItem(registry, family, "iconfrostgun", ".tga", [](cairo_t* cr) { rayGun(cr, true); });
    addItem(registry, family, "iconheatgun", ".png", [](cairo_t* cr) { rayGun(cr, false); });
    addItem(registry, family, "iconbridge", ".png", bridge);
    for (const char* colour : {"blue", "yellow", "red"})
        addTeleport(registry, family, colour);
}

FamilyRegistration icons("powerup icons", registerIcons);

} // namespace
