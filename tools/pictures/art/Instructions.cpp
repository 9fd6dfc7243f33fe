// The how-to-play pages' own pictures. The game puts each page together
// (screens/InstructionPages): its texts, and game pictures set out on the
// parchment as a little scene. Drawn here, from the same table:
// - the backdrops the scenes stand on: a patch of sky round the pictures
//   that follow, with the way things move marked by arrows;
// - the drop shadows of the bridges and teleports that float on the page;
// - the framed pictures of the topics a picture tells alone (the
//   inflatables, the game menu, frost and heat, the EMP, the whistle);
// - and the faded look of the page buttons at either end.
#include "../Compose.h"
#include "../Registry.h"
#include "Lettering.h"
#include "screens/InstructionPages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// ---- Where the page's pictures lie.

struct Box {
    double x0, y0, x1, y1;
};

struct PagePlace {
    int page = 0, index = -1;
    double x = 0, y = 0;
};

// The page and place of one of the pictures drawn here.
PagePlace placeOf(const std::string& name)
{
    for (int page = FIRST_COMPOSED_INSTRUCTION_PAGE; page <= LAST_INSTRUCTION_PAGE; ++page) {
        InstructionPage layout = instructionPage(page);
        for (int i = 0; i < layout.pictureCount; ++i)
            if (name == layout.pictures[i].name)
                return {page, i, static_cast<double>(layout.pictures[i].x), static_cast<double>(layout.pictures[i].y)};
    }
    std::fprintf(stderr, "instructions: '%s' is on no page\n", name.c_str());
    return {};
}

// A game picture of the page drawn over ours, cut to what shows of it, in
// the coordinates of our picture. Pictures the game makes at run time from
// others (the teleports' dimmed spirals) are not drawn by this tool; their
// frames cover the same place.
struct Standing {
    VisiblePart part;
    double x, y; // where its image's top-left corner lies
    Box box;     // what shows of it
};

std::vector<Standing> picturesOver(const PagePlace& place)
{
    std::vector<Standing> over;
    InstructionPage layout = instructionPage(place.page);
    for (int i = place.index + 1; i < layout.pictureCount; ++i) {
        const InstructionPicture& picture = layout.pictures[i];
        if (!Registry::instance().find(picture.name))
            continue;
        VisiblePart part = renderVisiblePart(picture.name, 16, "instructions");
        if (part.x1 < 0) {
            cairo_surface_destroy(part.image);
            continue;
        }
        double x = picture.x - place.x, y = picture.y - place.y;
        over.push_back({part, x, y, {x + part.x0, y + part.y0, x + part.x1 + 1, y + part.y1 + 1}});
    }
    return over;
}

void release(std::vector<Standing>& pictures)
{
    for (Standing& standing : pictures)
        cairo_surface_destroy(standing.part.image);
    pictures.clear();
}

// ---- Backdrops.

// A motion line drawn on a backdrop, in page coordinates: a dashed curve
// from one point to another, bowed by `bow` pixels (positive: upwards), with
// a head at its end.
struct Arrow {
    double fromX, fromY, toX, toY, bow;
};

void drawArrow(cairo_t* cr, const Arrow& a, double originX, double originY)
{
    double x0 = a.fromX - originX, y0 = a.fromY - originY, x1 = a.toX - originX, y1 = a.toY - originY;
    double length = std::hypot(x1 - x0, y1 - y0);
    // The bow is at right angles to the line, to its left going forwards
    // (upwards for a line to the right).
    double nx = (y1 - y0) / length, ny = -(x1 - x0) / length;
    double cx = (x0 + x1) / 2 + nx * a.bow, cy = (y0 + y1) / 2 + ny * a.bow;
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, cx, cy, cx, cy, x1, y1);
    setColor(cr, Color{1, 1, 1, 0.8});
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    setColor(cr, Color{0.85, 0.25, 0.15});
    cairo_set_line_width(cr, 2.5);
    double dash[] = {6, 4};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    double angle = std::atan2(y1 - cy, x1 - cx);
    cairo_move_to(cr, x1 + 2 * std::cos(angle), y1 + 2 * std::sin(angle));
    cairo_line_to(cr, x1 - 10 * std::cos(angle - 0.5), y1 - 10 * std::sin(angle - 0.5));
    cairo_line_to(cr, x1 - 10 * std::cos(angle + 0.5), y1 - 10 * std::sin(angle + 0.5));
    cairo_close_path(cr);
    setColor(cr, Color{1, 1, 1, 0.8});
    cairo_set_line_width(cr, 2.5);
    cairo_stroke_preserve(cr);
    setColor(cr, Color{0.85, 0.25, 0.15});
    cairo_fill(cr);
    cairo_restore(cr);
}

// Where the page's texts may lie, in the coordinates of a picture at
// (originX, originY): the heading lines across the top, and the body,
// which ends above any scene set out under it (the texts are kept short
// enough for that).
std::vector<Box> textBoxes(const InstructionPage& layout, double originX, double originY,
                           const std::vector<Standing>& pictures)
{
    constexpr double headingX = 48, headingY = 37, headingBottom = 113, bodyY = 117, bodyBottom = 497, gap = 14;
    const double left = layout.bodyX - originX, right = left + layout.bodyWidth;
    double bottom = bodyBottom - originY;
    for (const Standing& picture : pictures) {
        const Box& b = picture.box;
        double middle = (b.x0 + b.x1) / 2;
        if (middle >= left && middle <= right)
            bottom = std::min(bottom, b.y0 - gap);
    }
    return {{headingX - originX, headingY - originY, 686 - originX, headingBottom - originY},
            {left, bodyY - originY, right, std::max(bodyY - originY, bottom)}};
}

// Boxes filled with soft edges: fully inside, fading out over `feather`
// pixels beyond them.
void fillSoftBoxes(cairo_t* cr, const std::vector<Box>& boxes, double grow, double feather)
{
    constexpr int steps = 8;
    for (int step = 0; step < steps; ++step) {
        double out = grow + feather * step / steps;
        for (const Box& b : boxes)
            cairo_rectangle(cr, b.x0 - out, b.y0 - out, b.x1 - b.x0 + 2 * out, b.y1 - b.y0 + 2 * out);
        setColor(cr, Color{0, 0, 0, 1.0 / steps});
        cairo_fill(cr);
    }
}

// Clears what was drawn over the page's texts, fading out round them.
void clearTexts(cairo_t* cr, const std::vector<Box>& texts)
{
    cairo_push_group(cr);
    fillSoftBoxes(cr, texts, 0, 10);
    cairo_pattern_t* eraser = cairo_pop_group(cr);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_set_source(cr, eraser);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(eraser);
}

// A patch of sky behind the pictures that stand on the backdrop, fading
// into the parchment: the union of their boxes, widened layer by layer.
void drawSkyPatch(cairo_t* cr, const std::vector<Standing>& pictures)
{
    constexpr int layers = 9;
    for (int layer = 0; layer < layers; ++layer) {
        double grow = 2 + 1.5 * layer;
        for (const Standing& standing : pictures) {
            const Box& b = standing.box;
            roundedRect(cr, b.x0 - grow, b.y0 - grow, b.x1 - b.x0 + 2 * grow, b.y1 - b.y0 + 2 * grow, grow + 4);
        }
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        setColor(cr, withAlpha(lighter(palette::sky, 0.3), 0.1));
        cairo_fill(cr);
    }
}

// Fades what is drawn out towards the picture's edges, so that a patch
// that reaches past them ends softly.
void fadeEdges(cairo_t* cr, double width, double height)
{
    constexpr double fade = 14;
    struct Edge {
        double x0, y0, x1, y1;         // the gradient, from the edge inwards
        double rx, ry, rw, rh;         // the band it clears
    } edges[] = {{0, 0, fade, 0, 0, 0, fade, height},
                 {width, 0, width - fade, 0, width - fade, 0, fade, height},
                 {0, 0, 0, fade, 0, 0, width, fade},
                 {0, height, 0, height - fade, 0, height - fade, width, fade}};
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    for (const Edge& e : edges) {
        cairo_pattern_t* ramp = cairo_pattern_create_linear(e.x0, e.y0, e.x1, e.y1);
        cairo_pattern_add_color_stop_rgba(ramp, 0, 0, 0, 0, 1);
        cairo_pattern_add_color_stop_rgba(ramp, 1, 0, 0, 0, 0);
        cairo_set_source(cr, ramp);
        cairo_rectangle(cr, e.rx, e.ry, e.rw, e.rh);
        cairo_fill(cr);
        cairo_pattern_destroy(ramp);
    }
    cairo_restore(cr);
}

void drawBackdrop(cairo_t* cr, const std::string& name, int width, int height, const std::vector<Arrow>& arrows)
{
    PagePlace place = placeOf(name);
    std::vector<Standing> pictures = picturesOver(place);
    drawSkyPatch(cr, pictures);
    fadeEdges(cr, width, height);
    clearTexts(cr, textBoxes(instructionPage(place.page), place.x, place.y, pictures));
    release(pictures);
    for (const Arrow& arrow : arrows)
        drawArrow(cr, arrow, place.x, place.y);
}

// ---- Drop shadows: the pictures that follow, as a soft dark silhouette
// a little below and to the right.

void drawDropShadow(cairo_t* cr, const std::string& name)
{
    PagePlace place = placeOf(name);
    std::vector<Standing> pictures = picturesOver(place);
    constexpr double offsetX = 4, offsetY = 8, blur = 4;
    constexpr int rings = 3, perRing = 8;
    // Each of the 25 copies darkens a little: where all of them overlap
    // the shadow is about half dark, and its rim fades out.
    constexpr double alpha = 0.03;
    for (const Standing& standing : pictures) {
        for (int ring = 0; ring <= rings; ++ring) {
            int samples = ring == 0 ? 1 : perRing;
            for (int s = 0; s < samples; ++s) {
                double angle = 2 * M_PI * s / samples + ring * 0.4;
                double r = blur * ring / rings;
                setColor(cr, Color{0.20, 0.12, 0.05, alpha});
                cairo_mask_surface(cr, standing.part.image, standing.x + offsetX + r * std::cos(angle),
                                   standing.y + offsetY + r * std::sin(angle));
            }
        }
    }
    release(pictures);
}

// ---- Framed pictures: a little window on a level with game pictures set
// out in it, framed in wood like the level's own border.

enum class Anchor { TopLeft, Standing };

struct Prop {
    std::string picture;
    double column, row; // in cells; a standing thing stands on the row's floor
    Anchor anchor = Anchor::Standing;
};

Prop tile(const std::string& picture, double column, double row) { return {picture, column, row, Anchor::TopLeft}; }
Prop stand(const std::string& picture, double column, double row) { return {picture, column, row, Anchor::Standing}; }

struct Window {
    int width, height;
    double scale; // game pictures are drawn this much larger
    std::vector<Prop> props;
    std::vector<Arrow> arrows; // in the window's pixels
    // Drawn over the props: the rings of a pulse.
    std::function<void(cairo_t*)> extra;
};

constexpr double windowMargin = 5;

void paintProp(cairo_t* cr, const Prop& prop, double scale)
{
    VisiblePart part = renderVisiblePart(prop.picture, 16, "instructions");
    if (!part.image)
        return;
    if (part.x1 >= 0) {
        double cell = 24 * scale;
        double w = (part.x1 - part.x0 + 1) * scale, h = (part.y1 - part.y0 + 1) * scale;
        double x = windowMargin + prop.column * cell, y = windowMargin + (prop.row - 1) * cell;
        if (prop.anchor == Anchor::Standing) {
            x += cell / 2 - w / 2;
            y += cell - h;
        }
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, part.image, -part.x0, -part.y0);
        cairo_rectangle(cr, 0, 0, part.x1 - part.x0 + 1, part.y1 - part.y0 + 1);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_surface_destroy(part.image);
}

void drawWindow(cairo_t* cr, const Window& window)
{
    const double w = window.width, h = window.height;
    roundedRect(cr, 3, 3, w - 6, h - 6, 10);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.55, 0.78, 0.96);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.88, 0.95, 1.0);
    cairo_set_source(cr, sky);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(sky);
    cairo_save(cr);
    cairo_clip(cr);
    for (const Prop& prop : window.props)
        paintProp(cr, prop, window.scale);
    if (window.extra)
        window.extra(cr);
    for (const Arrow& arrow : window.arrows)
        drawArrow(cr, arrow, 0, 0);
    cairo_restore(cr);
    roundedRect(cr, 3, 3, w - 6, h - 6, 10);
    setColor(cr, palette::wood);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    strokeOutline(cr, 1.6);
}

// A row of one-cell ground tiles.
void ground(std::vector<Prop>& props, const std::string& kind, int from, int to, double row)
{
    for (int c = from; c <= to; ++c)
        props.push_back(tile(kind + "1.png", c, row));
}

// The middle of a cell, in the window's pixels.
double cellX(const Window& w, double column) { return windowMargin + (column + 0.5) * 24 * w.scale; }
double cellY(const Window& w, double row) { return windowMargin + (row - 0.5) * 24 * w.scale; }

// An inflatable: its power-up as the level shows it, and what it blows up
// into.
Window inflatable(int height, const std::string& powerup, const std::string& inflated)
{
    Window w{130, height, 1.3, {}, {}, {}};
    double floor = std::floor((height - windowMargin) / (24 * w.scale));
    ground(w.props, "grass", 0, 4, floor);
    double row = floor - 1;
    w.props.push_back(stand(powerup, 0.3, row - 0.2));
    w.props.push_back(stand(inflated, 2.7, row));
    w.arrows.push_back({cellX(w, 0.95), cellY(w, row) - 4, cellX(w, 2.1), cellY(w, row) - 4, 8});
    return w;
}

void add(std::vector<Prop>& props, std::initializer_list<Prop> more) { props.insert(props.end(), more); }

// Frost and heat: a frost shot on its way to a bot, a heat shot on its
// way to a crate.
Window frostAndHeat()
{
    Window w{160, 300, 1.25, {}, {}, {}};
    ground(w.props, "grass", 0, 5, 4);
    ground(w.props, "grass", 0, 5, 8);
    add(w.props, {stand("botfrozen.png", 0.4, 3), stand("frostballleft2.tga", 2, 3),
                  stand("profstandleft0.tga", 3.5, 3), stand("profstandright0.tga", 0.4, 7),
                  stand("fireballright2.png", 1.9, 7), stand("cratestill0.tga", 3.4, 7)});
    return w;
}

// The EMP: its pulse rings out from the professor; the bot beside him is
// stunned, the magnet lets go.
Window emp()
{
    Window w{140, 240, 1.2, {}, {}, {}};
    ground(w.props, "grass", 0, 5, 8);
    add(w.props, {stand("magnetrightstill0.tga", 0, 7), stand("profstandmiddle0.tga", 1.8, 7),
                  stand("botstunnedleft0.png", 3.5, 7), stand("editorpowerupemp.tga", 1.8, 3.2)});
    double cx = cellX(w, 1.8), cy = cellY(w, 6.6);
    w.extra = [cx, cy](cairo_t* cr) {
        for (int ring = 1; ring <= 3; ++ring) {
            cairo_arc(cr, cx, cy, 22.0 * ring, M_PI * 1.05, M_PI * 1.95);
            setColor(cr, Color{0.35, 0.75, 1.0, 0.85 - 0.2 * ring});
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
        }
    };
    return w;
}

// The whistle: its call goes out and both bots come running.
Window whistle()
{
    Window w{135, 280, 1.2, {}, {}, {}};
    ground(w.props, "grass", 0, 5, 4);
    ground(w.props, "grass", 0, 5, 9);
    add(w.props, {stand("botrunleft0.png", 3.0, 3), stand("botrunright0.png", 0.2, 8),
                  stand("profstandmiddle0.tga", 2.5, 8), stand("editorpowerupwhistle.tga", 2.5, 6.1)});
    w.arrows = {{cellX(w, 2.9), cellY(w, 3.2), cellX(w, 1.2), cellY(w, 3.2), 8},
                {cellX(w, 0.4), cellY(w, 7.4), cellX(w, 1.7), cellY(w, 7.4), 8}};
    return w;
}

// ---- The game menu: the corner button (or Escape) opens it.

void drawGameMenu(cairo_t* cr, int width, int height)
{
    paintPicture(cr, "ingame_menubutton.tga", 10, 8);
    // The Escape key beside the button.
    roundedRect(cr, 82, 10, 46, 38, 6);
    fillAndOutline(cr, Color{0.93, 0.92, 0.88}, 10, 48, 1.6);
    roundedRect(cr, 86, 13, 38, 28, 4);
    setColor(cr, withAlpha(palette::white, 0.6));
    cairo_fill(cr);
    Lettering key;
    key.size = 15;
    key.fill = palette::outline;
    key.outlineWidth = 0;
    drawCenteredText(cr, "Esc", 84, 12, 42, 28, key);
    drawArrow(cr, {70, 60, 70, 98, 0}, 0, 0);
    // The menu: a parchment card with its column of buttons.
    const double cardX = 6, cardY = 104, cardW = width - 12, cardH = height - cardY - 6;
    roundedRect(cr, cardX, cardY, cardW, cardH, 8);
    fillShaded(cr, palette::parchment, cardY, cardY + cardH);
    strokeOutline(cr, 1.8);
    // The menu's own first six buttons, by the names they carry in the game.
    const char* buttons[] = {"Return to Game", "Start Over", "Undo a Step", "Show Solution", "How to Play", "Settings"};
    Lettering label;
    label.size = 11;
    label.fill = Color{0.29, 0.18, 0.09};
    label.outlineWidth = 0;
    double y = cardY + 12;
    for (const char* caption : buttons) {
        roundedRect(cr, cardX + 10, y, cardW - 20, 22, 6);
        fillAndOutline(cr, Color{0.99, 0.93, 0.78}, y, y + 22, 1.2);
        drawCenteredText(cr, caption, cardX + 12, y + 1, cardW - 24, 20, label);
        y += 30;
    }
}

// A disabled page button: the button washed pale under a thin veil.
void drawFade(cairo_t* cr)
{
    roundedRect(cr, 2, 2, 96, 32, 12);
    setColor(cr, Color{0.96, 0.92, 0.84, 0.72});
    cairo_fill(cr);
}

void addWindow(Registry& registry, const char* family, const std::string& name, Window window)
{
    int width = window.width, height = window.height;
    addPicture(registry, family, name, width, height, [window](cairo_t* cr) { drawWindow(cr, window); });
}

void addBackdrop(Registry& registry, const char* family, const std::string& name, int width, int height,
                 std::vector<Arrow> arrows)
{
    addPicture(registry, family, name, width, height,
               [name, width, height, arrows](cairo_t* cr) { drawBackdrop(cr, name, width, height, arrows); });
}

void addShadow(Registry& registry, const char* family, const std::string& name, int width, int height)
{
    addPicture(registry, family, name, width, height, [name](cairo_t* cr) { drawDropShadow(cr, name); });
}

void registerInstructions(Registry& registry, const char* family)
{
    // Backdrops, sized to reach past the last picture standing on them;
    // arrows in page coordinates.
    // Down the ladder, then along the floor to the exit.
    addBackdrop(registry, family, "picture_basic_movement.tga", 561, 342,
                {{178, 228, 178, 392, 12}, {178, 418, 345, 418, 12}, {398, 418, 490, 418, 10}});
    // Whatever comes onto ice slides on.
    addBackdrop(registry, family, "picture_terrain.tga", 593, 330, {{590, 352, 508, 352, 8}});
    addBackdrop(registry, family, "picture_crates.tga", 122, 113, {});
    // Walking on a barrel rolls it along.
    addBackdrop(registry, family, "picture_barrels.tga", 147, 142, {{549, 168, 590, 168, 8}});
    addBackdrop(registry, family, "picture_magnets.tga", 164, 144, {});
    // A button opens the gate of its colour.
    addBackdrop(registry, family, "picture_gates.tga", 217, 117, {{323, 392, 290, 372, 14}});
    addBackdrop(registry, family, "picture_trampolines.tga", 239, 110, {});
    addShadow(registry, family, "instructions_shadowbridge.png", 220, 130);
    addShadow(registry, family, "instructions_shadowteleport.png", 200, 110);
    addShadow(registry, family, "instructions_shadowinflbridge.png", 190, 120);
    addShadow(registry, family, "instructions_shadowinflteleport.png", 200, 110);
    addWindow(registry, family, "picture_inflatable_crate.tga",
              inflatable(110, "editorpowerupcrate.tga", "crateinflatablestill0.tga"));
    addWindow(registry, family, "picture_inflatable_magnet.tga",
              inflatable(80, "editorpowerupmagnet.tga", "magnetinflatablerightstill0.tga"));
    addWindow(registry, family, "picture_inflatable_barrel.tga",
              inflatable(110, "editorpowerupbarrel.tga", "barrelinflatable0.tga"));
    addWindow(registry, family, "instructions_heatgun.png", frostAndHeat());
    addWindow(registry, family, "picture_emp.tga", emp());
    addWindow(registry, family, "picture_whistle.tga", whistle());
    addPicture(registry, family, "picture_root_menu4.tga", 140, 300, [](cairo_t* cr) { drawGameMenu(cr, 140, 300); });
    addPicture(registry, family, "story_buttonprevfade.png", 100, 36, drawFade);
    addPicture(registry, family, "story_buttonnextfade.png", 100, 36, drawFade);
}

FamilyRegistration instructions("instructions", registerInstructions);

} // namespace
