// The map of the island on which the three level sets are played: the
// painted background with the trails the level dots sit on, the dots in
// every state, the tutorial stars and the set names.
#include "../Registry.h"
#include "Lettering.h"
#include "Scenery.h"
#include "screens/MapDotPositions.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

namespace vp = volcanoPictures;

// The map places the volcano's pictures here (top-left corners).
constexpr double frontX = 267, frontY = 110;
constexpr double craterX = frontX + vp::frontCraterX, craterY = frontY + vp::frontCraterY;

// A dot picture is 18 x 18; the map gives its top-left corner.
constexpr int dotSize = 18;
constexpr double dotCentre = dotSize / 2.0;

struct Point {
    double x, y;
};

// Catmull-Rom curve through the points, densely sampled.
std::vector<Point> smoothCurve(const std::vector<Point>& points)
{
    std::vector<Point> curve;
    const int steps = 8;
    size_t n = points.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        const Point& p0 = points[i ? i - 1 : 0];
        const Point& p1 = points[i];
        const Point& p2 = points[i + 1];
        const Point& p3 = points[i + 2 < n ? i + 2 : n - 1];
        for (int s = 0; s < steps; ++s) {
            double t = double(s) / steps, t2 = t * t, t3 = t2 * t;
            auto blend = [&](double a, double b, double c, double d) {
                return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
            };
            curve.push_back({blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)});
        }
    }
    curve.push_back(points.back());
    return curve;
}

// The trail of one level set: through the centres of its dots, each shared
// place once.
std::vector<Point> trailOf(int levelSet)
{
    MapDotTable table = mapDotPositions(levelSet);
    std::vector<Point> places;
    for (int i = 0; i < table.count; ++i) {
        Point p{table.rows[i].x + dotCentre, table.rows[i].y + dotCentre};
        if (places.empty() || places.back().x != p.x || places.back().y != p.y)
            places.push_back(p);
    }
    return smoothCurve(places);
}

const std::vector<std::vector<Point>>& trails()
{
    static const std::vector<std::vector<Point>> all = {trailOf(0), trailOf(1), trailOf(2)};
    return all;
}

double distanceToTrails(double x, double y)
{
    double best = 1e9;
    for (const auto& trail : trails())
        for (const Point& p : trail)
            best = std::fmin(best, std::hypot(p.x - x, p.y - y));
    return best;
}

void curvePath(cairo_t* cr, const std::vector<Point>& curve)
{
    cairo_new_path(cr);
    for (const Point& p : curve)
        cairo_line_to(cr, p.x, p.y);
}

void closedCurvePath(cairo_t* cr, std::vector<Point> points)
{
    // Wrap round so the curve closes smoothly.
    std::vector<Point> loop = points;
    loop.insert(loop.begin(), points.back());
    loop.push_back(points[0]);
    loop.push_back(points[1]);
    std::vector<Point> curve = smoothCurve(loop);
    cairo_new_path(cr);
    const size_t skip = 8;
    for (size_t i = skip; i + skip < curve.size(); ++i)
        cairo_line_to(cr, curve[i].x, curve[i].y);
    cairo_close_path(cr);
}

const std::vector<Point> coast = {{-40, 112}, {60, 126}, {140, 116}, {230, 102}, {300, 94},  {420, 98},
                                  {505, 112}, {572, 150}, {612, 196}, {634, 262}, {642, 332}, {632, 402},
                                  {618, 452}, {626, 500}, {602, 548}, {520, 568}, {420, 574}, {300, 568},
                                  {200, 574}, {100, 568}, {20, 560},  {-40, 548}};

void drawSea(cairo_t* cr)
{
    cairo_rectangle(cr, 0, 0, 800, 600);
    fillLinear(cr, 0, 0, 0, 600, Color{0.30, 0.70, 0.82}, Color{0.14, 0.50, 0.70});
    cairo_new_path(cr);
    Rng rng(17);
    for (int i = 0; i < 70; ++i)
        drawWaveLine(cr, rng.range(-10, 800), rng.range(0, 600), rng.range(16, 34), 2, Color{1, 1, 1, 0.3}, 1.3);
}

void drawIsland(cairo_t* cr)
{
    // Shallow water, beach, then the grass.
    cairo_save(cr);
    closedCurvePath(cr, coast);
    setColor(cr, Color{0.55, 0.86, 0.86});
    cairo_set_line_width(cr, 34);
    cairo_stroke_preserve(cr);
    setColor(cr, Color{1, 1, 1, 0.5});
    cairo_set_line_width(cr, 20);
    cairo_stroke_preserve(cr);
    setColor(cr, palette::sand);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 2);
    std::vector<Point> inland;
    for (const Point& p : coast) {
        double cx = 300, cy = 340;
        inland.push_back({cx + (p.x - cx) * 0.95, cy + (p.y - cy) * 0.93});
    }
    closedCurvePath(cr, inland);
    fillLinear(cr, 0, 100, 0, 580, Color{0.50, 0.78, 0.34}, Color{0.36, 0.66, 0.26});
    setColor(cr, withAlpha(darker(palette::grass, 0.4), 0.8));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawTrails(cairo_t* cr)
{
    // Borders of all three trails first, then their sand, so crossings and
    // shared stretches merge into one track.
    for (const auto& trail : trails()) {
        curvePath(cr, trail);
        setColor(cr, Color{0.48, 0.32, 0.18});
        cairo_set_line_width(cr, 12);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    for (const auto& trail : trails()) {
        curvePath(cr, trail);
        setColor(cr, Color{0.95, 0.84, 0.60});
        cairo_set_line_width(cr, 8);
        cairo_stroke(cr);
    }
    for (const auto& trail : trails()) {
        curvePath(cr, trail);
        double dash[] = {2, 7};
        cairo_set_dash(cr, dash, 2, 0);
        setColor(cr, Color{0.80, 0.62, 0.38});
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    }
}

bool insideIsland(cairo_t* cr, double x, double y)
{
    closedCurvePath(cr, coast);
    bool inside = cairo_in_fill(cr, x, y);
    cairo_new_path(cr);
    return inside;
}

bool onVolcano(double x, double y)
{
    double below = y - craterY;
    return below > -10 && below < 125 && std::fabs(x - craterX) < volcanoHalfWidth(below) + 10;
}

void drawTree(cairo_t* cr, double x, double y, double r, Rng& rng)
{
    ellipsePath(cr, x + r * 0.3, y + r * 0.5, r, r * 0.45);
    setColor(cr, Color{0.1, 0.2, 0.05, 0.3});
    cairo_fill(cr);
    ellipsePath(cr, x, y, r, r * 0.92);
    fillAndOutline(cr, lighter(darker(palette::grass, 0.25), rng.range(0, 0.15)), y - r, y + r, 1.4);
    drawHighlight(cr, x - r * 0.3, y - r * 0.35, r * 0.4, r * 0.25, 0.3);
}

void drawForest(cairo_t* cr)
{
    Rng rng(29);
    // A dense row along the foot of the volcano hides where its cone ends.
    const double foot = craterY + vp::sceneDepth;
    for (double x = craterX - volcanoHalfWidth(vp::sceneDepth); x < craterX + volcanoHalfWidth(vp::sceneDepth); x += 9) {
        double y = foot - rng.range(0, 10);
        double r = rng.range(8, 12);
        if (distanceToTrails(x, y) >= r + 10)
            drawTree(cr, x, y, r, rng);
    }
    for (int i = 0; i < 900; ++i) {
        double x = rng.range(0, 640), y = rng.range(110, 580);
        double r = rng.range(6, 11);
        if (!insideIsland(cr, x, y + r) || !insideIsland(cr, x, y - r - 14) || onVolcano(x, y))
            continue;
        if (distanceToTrails(x, y) < r + 12)
            continue;
        // Keep the panels' corners and the legend clear.
        if ((x < 300 && y < 128) || (x < 215 && y < 215))
            continue;
        drawTree(cr, x, y, r, rng);
    }
}

void drawHutAtStart(cairo_t* cr)
{
    // The professor's lab where every trail begins.
    const double x = 6, y = 330;
    cairo_rectangle(cr, x, y + 12, 26, 20);
    fillAndOutline(cr, Color{0.86, 0.72, 0.44}, y + 12, y + 32, 1.5);
    cairo_move_to(cr, x - 5, y + 14);
    cairo_line_to(cr, x + 13, y - 2);
    cairo_line_to(cr, x + 31, y + 14);
    cairo_close_path(cr);
    fillAndOutline(cr, Color{0.90, 0.74, 0.38}, y - 2, y + 14, 1.5);
    cairo_rectangle(cr, x + 15, y + 20, 7, 12);
    fillAndOutline(cr, palette::woodDark, y + 20, y + 32, 1.2);
}

void drawCompass(cairo_t* cr, double cx, double cy, double r)
{
    ellipsePath(cr, cx, cy, r, r);
    setColor(cr, withAlpha(palette::parchment, 0.85));
    cairo_fill_preserve(cr);
    strokeOutline(cr, 2);
    ellipsePath(cr, cx, cy, r * 0.8, r * 0.8);
    setColor(cr, withAlpha(palette::woodDark, 0.6));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int i = 0; i < 8; ++i) {
        double a = -M_PI / 2 + i * M_PI / 4;
        double length = i % 2 ? r * 0.5 : r * 0.92;
        double side = r * 0.14;
        cairo_move_to(cr, cx + std::cos(a) * length, cy + std::sin(a) * length);
        cairo_line_to(cr, cx + std::cos(a + M_PI / 2) * side, cy + std::sin(a + M_PI / 2) * side);
        cairo_line_to(cr, cx, cy);
        cairo_close_path(cr);
        setColor(cr, i == 0 ? palette::red : palette::woodDark);
        cairo_fill_preserve(cr);
        strokeOutline(cr, 1);
        cairo_move_to(cr, cx + std::cos(a) * length, cy + std::sin(a) * length);
        cairo_line_to(cr, cx + std::cos(a - M_PI / 2) * side, cy + std::sin(a - M_PI / 2) * side);
        cairo_line_to(cr, cx, cy);
        cairo_close_path(cr);
        setColor(cr, palette::parchment);
        cairo_fill_preserve(cr);
        strokeOutline(cr, 1);
    }
    Lettering north;
    north.size = 14;
    north.fill = palette::red;
    north.outlineWidth = 3;
    north.outline = palette::parchment;
    drawCenteredText(cr, "N", cx - 10, cy - r - 16, 20, 16, north);
}

void drawBoat(cairo_t* cr, double x, double y)
{
    cairo_move_to(cr, x - 22, y);
    cairo_line_to(cr, x + 22, y);
    cairo_line_to(cr, x + 14, y + 10);
    cairo_line_to(cr, x - 14, y + 10);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::wood, y, y + 10, 1.6);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x, y - 34);
    strokeOutline(cr, 2);
    cairo_move_to(cr, x + 2, y - 32);
    cairo_curve_to(cr, x + 22, y - 22, x + 22, y - 10, x + 2, y - 4);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::white, y - 32, y - 4, 1.6);
    drawWaveLine(cr, x - 30, y + 12, 60, 2, Color{1, 1, 1, 0.7}, 1.5);
}

// A board with a parchment face, as the panels that the map's texts and
// buttons stand on.
void drawPanel(cairo_t* cr, double x, double y, double w, double h)
{
    roundedRect(cr, x + 3, y + 4, w, h, 10);
    setColor(cr, Color{0.1, 0.05, 0, 0.3});
    cairo_fill(cr);
    roundedRect(cr, x, y, w, h, 10);
    fillAndOutline(cr, palette::woodDark, y, y + h, 2.2);
    roundedRect(cr, x + 5, y + 5, w - 10, h - 10, 7);
    fillAndOutline(cr, palette::parchment, y + 5, y + h - 5, 1.4);
}

Lettering labelStyle(double size)
{
    Lettering style;
    style.size = size;
    style.fill = Color{0.36, 0.22, 0.10};
    style.outlineWidth = 0;
    return style;
}

void drawPanels(cairo_t* cr)
{
    // Top left: the player's name and the three set buttons with their reset buttons.
    drawPanel(cr, 8, 4, 290, 120);
    roundedRect(cr, 40, 9, 178, 22, 8);
    setColor(cr, withAlpha(palette::woodDark, 0.25));
    cairo_fill(cr);
    // Legend: what a star and a dot stand for.
    drawPanel(cr, 34, 140, 150, 64);
    drawTextAt(cr, "Tutorial", 74, 164, labelStyle(15));
    drawTextAt(cr, "Level", 74, 187, labelStyle(15));
    // Top right: the set's name, the level, its best and the set's total steps.
    drawPanel(cr, 484, 4, 310, 124);
    drawTextAt(cr, "Best steps:", 500, 89, labelStyle(14));
    drawTextAt(cr, "Set total:", 500, 110, labelStyle(14));
    // Lower right: play, level manager, main menu.
    drawPanel(cr, 626, 500, 168, 96);
}

void drawMapBackground(cairo_t* cr)
{
    drawSea(cr);
    drawCompass(cr, 718, 238, 42);
    drawBoat(cr, 700, 430);
    drawIsland(cr);
    drawVolcano(cr, craterX, craterY, vp::sceneDepth);
    // Jungle round the foot of the volcano, then the trails over everything.
    drawForest(cr);
    drawTrails(cr);
    drawHutAtStart(cr);
    drawPanels(cr);
}

// ---- dots -----------------------------------------------------------------

enum class DotLook { Open, Completed, Locked };

Color dotColor(DotLook look)
{
    switch (look) {
    case DotLook::Open:
        return Color{0.98, 0.52, 0.16};
    case DotLook::Completed:
        return Color{0.30, 0.74, 0.28};
    case DotLook::Locked:
        break;
    }
    return Color{0.58, 0.54, 0.50};
}

// One dot at the given scale (1 = full size); hover makes it a little larger and lit.
void drawDot(cairo_t* cr, DotLook look, double scale, bool hover, double opacity)
{
    if (scale <= 0)
        return;
    double r = (hover ? 7.5 : 6.5) * scale;
    cairo_push_group(cr);
    if (hover)
        drawSoftGlow(cr, dotCentre, dotCentre, 9, Color{1, 0.95, 0.5, 0.8});
    ellipsePath(cr, dotCentre + 0.8, dotCentre + 1.2, r, r);
    setColor(cr, Color{0.2, 0.1, 0, 0.35});
    cairo_fill(cr);
    ellipsePath(cr, dotCentre, dotCentre, r, r);
    Color base = dotColor(look);
    fillAndOutline(cr, hover ? lighter(base, 0.2) : base, dotCentre - r, dotCentre + r, std::fmax(1, 1.6 * scale));
    if (scale > 0.45) {
        if (look == DotLook::Completed) {
            cairo_move_to(cr, dotCentre - 3.2 * scale, dotCentre + 0.2 * scale);
            cairo_line_to(cr, dotCentre - 0.8 * scale, dotCentre + 2.6 * scale);
            cairo_line_to(cr, dotCentre + 3.4 * scale, dotCentre - 2.6 * scale);
            setColor(cr, palette::white);
            cairo_set_line_width(cr, 1.9 * scale);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke(cr);
        } else if (look == DotLook::Open) {
            ellipsePath(cr, dotCentre, dotCentre, 2.4 * scale, 2.4 * scale);
            setColor(cr, Color{1, 0.96, 0.85});
            cairo_fill(cr);
        } else {
            // A little keyhole.
            ellipsePath(cr, dotCentre, dotCentre - 0.8 * scale, 1.5 * scale, 1.5 * scale);
            cairo_move_to(cr, dotCentre - 1.2 * scale, dotCentre + 2.8 * scale);
            cairo_line_to(cr, dotCentre, dotCentre - 0.5 * scale);
            cairo_line_to(cr, dotCentre + 1.2 * scale, dotCentre + 2.8 * scale);
            cairo_close_path(cr);
            setColor(cr, Color{0.25, 0.22, 0.2});
            cairo_fill(cr);
        }
        drawHighlight(cr, dotCentre - r * 0.35, dotCentre - r * 0.45, r * 0.35, r * 0.2, 0.55);
    }
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, opacity);
}

// The selected dot breathes: a bright dot with a ring swelling round it.
void drawSelectedPulse(cairo_t* cr, int frame)
{
    double t = frame / 5.0;
    drawSoftGlow(cr, dotCentre, dotCentre, 7 + 2 * t, Color{1, 0.95, 0.45, 0.4 + 0.6 * t});
    double r = 6 + 1.2 * t;
    ellipsePath(cr, dotCentre, dotCentre, r, r);
    fillAndOutline(cr, lighter(Color{1.0, 0.74, 0.12}, 0.25 * t), dotCentre - r, dotCentre + r, 1.6);
    ellipsePath(cr, dotCentre, dotCentre, 2.2 + 0.8 * t, 2.2 + 0.8 * t);
    setColor(cr, palette::white);
    cairo_fill(cr);
    drawHighlight(cr, dotCentre - r * 0.35, dotCentre - r * 0.45, r * 0.35, r * 0.2, 0.55);
}

void starPath(cairo_t* cr, double cx, double cy, double outer, double inner, double turn)
{
    cairo_new_path(cr);
    for (int i = 0; i < 10; ++i) {
        double a = -M_PI / 2 + turn + i * M_PI / 5;
        double r = i % 2 ? inner : outer;
        cairo_line_to(cr, cx + std::cos(a) * r, cy + std::sin(a) * r);
    }
    cairo_close_path(cr);
}

void drawStar(cairo_t* cr, double cx, double cy, double outer, double turn, double opacity, Color gold)
{
    cairo_push_group(cr);
    starPath(cr, cx, cy, outer, outer * 0.48, turn);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    fillAndOutline(cr, gold, cy - outer, cy + outer, std::fmax(1, outer * 0.17));
    drawHighlight(cr, cx - outer * 0.2, cy - outer * 0.3, outer * 0.28, outer * 0.16, 0.6);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, opacity);
}

constexpr Color starGold{1.0, 0.80, 0.16};

// The tutorial star floats above its place, rocking gently and glinting now
// and then; 60 frames that loop.
void drawStarFrame(cairo_t* cr, double cx, int frame, double size)
{
    double phase = frame / 60.0 * 2 * M_PI;
    double cy = 12 + 1.2 * std::sin(phase);
    drawSoftGlow(cr, cx, cy, 10 * size, Color{1, 0.95, 0.5, 0.45});
    drawStar(cr, cx, cy, 9 * size, 0.12 * std::sin(phase), 1, starGold);
    // A glint travels over the star twice a loop.
    double glint = std::pow(std::fmax(0, std::sin(phase * 2 - 1)), 8);
    if (glint > 0.05) {
        drawSparkle(cr, cx + 4, cy - 4, 4 * glint, Color{1, 1, 1, glint}, 1.2);
    }
}

void drawStarPulse(cairo_t* cr, int frame)
{
    double phase = frame / 60.0 * 2 * M_PI;
    double swell = 0.5 + 0.5 * std::sin(phase * 2);
    drawSoftGlow(cr, 14, 12, 12 + 2 * swell, Color{1, 0.9, 0.35, 0.6 + 0.3 * swell});
    ellipsePath(cr, 14, 12, 10.5 + 2.5 * swell, 10.5 + 2.5 * swell);
    setColor(cr, Color{1, 1, 0.85, 0.8 - 0.5 * swell});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    drawStarFrame(cr, 14, frame, 1.05);
}

// The star arrives: a burst of sparkles and a star that grows past its size
// and settles.
void drawStarAppear(cairo_t* cr, int frame)
{
    double t = frame / 13.0;
    double size = t < 0.75 ? 1.2 * std::sin(t / 0.75 * M_PI / 2) : 1.2 - 0.2 * (t - 0.75) / 0.25;
    for (int i = 0; i < 6; ++i) {
        double a = i * M_PI / 3 + 0.3;
        double d = 3 + 9 * t;
        double s = 2.2 * (1 - t);
        if (s <= 0.1)
            continue;
        ellipsePath(cr, 10 + std::cos(a) * d, 12 + std::sin(a) * d, s, s);
        setColor(cr, Color{1, 0.95, 0.6, 1 - t});
        cairo_fill(cr);
    }
    if (size > 0.05) {
        drawSoftGlow(cr, 10, 12, 10 * size, Color{1, 0.95, 0.5, 0.45});
        drawStar(cr, 10, 12, 9 * size, (1 - t) * 1.2, 1, starGold);
    }
}

// The small star-shaped dots.
void drawStarDot(cairo_t* cr, double scale, double opacity, double pulse)
{
    if (pulse > 0)
        drawSoftGlow(cr, dotCentre, dotCentre, 9, Color{1, 0.95, 0.5, 0.3 + 0.5 * pulse});
    drawStar(cr, dotCentre, dotCentre, 8 * scale * (1 + 0.08 * pulse), 0, opacity, starGold);
}

void registerMap(Registry& registry, const char* family)
{
    addPicture(registry, family, "map_background.jpg", 800, 600, drawMapBackground);
    struct SetName { const char* name; const char* words; };
    const SetName sets[] = {{"map_buttonlevelset_textregular.png", "Regular"},
                            {"map_buttonlevelset_textadvanced.png", "Advanced"},
                            {"map_buttonlevelset_textkids.png", "Kids"}};
    for (const SetName& set : sets) {
        std::string words = set.words;
        addPicture(registry, family, set.name, 130, 26,
                   [words](cairo_t* cr) { drawCenteredText(cr, words, 0, 0, 130, 26, captionLettering(21)); });
    }
    const double shrink[] = {0, 0.72, 0.46, 0.2};
    struct DotState { const char* prefix; DotLook look; double opacity; bool rollover; };
    const DotState states[] = {{"mapdotregularcompleted", DotLook::Completed, 1, true},
                               {"mapdotregularincomplete", DotLook::Open, 1, true},
                               {"mapdotregularlocked", DotLook::Locked, 1, false}};
    for (const DotState& s : states) {
        DotLook look = s.look;
        double opacity = s.opacity;
        addPicture(registry, family, std::string(s.prefix) + "base.png", dotSize, dotSize,
                   [look, opacity](cairo_t* cr) { drawDot(cr, look, 1, false, opacity); });
        if (s.rollover)
            addPicture(registry, family, std::string(s.prefix) + "rollover.png", dotSize, dotSize,
                       [look](cairo_t* cr) { drawDot(cr, look, 1, true, 1); });
        for (int k = 1; k <= 3; ++k) {
            double scale = shrink[k];
            addPicture(registry, family, seriesName(std::string(s.prefix) + "shrink", k, ".png"), dotSize, dotSize,
                       [look, scale](cairo_t* cr) { drawDot(cr, look, scale, false, 1); });
        }
    }
    // Locked and greyed out: the locked dot, faint.
    addPicture(registry, family, "mapdotregularlockedghosted.png", dotSize, dotSize,
               [](cairo_t* cr) { drawDot(cr, DotLook::Locked, 1, false, 0.45); });
    for (int k = 1; k <= 3; ++k) {
        double scale = shrink[k];
        addPicture(registry, family, seriesName("mapdotregularlockedghostedshrink", k, ".png"), dotSize, dotSize,
                   [scale](cairo_t* cr) { drawDot(cr, DotLook::Locked, scale, false, 0.45); });
    }
    for (int frame = 0; frame <= 5; ++frame)
        addPicture(registry, family, seriesName("mapdotregularselectedpulse", frame, ".png"), dotSize, dotSize,
                   [frame](cairo_t* cr) { drawSelectedPulse(cr, frame); });
    // The selected dot shrinks away from its resting pulse frame.
    for (int k = 1; k <= 3; ++k) {
        double scale = shrink[k];
        addPicture(registry, family, seriesName("mapdotregularselectedshrink", k, ".png"), dotSize, dotSize,
                   [scale](cairo_t* cr) {
                       cairo_translate(cr, dotCentre, dotCentre);
                       cairo_scale(cr, scale, scale);
                       cairo_translate(cr, -dotCentre, -dotCentre);
                       drawSelectedPulse(cr, 0);
                   });
    }
    addPicture(registry, family, "mapdotstarbase.png", dotSize, dotSize, [](cairo_t* cr) { drawStarDot(cr, 1, 1, 0); });
    addPicture(registry, family, "mapdotstarghosted.png", dotSize, dotSize,
               [](cairo_t* cr) { drawStarDot(cr, 1, 0.45, 0); });
    for (int k = 1; k <= 3; ++k) {
        double scale = shrink[k];
        addPicture(registry, family, seriesName("mapdotstarshrink", k, ".png"), dotSize, dotSize,
                   [scale](cairo_t* cr) { drawStarDot(cr, scale, 1, 0); });
        addPicture(registry, family, seriesName("mapdotstarghostedshrink", k, ".png"), dotSize, dotSize,
                   [scale](cairo_t* cr) { drawStarDot(cr, scale, 0.45, 0); });
    }
    for (int frame = 1; frame <= 5; ++frame) {
        double pulse = std::sin(frame / 5.0 * M_PI / 2);
        addPicture(registry, family, seriesName("mapdotstarpulse", frame, ".png"), dotSize, dotSize,
                   [pulse](cairo_t* cr) { drawStarDot(cr, 1, 1, pulse); });
    }
    // Tutorial stars: 20 x 28 (28 x 28 with the pulse), standing above the place.
    for (int frame = 0; frame <= 59; ++frame) {
        addPicture(registry, family, seriesName("star_base", frame, ".png"), 20, 28,
                   [frame](cairo_t* cr) { drawStarFrame(cr, 10, frame, 1); });
        addPicture(registry, family, seriesName("star_pulse", frame, ".png"), 28, 28,
                   [frame](cairo_t* cr) { drawStarPulse(cr, frame); });
    }
    for (int frame = 0; frame <= 13; ++frame)
        addPicture(registry, family, seriesName("star_appear", frame, ".png"), 20, 28,
                   [frame](cairo_t* cr) { drawStarAppear(cr, frame); });
}

FamilyRegistration map("map", registerMap);

} // namespace
