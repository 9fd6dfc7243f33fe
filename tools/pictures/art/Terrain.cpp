// Ground: grass and sand are drawn one picture per run of equal tiles
// ("grass5.png" is a run five cells wide), so a run is one continuous strip
// of ground with rounded ends and no seams; the "b" pictures are a second
// look for short runs on even rows. Ice comes one block per cell: ten
// blocks with icicles for ice with nothing below it and two plain ones for
// ice resting on something.
#include "ArtKit.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace art;

constexpr int kGrassX = 24, kGrassY = 25;
constexpr int kSandX = 24, kSandY = 23;
constexpr int kIceX = 17, kIceY = 13;

// An irregular lower edge of a strip of ground, from x0 to x1 at about y.
void bumpyEdge(cairo_t* cr, double x0, double x1, double y, double depth, Noise& noise)
{
    int steps = std::max(2, static_cast<int>((x1 - x0) / 7));
    double step = (x1 - x0) / steps;
    for (int i = 1; i <= steps; ++i) {
        double x = x1 - i * step;
        double bump = y + noise.range(0, depth);
        cairo_curve_to(cr, x + step * 0.66, bump + depth * 0.8, x + step * 0.33, bump + depth * 0.8, x, y);
    }
}

// The soil under a run: a strip from the cell top to a little below the cell.
void soilBody(cairo_t* cr, double width, Color soil, double bottom, Noise& noise)
{
    cairo_move_to(cr, -1, 2);
    cairo_line_to(cr, width + 1, 2);
    cairo_curve_to(cr, width + 2.5, 10, width + 1.5, bottom - 4, width - 2, bottom);
    bumpyEdge(cr, 2, width - 2, bottom, 2.5, noise);
    cairo_curve_to(cr, -2.5, bottom - 4, -2.5, 10, -1, 2);
    cairo_close_path(cr);
    fillAndOutline(cr, soil, 0, bottom + 2, 1.3);
}

void soilSpeckles(cairo_t* cr, double width, Color soil, double top, double bottom, Noise& noise)
{
    int count = static_cast<int>(width / 5);
    for (int i = 0; i < count; ++i) {
        double x = noise.range(2, width - 2);
        double y = noise.range(top, bottom);
        double r = noise.range(0.6, 1.5);
        ellipsePath(cr, x, y, r * 1.3, r);
        setColor(cr, noise.next() < 0.5 ? darker(soil, 0.3) : lighter(soil, 0.2));
        cairo_fill(cr);
    }
}

void grassRun(cairo_t* cr, int cells, bool variantB)
{
    double width = cells * 24.0;
    Noise noise(static_cast<uint32_t>(cells * 7 + (variantB ? 300 : 0)));
    Color soil = variantB ? darker(palette::soil, 0.08) : palette::soil;
    soilBody(cr, width, soil, 26, noise);
    // Strata and a few roots hanging out under the run.
    for (double y : {12.0, 19.0}) {
        cairo_move_to(cr, 1, y);
        for (double x = 1; x < width - 1; x += 8)
            cairo_line_to(cr, std::fmin(x + 8, width - 1), y + noise.range(-1, 1));
    }
    setColor(cr, withAlpha(darker(soil, 0.35), 0.5));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    soilSpeckles(cr, width, soil, 8, 23, noise);
    for (int i = 0; i < cells; ++i) {
        double x = noise.range(4, width - 4);
        cairo_move_to(cr, x, 24);
        cairo_curve_to(cr, x + 1, 26, x - 1.5, 27.5, x + 0.5, 29);
    }
    setColor(cr, darker(soil, 0.4));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);

    // The turf: a green band over the top, hanging over the edge in tufts.
    Color green = variantB ? lighter(palette::grass, 0.06) : palette::grass;
    cairo_move_to(cr, -5, 1);
    cairo_curve_to(cr, -5, -2.5, -3, -2, 0, -2);
    cairo_line_to(cr, width, -2);
    cairo_curve_to(cr, width + 3, -2, width + 5, -2.5, width + 5, 1);
    cairo_curve_to(cr, width + 5, 5, width + 2, 8, width - 1, 6);
    bumpyEdge(cr, 2, width - 1, 5.5, 2.5, noise);
    cairo_curve_to(cr, -2, 8, -5, 5, -5, 1);
    cairo_close_path(cr);
    fillAndOutline(cr, green, -2, 8, 1.3);
    cairo_move_to(cr, -2, -0.6);
    cairo_line_to(cr, width + 2, -0.6);
    setColor(cr, withAlpha(lighter(green, 0.5), 0.8));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Blades of grass standing up along the top.
    int tufts = cells * 3;
    for (int i = 0; i < tufts; ++i) {
        double x = noise.range(-2, width + 2);
        double h = noise.range(2.5, 5.5);
        double lean = noise.range(-1.5, 1.5);
        cairo_move_to(cr, x - 1.2, -1.5);
        cairo_curve_to(cr, x - 0.8, -1.5 - h * 0.4, x + lean * 0.5, -1.5 - h * 0.7, x + lean, -1.5 - h);
        cairo_curve_to(cr, x + lean * 0.4 + 0.3, -1.5 - h * 0.6, x + 0.8, -1.5 - h * 0.3, x + 1.2, -1.5);
        cairo_close_path(cr);
    }
    setColor(cr, darker(green, 0.05));
    cairo_fill_preserve(cr);
    setColor(cr, withAlpha(darker(green, 0.5), 0.8));
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    // Flowers on the second look, clover specks on the first.
    int flowers = variantB ? cells * 2 : cells / 2;
    for (int i = 0; i < flowers; ++i) {
        double x = noise.range(0, width);
        double y = noise.range(-3.5, 3);
        Color petal = noise.next() < 0.5 ? palette::white : palette::yellow;
        ellipsePath(cr, x, y, 1.3, 1.3);
        setColor(cr, petal);
        cairo_fill_preserve(cr);
        setColor(cr, withAlpha(palette::outline, 0.6));
        cairo_set_line_width(cr, 0.5);
        cairo_stroke(cr);
        ellipsePath(cr, x, y, 0.45, 0.45);
        setColor(cr, palette::heat);
        cairo_fill(cr);
    }
}

void sandRun(cairo_t* cr, int cells, bool variantB)
{
    double width = cells * 24.0;
    Noise noise(static_cast<uint32_t>(cells * 13 + (variantB ? 500 : 0)));
    Color sand = variantB ? darker(palette::sand, 0.04) : palette::sand;
    // A low rounded drift on top of a block of packed sand.
    cairo_move_to(cr, -3, 3);
    cairo_curve_to(cr, -3, -1, -1, -1.5, 2, -1.5);
    for (double x = 2; x < width - 2; x += 12) {
        double next = std::fmin(x + 12, width - 2);
        cairo_curve_to(cr, x + 4, -1.5 - noise.range(0, 1.5), next - 4, -1.5 - noise.range(0, 1.5), next, -1.5);
    }
    cairo_curve_to(cr, width + 1, -1.5, width + 3, -1, width + 3, 3);
    cairo_curve_to(cr, width + 3.5, 12, width + 2, 21, width - 2, 25);
    bumpyEdge(cr, 2, width - 2, 25, 1.5, noise);
    cairo_curve_to(cr, -2, 21, -3.5, 12, -3, 3);
    cairo_close_path(cr);
    fillAndOutline(cr, sand, -2, 27, 1.3);
    // Packed layers of darker sand.
    for (double y : {8.0, 14.5, 20.0}) {
        double phase = noise.range(0, 6);
        cairo_move_to(cr, 0, y);
        for (double x = 0; x <= width; x += 3)
            cairo_line_to(cr, x, y + std::sin((x + phase * 4) / (variantB ? 5.0 : 7.0)) * 1.1);
    }
    setColor(cr, withAlpha(darker(sand, 0.25), 0.55));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Wind ripples on the surface.
    int ripples = cells * 2;
    for (int i = 0; i < ripples; ++i) {
        double x = noise.range(2, width - 6);
        double y = noise.range(1, 4);
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + 1.5, y - 1, x + 3, y - 1, x + 4.5, y);
    }
    setColor(cr, withAlpha(darker(sand, 0.2), 0.7));
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    soilSpeckles(cr, width, sand, 5, 23, noise);
    // A pebble or a shell here and there.
    int pebbles = variantB ? cells + 1 : (cells + 1) / 2;
    for (int i = 0; i < pebbles; ++i) {
        double x = noise.range(3, width - 3);
        double y = noise.range(6, 21);
        ellipsePath(cr, x, y, 1.8, 1.2);
        fillAndOutline(cr, noise.next() < 0.5 ? palette::metal : lighter(palette::soil, 0.3), y - 1.2, y + 1.2, 0.6);
    }
    drawHighlight(cr, width / 2, 0.2, width / 2 - 3, 0.8, 0.35);
}

// One ice block; with open set, icicles hang from its underside.
void iceBlock(cairo_t* cr, int look, bool open)
{
    Noise noise(static_cast<uint32_t>(look * 31 + (open ? 7 : 900)));
    if (open) {
        // Icicles first, so the block's outline closes over their roots.
        int count = 2 + look % 3;
        for (int i = 0; i < count; ++i) {
            double x = 3 + (i + noise.range(0.1, 0.9)) * (18.0 / count);
            double length = noise.range(4.5, 9.5);
            double half = noise.range(1.8, 2.6);
            cairo_move_to(cr, x - half, 23);
            cairo_curve_to(cr, x - half * 0.6, 23 + length * 0.5, x - 0.3, 23 + length * 0.8, x, 23 + length);
            cairo_curve_to(cr, x + 0.3, 23 + length * 0.8, x + half * 0.6, 23 + length * 0.5, x + half, 23);
            cairo_close_path(cr);
            fillShaded(cr, lighter(palette::ice, 0.2), 23, 23 + length);
            setColor(cr, {0.30, 0.52, 0.70});
            cairo_set_line_width(cr, 0.9);
            cairo_stroke(cr);
        }
    }
    roundedRect(cr, -1, -1, 26, 25, 3);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, -1, 10, 24);
    cairo_pattern_add_color_stop_rgb(body, 0, 0.86, 0.97, 1.0);
    cairo_pattern_add_color_stop_rgb(body, 0.55, palette::ice.r, palette::ice.g, palette::ice.b);
    cairo_pattern_add_color_stop_rgb(body, 1, 0.50, 0.74, 0.92);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    strokeOutline(cr, 1.3);
    // Facets: a paler upper face and a bright rim.
    cairo_move_to(cr, 1, 5);
    cairo_line_to(cr, 23, 4 + noise.range(-1, 1));
    setColor(cr, withAlpha(palette::white, 0.35));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, 1.2, 18);
    cairo_line_to(cr, 1.2, 2.5);
    cairo_curve_to(cr, 1.2, 1.2, 1.8, 0.6, 3.2, 0.6);
    cairo_line_to(cr, 18, 0.6);
    setColor(cr, withAlpha(palette::white, 0.9));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Cracks, different in every block.
    double cx = noise.range(8, 17), cy = noise.range(9, 17);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + noise.range(3, 7), cy - noise.range(3, 7));
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx - noise.range(3, 7), cy + noise.range(1, 5));
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + noise.range(-2, 3), cy + noise.range(4, 7));
    setColor(cr, withAlpha({0.30, 0.55, 0.78}, 0.75));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_move_to(cr, 5, 20 - noise.range(0, 4));
    cairo_line_to(cr, 11, 10 - noise.range(0, 4));
    setColor(cr, withAlpha(palette::white, 0.5));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // A cap of frost on top.
    cairo_move_to(cr, -0.5, 0.5);
    for (double x = -0.5; x <= 24.5; x += 4)
        cairo_line_to(cr, x + 2, 0.5 + noise.range(0.8, 2.2));
    cairo_line_to(cr, 24.5, 0.5);
    cairo_curve_to(cr, 24.5, -1.5, 22, -1.8, 20, -1.8);
    cairo_line_to(cr, 3, -1.8);
    cairo_curve_to(cr, 1, -1.8, -0.5, -1.5, -0.5, 0.5);
    cairo_close_path(cr);
    setColor(cr, withAlpha(palette::white, 0.85));
    cairo_fill(cr);
}

void registerTerrain(Registry& registry, const char* family)
{
    // A run picture reaches 10 pixels past both ends of the run.
    const struct {
        const char* name;
        int originX, originY, height;
        void (*run)(cairo_t*, int, bool);
    } grounds[] = {{"grass", kGrassX, kGrassY, 52, grassRun}, {"sand", kSandX, kSandY, 48, sandRun}};
    for (const auto& ground : grounds)
        for (bool variantB : {false, true})
            for (int cells = 1; cells <= (variantB ? 5 : 32); ++cells) {
                Placement place{ground.originX, ground.originY, cells * 24 + 20, ground.height};
                auto run = ground.run;
                addPlaced(registry, family, seriesName(ground.name, cells, variantB ? "b.png" : ".png"), place,
                          [=](cairo_t* cr) { run(cr, cells, variantB); });
            }
    addPlacedSeries(registry, family, "ice", 1, 10, ".png", {kIceX, kIceY, 30, 42},
                    [](cairo_t* cr, int look) { iceBlock(cr, look, true); });
    addPlacedSeries(registry, family, "ice", 1, 2, "b.png", {kIceX, kIceY, 30, 34},
                    [](cairo_t* cr, int look) { iceBlock(cr, look, false); });
}

FamilyRegistration terrain("terrain", registerTerrain);

} // namespace
