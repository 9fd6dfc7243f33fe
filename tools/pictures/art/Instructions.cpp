// The how-to-play pages: one illustration per topic, a little window on a
// level with the game's own pictures set out in it, and the faded look of
// the page buttons at either end.
#include "../Compose.h"
#include "../Registry.h"
#include "Lettering.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int frameWidth = 226, frameHeight = 300;
// The window's cells: game pictures are drawn at one and a half times
// their size, so a 24-pixel cell becomes 36.
constexpr double scale = 1.5;
constexpr double cell = 24 * scale;
// The scenes are laid out on rows 1 to 8; the window starts at row 1.
constexpr double left = 5, top = 5 - cell;

// Where a picture is anchored: by the top-left of what it shows (ground
// tiles, ladders) or by the middle of its bottom edge (things standing).
enum class Anchor { TopLeft, Standing };

struct Prop {
    std::string picture;
    double column, row; // in cells; a standing thing stands on the row's floor
    Anchor anchor = Anchor::Standing;
    bool mirror = false;
};

// Paints a registered picture by what it shows, cut to its visible part.
void paintProp(cairo_t* cr, const Prop& prop)
{
    VisiblePart part = renderVisiblePart(prop.picture, 16, "instructions");
    if (!part.image)
        return;
    cairo_surface_t* image = part.image;
    const int x0 = part.x0, y0 = part.y0, x1 = part.x1, y1 = part.y1;
    if (x1 >= 0) {
        double w = (x1 - x0 + 1) * scale, h = (y1 - y0 + 1) * scale;
        double x = left + prop.column * cell, y = top + prop.row * cell;
        if (prop.anchor == Anchor::Standing) {
            x += cell / 2 - w / 2;
            y += cell - h;
        }
        cairo_save(cr);
        cairo_translate(cr, prop.mirror ? x + w : x, y);
        cairo_scale(cr, prop.mirror ? -scale : scale, scale);
        cairo_set_source_surface(cr, image, -x0, -y0);
        cairo_rectangle(cr, 0, 0, x1 - x0 + 1, y1 - y0 + 1);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_surface_destroy(image);
}

Prop tile(const std::string& picture, double column, double row) { return {picture, column, row, Anchor::TopLeft}; }
Prop stand(const std::string& picture, double column, double row, bool mirror = false)
{
    return {picture, column, row, Anchor::Standing, mirror};
}

// A motion line: a curved arrow from one cell centre to another.
struct Arrow {
    double fromColumn, fromRow, toColumn, toRow;
};

void drawArrow(cairo_t* cr, const Arrow& a)
{
    double x0 = left + (a.fromColumn + 0.5) * cell, y0 = top + (a.fromRow + 0.5) * cell;
    double x1 = left + (a.toColumn + 0.5) * cell, y1 = top + (a.toRow + 0.5) * cell;
    double mx = (x0 + x1) / 2, my = std::min(y0, y1) - cell * 0.5;
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, mx, my, mx, my, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColor(cr, Color{1, 1, 1, 0.85});
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    setColor(cr, Color{0.85, 0.25, 0.15});
    cairo_set_line_width(cr, 2.5);
    double dash[] = {6, 4};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    double angle = std::atan2(y1 - (my + y1) / 2, x1 - mx);
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x1 - 9 * std::cos(angle - 0.5), y1 - 9 * std::sin(angle - 0.5));
    cairo_line_to(cr, x1 - 9 * std::cos(angle + 0.5), y1 - 9 * std::sin(angle + 0.5));
    cairo_close_path(cr);
    setColor(cr, Color{0.85, 0.25, 0.15});
    cairo_fill(cr);
}

struct Scene {
    std::vector<Prop> props;
    std::vector<Arrow> arrows;
    Color skyTop{0.55, 0.78, 0.96};
    Color skyBottom{0.88, 0.95, 1.0};
};

// The window: sky, then the props in order, then the arrows, framed in
// wood like the level's own border.
void drawScene(cairo_t* cr, const Scene& scene)
{
    roundedRect(cr, 3, 3, frameWidth - 6, frameHeight - 6, 12);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, frameHeight);
    cairo_pattern_add_color_stop_rgb(sky, 0, scene.skyTop.r, scene.skyTop.g, scene.skyTop.b);
    cairo_pattern_add_color_stop_rgb(sky, 1, scene.skyBottom.r, scene.skyBottom.g, scene.skyBottom.b);
    cairo_set_source(cr, sky);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(sky);
    cairo_save(cr);
    cairo_clip(cr);
    for (const Prop& prop : scene.props)
        paintProp(cr, prop);
    for (const Arrow& arrow : scene.arrows)
        drawArrow(cr, arrow);
    cairo_restore(cr);
    roundedRect(cr, 3, 3, frameWidth - 6, frameHeight - 6, 12);
    setColor(cr, palette::wood);
    cairo_set_line_width(cr, 6);
    cairo_stroke_preserve(cr);
    strokeOutline(cr, 1.6);
}

// A row of ground tiles of one kind from a column onwards.
void ground(std::vector<Prop>& props, const std::string& kind, int from, int to, double row)
{
    for (int c = from; c <= to; ++c)
        props.push_back(tile(kind + "1.png", c, row));
}

std::vector<Scene> scenes()
{
    std::vector<Scene> all(18);
    const double floor = 8; // the row of the ground at the bottom
    // 1 Getting started: from the entrance tube to the exit tube.
    {
        Scene& s = all[0];
        ground(s.props, "grass", 0, 5, floor);
        ground(s.props, "grass", 0, 2, 4);
        s.props.push_back(stand("tube0.tga", 0.5, 3));
        s.props.push_back(stand("profstandright0.tga", 1.5, 3));
        s.props.push_back(stand("tube0.tga", 4.5, 7));
        s.arrows.push_back({1.5, 3, 3.5, 7});
    }
    // 2 Walking and climbing.
    {
        Scene& s = all[1];
        ground(s.props, "grass", 0, 5, floor);
        ground(s.props, "grass", 0, 1, 3);
        for (int r = 3; r <= 7; ++r)
            s.props.push_back(tile(r == 3 ? "laddertop.tga" : r == 7 ? "ladderbottom.tga" : "laddermiddle.tga", 2, r));
        s.props.push_back(stand("profclimbdown2.tga", 2, 5));
        s.props.push_back(stand("profrunright0.tga", 4, 7));
        s.arrows.push_back({2, 4, 2, 6.5});
    }
    // 3 Grass, sand and ice.
    {
        Scene& s = all[2];
        ground(s.props, "grass", 0, 2, 3);
        s.props.push_back(stand("profrunleft0.tga", 1, 2, false));
        ground(s.props, "sand", 0, 5, 5);
        s.props.push_back(stand("profstandmiddle0.tga", 4, 4));
        ground(s.props, "ice", 0, 5, floor);
        s.props.push_back(stand("profslideleft0.tga", 4, 7));
        s.arrows.push_back({4, 7, 1, 7});
    }
    // 4 Crates.
    {
        Scene& s = all[3];
        ground(s.props, "grass", 0, 1, floor);
        ground(s.props, "grass", 4, 5, floor);
        s.props.push_back(stand("cratestill0.tga", 2, 8));
        s.props.push_back(stand("cratestill0.tga", 2, 7));
        s.props.push_back(stand("metalcratestill0.tga", 4, 7));
        s.props.push_back(stand("profpushleft1.tga", 5, 7));
        s.arrows.push_back({4, 6, 3, 7});
    }
    // 5 Barrels.
    {
        Scene& s = all[4];
        ground(s.props, "grass", 0, 5, floor);
        s.props.push_back(stand("barrel0.tga", 2, 7));
        s.props.push_back(stand("profbarrelright5.tga", 2, 6));
        s.props.push_back(stand("metalbarrel0.png", 5, 7));
        s.arrows.push_back({2, 5.5, 4, 6});
    }
    // 6 Magnets.
    {
        Scene& s = all[5];
        ground(s.props, "sand", 0, 5, floor);
        ground(s.props, "sand", 3, 5, 4);
        s.props.push_back(stand("magnetrightstill0.tga", 1, 7));
        s.props.push_back(stand("metalcratestill0.tga", 2, 7));
        s.props.push_back(stand("profrunleft0.tga", 4, 3));
        s.props.push_back(stand("magnetrightstill0.tga", 0, 3));
        s.props.push_back(stand("botstandleft.png", 1, 3));
    }
    // 7 Buttons and gates.
    {
        Scene& s = all[6];
        ground(s.props, "sand", 0, 5, floor);
        s.props.push_back(stand("buttonred1.tga", 1, 7));
        s.props.push_back(stand("cratestill0.tga", 1, 6.8));
        s.props.push_back(stand("gatebackclose0.tga", 3.5, 7));
        s.props.push_back(stand("gatefrontclosered0.tga", 3.5, 7));
        s.props.push_back(stand("profstandleft0.tga", 4.5, 7));
    }
    // 8 Trampolines.
    {
        Scene& s = all[7];
        ground(s.props, "sand", 0, 5, floor);
        s.props.push_back(stand("profpushright5.tga", 1, 7));
        s.props.push_back(stand("barrel0.tga", 2, 7));
        // The whole trampoline, frame, mat and legs, as the editor shows it.
        s.props.push_back(stand("editortrampoline.tga", 4, 7));
        s.arrows.push_back({2, 6.5, 3.7, 6.5});
        s.arrows.push_back({3.7, 5.5, 2.5, 5.5});
    }
    // 9 Bots.
    {
        Scene& s = all[8];
        ground(s.props, "grass", 0, 5, floor);
        ground(s.props, "grass", 0, 5, 4);
        s.props.push_back(stand("bothang.png", 1, 3));
        s.props.push_back(stand("profrunright0.tga", 4, 3));
        s.props.push_back(stand("botrunright0.png", 1, 7));
        s.props.push_back(stand("profrunright4.tga", 3.2, 7));
        s.arrows.push_back({1.5, 6.2, 2.8, 6.2});
    }
    // 10 Bridges.
    {
        Scene& s = all[9];
        ground(s.props, "grass", 0, 0, 6);
        ground(s.props, "grass", 5, 5, 6);
        for (int c = 1; c <= 4; ++c)
            s.props.push_back(tile("bridgeA0.png", c, 6));
        s.props.push_back(stand("profrunright4.tga", 2.5, 5));
    }
    // 11 Teleports.
    {
        Scene& s = all[10];
        ground(s.props, "grass", 0, 2, 4);
        ground(s.props, "grass", 3, 5, floor);
        s.props.push_back(stand("teleport_frameback.png", 0.3, 3));
        s.props.push_back(stand("teleport_frameblue0.png", 0.3, 3));
        s.props.push_back(stand("profrunleft5.tga", 1.6, 3));
        s.props.push_back(stand("teleport_frameback.png", 4.7, 7));
        s.props.push_back(stand("teleport_frameblue0.png", 4.7, 7));
        s.props.push_back(stand("profrunleft0.tga", 3.6, 7));
        s.arrows.push_back({0.3, 2.5, 4.7, 6.3});
    }
    // 12 Inflatables.
    {
        Scene& s = all[11];
        ground(s.props, "grass", 0, 5, floor);
        ground(s.props, "grass", 0, 5, 4);
        s.props.push_back(stand("poweruphalo0.tga", 1, 3));
        s.props.push_back(stand("iconcrate0.tga", 1, 2.85));
        s.props.push_back(stand("profrunleft0.tga", 3, 3));
        s.props.push_back(stand("profstandright0.tga", 1, 7));
        s.props.push_back(stand("crateinflatablestill0.tga", 2, 7));
        s.props.push_back(stand("barrelinflatable0.tga", 3.2, 7));
        s.props.push_back(stand("magnetinflatablerightstill0.tga", 4.4, 7));
    }
    // 13 Inflatable bridges.
    {
        Scene& s = all[12];
        ground(s.props, "grass", 0, 0, 6);
        ground(s.props, "grass", 5, 5, 6);
        for (int c = 1; c <= 3; ++c)
            s.props.push_back(tile("bridgeinflatable0.png", c, 6));
        s.props.push_back(stand("profstandright0.tga", 0, 5));
        s.arrows.push_back({1, 7, 4.2, 6.6});
    }
    // 14 Inflatable teleports.
    {
        Scene& s = all[13];
        ground(s.props, "grass", 0, 5, 4);
        ground(s.props, "grass", 0, 5, floor);
        s.props.push_back(stand("profrunright5.tga", 1, 3));
        s.props.push_back(stand("teleportinflatable_red3back.png", 3.5, 3));
        s.props.push_back(stand("teleportinflatable_red3front.png", 3.5, 3));
        s.props.push_back(stand("teleportinflatable_red3back.png", 1.5, 7));
        s.props.push_back(stand("teleportinflatable_red3front.png", 1.5, 7));
        s.arrows.push_back({3.5, 2.5, 1.5, 6.3});
    }
    // 15 The game menu: the professor thinking it over.
    {
        Scene& s = all[14];
        ground(s.props, "grass", 0, 5, floor);
        s.props.push_back(stand("qmarkrotate0.tga", 2.5, 5));
        s.props.push_back(stand("profstandmiddle0.tga", 2.5, 7));
        s.props.push_back(stand("cratestill0.tga", 0.5, 7));
        s.props.push_back(stand("tube0.tga", 4.5, 7));
    }
    // 16 Frost and heat.
    {
        Scene& s = all[15];
        ground(s.props, "grass", 0, 5, 4);
        ground(s.props, "grass", 0, 5, floor);
        s.props.push_back(stand("profstandleft0.tga", 4.5, 3));
        s.props.push_back(stand("frostballleft2.tga", 2.8, 3));
        s.props.push_back(stand("botstandright.png", 0.7, 3));
        s.props.push_back(stand("profstandright0.tga", 0.5, 7));
        s.props.push_back(stand("fireballright2.png", 2.2, 7));
        s.props.push_back(stand("cratestill0.tga", 4, 7));
    }
    // 17 The EMP.
    {
        Scene& s = all[16];
        ground(s.props, "grass", 0, 5, floor);
        s.props.push_back(stand("poweruphalo0.tga", 2.5, 5));
        s.props.push_back(stand("iconemp0.tga", 2.5, 4.85));
        s.props.push_back(stand("botstandleft.png", 4.5, 7));
        s.props.push_back(stand("magnetrightstill0.tga", 0.5, 7));
        s.props.push_back(stand("profstandmiddle0.tga", 2.5, 7));
    }
    // 18 The whistle.
    {
        Scene& s = all[17];
        ground(s.props, "grass", 0, 5, 4);
        ground(s.props, "grass", 0, 5, floor);
        s.props.push_back(stand("poweruphalo0.tga", 2.5, 1.2));
        s.props.push_back(stand("iconwhistle0.tga", 2.5, 1.05));
        s.props.push_back(stand("botrunleft0.png", 4.5, 3));
        s.props.push_back(stand("botrunright0.png", 0.5, 7));
        s.props.push_back(stand("profstandmiddle0.tga", 2.5, 7));
    }
    return all;
}

// A disabled page button: the button washed pale under a thin veil.
void drawFade(cairo_t* cr)
{
    roundedRect(cr, 2, 2, 96, 32, 12);
    setColor(cr, Color{0.96, 0.92, 0.84, 0.72});
    cairo_fill(cr);
}

void registerInstructions(Registry& registry, const char* family)
{
    std::vector<Scene> all = scenes();
    for (size_t i = 0; i < all.size(); ++i) {
        Scene scene = all[i];
        addPicture(registry, family, "instructions_page" + std::to_string(i + 1) + ".png", frameWidth, frameHeight,
                   [scene](cairo_t* cr) { drawScene(cr, scene); });
    }
    addPicture(registry, family, "story_buttonprevfade.png", 100, 36, drawFade);
    addPicture(registry, family, "story_buttonnextfade.png", 100, 36, drawFade);
}

FamilyRegistration instructions("instructions", registerInstructions);

} // namespace
