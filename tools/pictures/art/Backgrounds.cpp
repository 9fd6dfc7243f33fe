// The eight scenes behind the board: a laboratory, a meadow, a desert, a
// glacier, a volcano, a night sky, a workshop and a seaside. They are soft
// and a little hazy on purpose, so that the outlined pieces on the board
// stand out in front of them.
#include "ArtKit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using namespace art;

constexpr double kWidth = 800, kHeight = 600;

void verticalGradient(cairo_t* cr, double y0, double y1, const std::vector<Color>& stops)
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
    for (size_t i = 0; i < stops.size(); ++i) {
        const Color& c = stops[i];
        cairo_pattern_add_color_stop_rgba(gradient, i / double(stops.size() - 1), c.r, c.g, c.b, c.a);
    }
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

void sky(cairo_t* cr, const std::vector<Color>& stops, double bottom = kHeight)
{
    cairo_rectangle(cr, 0, 0, kWidth, bottom);
    verticalGradient(cr, 0, bottom, stops);
}

// A line of hills: gentle waves round baseY.
void hills(cairo_t* cr, double baseY, double amplitude, double wavelength, uint32_t seed, Color fill)
{
    Noise noise(seed);
    double p1 = noise.range(0, 6), p2 = noise.range(0, 6), p3 = noise.range(0, 6);
    cairo_move_to(cr, 0, kHeight);
    for (double x = 0; x <= kWidth; x += 8) {
        double y = baseY - amplitude * (0.6 * std::sin(x / wavelength + p1) + 0.3 * std::sin(x / (wavelength * 0.45) + p2) +
                                        0.1 * std::sin(x / (wavelength * 0.2) + p3));
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, kWidth, kHeight);
    cairo_close_path(cr);
    verticalGradient(cr, baseY - amplitude, kHeight, {lighter(fill, 0.08), darker(fill, 0.08)});
}

// A range of peaks; the tops above snowLine (if any) are white.
void mountains(cairo_t* cr, double baseY, double height, int peaks, uint32_t seed, Color fill, double snowLine = -1)
{
    Noise noise(seed);
    std::vector<double> px, ph, ps;
    for (int i = 0; i < peaks; ++i) {
        px.push_back((i + noise.range(0.1, 0.9)) * kWidth / peaks);
        ph.push_back(height * noise.range(0.55, 1));
        ps.push_back(noise.range(0.6, 1.1));
    }
    auto ridgeY = [&](double x) {
        double top = 0;
        for (int i = 0; i < peaks; ++i)
            top = std::max(top, ph[i] - std::fabs(x - px[i]) * ps[i]);
        return baseY - top;
    };
    cairo_move_to(cr, 0, kHeight);
    for (double x = 0; x <= kWidth; x += 4)
        cairo_line_to(cr, x, ridgeY(x));
    cairo_line_to(cr, kWidth, kHeight);
    cairo_close_path(cr);
    verticalGradient(cr, baseY - height, kHeight, {lighter(fill, 0.1), darker(fill, 0.1)});
    if (snowLine < 0)
        return;
    // Snow caps with a ragged lower edge.
    cairo_move_to(cr, 0, snowLine);
    for (double x = 0; x <= kWidth; x += 4) {
        double ragged = snowLine + 6 * std::sin(x * 0.11) + 4 * std::sin(x * 0.037);
        cairo_line_to(cr, x, std::max(ridgeY(x), ragged));
    }
    for (double x = kWidth; x >= 0; x -= 4)
        cairo_line_to(cr, x, ridgeY(x));
    cairo_close_path(cr);
    setColor(cr, {0.96, 0.98, 1.0, 0.95});
    cairo_fill(cr);
}

void cloud(cairo_t* cr, double x, double y, double size, Color c)
{
    const double blobs[][3] = {{0, 0, 1}, {-0.9, 0.25, 0.7}, {0.95, 0.2, 0.75}, {-0.4, -0.35, 0.75}, {0.45, -0.3, 0.7}};
    for (const auto& b : blobs)
        drawPuff(cr, x + b[0] * size, y + b[1] * size, b[2] * size * 1.1, c);
}

void clouds(cairo_t* cr, int count, double top, double bottom, uint32_t seed, Color c)
{
    Noise noise(seed);
    for (int i = 0; i < count; ++i)
        cloud(cr, noise.range(0, kWidth), noise.range(top, bottom), noise.range(18, 34), c);
}

void sun(cairo_t* cr, double x, double y, double radius, Color c)
{
    drawSoftGlow(cr, x, y, radius * 4, withAlpha(c, 0.45));
    ellipsePath(cr, x, y, radius, radius);
    setColor(cr, lighter(c, 0.4));
    cairo_fill(cr);
}

void stars(cairo_t* cr, int count, double bottom, uint32_t seed)
{
    Noise noise(seed);
    for (int i = 0; i < count; ++i) {
        double x = noise.range(0, kWidth), y = noise.range(0, bottom);
        double r = noise.range(0.5, 1.6);
        ellipsePath(cr, x, y, r, r);
        cairo_set_source_rgba(cr, 1, 1, 0.9, noise.range(0.4, 0.95));
        cairo_fill(cr);
    }
}

void tree(cairo_t* cr, double x, double ground, double size, Color leaves)
{
    cairo_rectangle(cr, x - size * 0.12, ground - size * 0.9, size * 0.24, size * 0.9);
    setColor(cr, darker(palette::woodDark, 0.1));
    cairo_fill(cr);
    for (int i = 0; i < 3; ++i) {
        ellipsePath(cr, x + (i - 1) * size * 0.35, ground - size * (1.1 + (i == 1 ? 0.35 : 0)), size * 0.5, size * 0.45);
        setColor(cr, i == 1 ? lighter(leaves, 0.08) : leaves);
        cairo_fill(cr);
    }
}

void palm(cairo_t* cr, double x, double ground, double height, Color c)
{
    cairo_move_to(cr, x, ground);
    cairo_curve_to(cr, x + 5, ground - height * 0.5, x + 18, ground - height * 0.8, x + 26, ground - height);
    setColor(cr, darker(c, 0.1));
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
    double tx = x + 26, ty = ground - height;
    // Fronds arch out and droop; each is a long leaf, widest in its middle.
    for (int i = 0; i < 6; ++i) {
        double a = -M_PI * 0.95 + i * M_PI * 0.38;
        double dx = std::cos(a), dy = std::sin(a);
        double ex = tx + dx * 52, ey = ty + dy * 20 + 26;
        double mx = tx + dx * 30, my = ty + dy * 24 - 6;
        cairo_move_to(cr, tx, ty);
        cairo_curve_to(cr, mx - dy * 7, my - 7, ex - dx * 10, ey - 12, ex, ey);
        cairo_curve_to(cr, ex - dx * 14, ey - 2, mx + dy * 7, my + 6, tx, ty + 3);
        cairo_close_path(cr);
    }
    setColor(cr, c);
    cairo_fill(cr);
}

// Soften a finished scene so the board reads in front of it.
void haze(cairo_t* cr, Color c, double amount)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, amount);
    cairo_paint(cr);
}

void laboratory(cairo_t* cr)
{
    sky(cr, {{0.62, 0.72, 0.74}, {0.74, 0.80, 0.78}});
    // Tiled wainscot on the lower wall.
    cairo_rectangle(cr, 0, 380, kWidth, 220);
    setColor(cr, {0.70, 0.78, 0.76});
    cairo_fill(cr);
    for (double y = 380; y < kHeight; y += 28) {
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, kWidth, y);
    }
    for (double x = 0; x < kWidth; x += 28) {
        cairo_move_to(cr, x, 380);
        cairo_line_to(cr, x, kHeight);
    }
    setColor(cr, {0.60, 0.68, 0.67});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Pipes along the ceiling.
    for (double y : {30.0, 52.0}) {
        cairo_rectangle(cr, 0, y, kWidth, 12);
        verticalGradient(cr, y, y + 12, {{0.72, 0.70, 0.64}, {0.52, 0.50, 0.46}});
    }
    // A chalkboard of sums.
    roundedRect(cr, 430, 110, 300, 170, 6);
    setColor(cr, {0.55, 0.42, 0.30});
    cairo_fill(cr);
    cairo_rectangle(cr, 442, 122, 276, 146);
    setColor(cr, {0.24, 0.36, 0.32});
    cairo_fill(cr);
    Noise noise(8);
    for (int line = 0; line < 5; ++line) {
        double y = 145 + line * 25;
        double x = 458;
        cairo_move_to(cr, x, y);
        while (x < 690) {
            double step = noise.range(6, 14);
            cairo_curve_to(cr, x + step * 0.3, y - noise.range(2, 8), x + step * 0.7, y + noise.range(2, 6), x + step, y);
            x += step;
            if (noise.next() < 0.15) {
                x += 12;
                cairo_move_to(cr, x, y);
            }
        }
    }
    cairo_set_source_rgba(cr, 0.92, 0.95, 0.90, 0.7);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // Shelves of flasks.
    for (double y : {200.0, 320.0}) {
        cairo_rectangle(cr, 40, y, 330, 10);
        setColor(cr, {0.55, 0.42, 0.30});
        cairo_fill(cr);
        for (int i = 0; i < 6; ++i) {
            double x = 70 + i * 52;
            double h = noise.range(30, 55);
            Color liquid = i % 3 == 0 ? Color{0.55, 0.75, 0.55} : (i % 3 == 1 ? Color{0.80, 0.55, 0.55} : Color{0.55, 0.65, 0.85});
            cairo_move_to(cr, x - 4, y - h);
            cairo_line_to(cr, x + 4, y - h);
            cairo_line_to(cr, x + 4, y - h * 0.55);
            cairo_line_to(cr, x + 16, y);
            cairo_line_to(cr, x - 16, y);
            cairo_line_to(cr, x - 4, y - h * 0.55);
            cairo_close_path(cr);
            cairo_set_source_rgba(cr, 0.90, 0.95, 0.95, 0.7);
            cairo_fill(cr);
            cairo_move_to(cr, x - 10, y - h * 0.35);
            cairo_line_to(cr, x + 10, y - h * 0.35);
            cairo_line_to(cr, x + 16, y);
            cairo_line_to(cr, x - 16, y);
            cairo_close_path(cr);
            setColor(cr, liquid);
            cairo_fill(cr);
        }
    }
    haze(cr, {0.85, 0.90, 0.88}, 0.25);
}

void meadow(cairo_t* cr)
{
    sky(cr, {{0.50, 0.74, 0.94}, {0.80, 0.90, 0.96}});
    sun(cr, 640, 110, 34, {1.0, 0.92, 0.60});
    clouds(cr, 7, 60, 230, 12, {1, 1, 1, 0.8});
    hills(cr, 360, 40, 140, 1, {0.55, 0.70, 0.78});
    hills(cr, 420, 35, 110, 2, {0.52, 0.74, 0.46});
    Noise noise(3);
    for (int i = 0; i < 9; ++i)
        tree(cr, noise.range(20, 780), 440 + noise.range(0, 20), noise.range(26, 40), {0.36, 0.58, 0.34});
    hills(cr, 500, 25, 90, 4, {0.48, 0.72, 0.38});
    for (int i = 0; i < 60; ++i) {
        ellipsePath(cr, noise.range(0, kWidth), noise.range(500, kHeight), 2.2, 2.2);
        setColor(cr, noise.next() < 0.5 ? Color{1, 1, 1, 0.8} : Color{1, 0.85, 0.4, 0.8});
        cairo_fill(cr);
    }
    haze(cr, {0.92, 0.96, 0.98}, 0.22);
}

void desert(cairo_t* cr)
{
    sky(cr, {{0.62, 0.78, 0.92}, {0.98, 0.86, 0.66}});
    sun(cr, 170, 120, 40, {1.0, 0.88, 0.55});
    // Flat-topped mesas.
    Noise noise(21);
    for (int i = 0; i < 3; ++i) {
        double x = 80 + i * 260 + noise.range(0, 80), w = noise.range(120, 200), h = noise.range(90, 150);
        cairo_move_to(cr, x - 30, 420);
        cairo_line_to(cr, x, 420 - h);
        cairo_line_to(cr, x + w, 420 - h);
        cairo_line_to(cr, x + w + 30, 420);
        cairo_close_path(cr);
        verticalGradient(cr, 420 - h, 420, {{0.86, 0.58, 0.42}, {0.78, 0.50, 0.36}});
    }
    hills(cr, 440, 22, 160, 22, {0.94, 0.80, 0.56});
    for (int i = 0; i < 5; ++i) {
        double x = noise.range(40, 760), ground = 470 + noise.range(0, 30);
        roundedRect(cr, x - 6, ground - 60, 12, 60, 6);
        roundedRect(cr, x - 24, ground - 42, 10, 24, 5);
        roundedRect(cr, x + 14, ground - 50, 10, 26, 5);
        cairo_rectangle(cr, x - 20, ground - 24, 40, 8);
        setColor(cr, {0.45, 0.62, 0.40});
        cairo_fill(cr);
    }
    hills(cr, 520, 20, 120, 23, {0.96, 0.84, 0.60});
    haze(cr, {0.98, 0.92, 0.82}, 0.22);
}

void glacier(cairo_t* cr)
{
    sky(cr, {{0.66, 0.80, 0.94}, {0.90, 0.95, 0.99}});
    clouds(cr, 5, 40, 160, 31, {1, 1, 1, 0.7});
    mountains(cr, 380, 250, 6, 32, {0.66, 0.74, 0.86}, 230);
    mountains(cr, 440, 170, 7, 33, {0.72, 0.82, 0.92}, 330);
    hills(cr, 480, 20, 130, 34, {0.86, 0.93, 0.98});
    // Cracks in the ice sheet.
    Noise noise(35);
    for (int i = 0; i < 12; ++i) {
        double x = noise.range(0, kWidth), y = noise.range(500, 590);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + noise.range(20, 60), y + noise.range(-6, 6));
    }
    setColor(cr, {0.62, 0.78, 0.90, 0.8});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    haze(cr, {0.95, 0.98, 1.0}, 0.2);
}

void volcano(cairo_t* cr)
{
    sky(cr, {{0.38, 0.30, 0.44}, {0.80, 0.50, 0.40}, {0.95, 0.72, 0.50}});
    mountains(cr, 430, 120, 5, 41, {0.42, 0.34, 0.40});
    // The cone, its glowing mouth and a lava run.
    cairo_move_to(cr, 220, 470);
    cairo_line_to(cr, 370, 200);
    cairo_line_to(cr, 450, 200);
    cairo_line_to(cr, 620, 470);
    cairo_close_path(cr);
    verticalGradient(cr, 200, 470, {{0.40, 0.30, 0.32}, {0.30, 0.24, 0.26}});
    drawSoftGlow(cr, 410, 200, 90, {1.0, 0.55, 0.2, 0.55});
    cairo_move_to(cr, 400, 202);
    cairo_curve_to(cr, 395, 260, 430, 300, 420, 380);
    cairo_set_source_rgba(cr, 1.0, 0.55, 0.18, 0.8);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    for (int i = 0; i < 9; ++i)
        drawPuff(cr, 410 + std::sin(i * 1.3) * 18 + i * 12, 170 - i * 22, 26 + i * 5, {0.42, 0.38, 0.42, 0.55});
    hills(cr, 500, 25, 100, 42, {0.34, 0.28, 0.30});
    haze(cr, {0.92, 0.80, 0.75}, 0.15);
}

void night(cairo_t* cr)
{
    sky(cr, {{0.08, 0.12, 0.28}, {0.20, 0.28, 0.48}});
    stars(cr, 160, 420, 51);
    drawSoftGlow(cr, 600, 120, 110, {0.85, 0.90, 1.0, 0.35});
    ellipsePath(cr, 600, 120, 36, 36);
    setColor(cr, {0.96, 0.96, 0.88});
    cairo_fill(cr);
    ellipsePath(cr, 588, 110, 7, 7);
    ellipsePath(cr, 612, 132, 5, 5);
    setColor(cr, {0.86, 0.86, 0.78});
    cairo_fill(cr);
    clouds(cr, 4, 180, 280, 52, {0.55, 0.60, 0.78, 0.35});
    hills(cr, 430, 40, 150, 53, {0.16, 0.22, 0.36});
    // A village far off, a few windows still lit.
    Noise noise(54);
    for (int i = 0; i < 7; ++i) {
        double x = 120 + i * 80 + noise.range(-20, 20), ground = 440;
        cairo_move_to(cr, x - 18, ground);
        cairo_line_to(cr, x - 18, ground - 26);
        cairo_line_to(cr, x, ground - 42);
        cairo_line_to(cr, x + 18, ground - 26);
        cairo_line_to(cr, x + 18, ground);
        cairo_close_path(cr);
        setColor(cr, {0.13, 0.17, 0.28});
        cairo_fill(cr);
        if (noise.next() < 0.6) {
            cairo_rectangle(cr, x - 5, ground - 20, 8, 8);
            setColor(cr, {1.0, 0.85, 0.45, 0.85});
            cairo_fill(cr);
        }
    }
    hills(cr, 500, 25, 110, 55, {0.12, 0.18, 0.30});
    for (int i = 0; i < 25; ++i)
        drawSoftGlow(cr, noise.range(0, kWidth), noise.range(470, 590), 4, {0.85, 1.0, 0.5, 0.7});
    haze(cr, {0.30, 0.36, 0.55}, 0.12);
}

void workshop(cairo_t* cr)
{
    // Plank wall.
    Noise noise(61);
    for (double x = 0; x < kWidth; x += 56) {
        cairo_rectangle(cr, x, 0, 56, kHeight);
        double shade = noise.range(-0.05, 0.05);
        verticalGradient(cr, 0, kHeight, {{0.72 + shade, 0.56 + shade, 0.40 + shade}, {0.60 + shade, 0.45 + shade, 0.32 + shade}});
        cairo_move_to(cr, x + 0.5, 0);
        cairo_line_to(cr, x + 0.5, kHeight);
        setColor(cr, {0.50, 0.37, 0.26});
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    // A window with daylight.
    roundedRect(cr, 520, 70, 200, 160, 6);
    setColor(cr, {0.50, 0.37, 0.26});
    cairo_fill(cr);
    cairo_rectangle(cr, 532, 82, 176, 136);
    verticalGradient(cr, 82, 218, {{0.62, 0.80, 0.95}, {0.85, 0.92, 0.96}});
    cairo_rectangle(cr, 617, 82, 6, 136);
    cairo_rectangle(cr, 532, 147, 176, 6);
    setColor(cr, {0.50, 0.37, 0.26});
    cairo_fill(cr);
    // Pegboard of tools.
    roundedRect(cr, 60, 90, 380, 220, 4);
    setColor(cr, {0.78, 0.66, 0.50});
    cairo_fill(cr);
    for (double y = 104; y < 300; y += 18)
        for (double x = 74; x < 430; x += 18) {
            ellipsePath(cr, x, y, 1.6, 1.6);
            setColor(cr, {0.58, 0.46, 0.34});
            cairo_fill(cr);
        }
    Color tool{0.48, 0.52, 0.56};
    // Hammer, wrench, saw, screwdriver.
    cairo_rectangle(cr, 110, 130, 10, 120);
    cairo_rectangle(cr, 92, 120, 46, 20);
    setColor(cr, tool);
    cairo_fill(cr);
    cairo_move_to(cr, 190, 130);
    cairo_line_to(cr, 200, 250);
    cairo_set_line_width(cr, 10);
    cairo_stroke(cr);
    ellipsePath(cr, 189, 125, 14, 14);
    cairo_fill(cr);
    cairo_move_to(cr, 250, 130);
    cairo_line_to(cr, 330, 130);
    cairo_line_to(cr, 330, 170);
    cairo_line_to(cr, 250, 150);
    cairo_close_path(cr);
    cairo_fill(cr);
    roundedRect(cr, 230, 122, 24, 34, 6);
    setColor(cr, {0.70, 0.45, 0.35});
    cairo_fill(cr);
    roundedRect(cr, 370, 130, 14, 50, 5);
    cairo_fill(cr);
    cairo_rectangle(cr, 375, 180, 4, 60);
    setColor(cr, tool);
    cairo_fill(cr);
    // The workbench.
    cairo_rectangle(cr, 0, 470, kWidth, 26);
    verticalGradient(cr, 470, 496, {{0.62, 0.46, 0.30}, {0.50, 0.36, 0.24}});
    cairo_rectangle(cr, 0, 496, kWidth, 104);
    setColor(cr, {0.44, 0.33, 0.24});
    cairo_fill(cr);
    drawSoftGlow(cr, 620, 150, 260, {1.0, 0.95, 0.80, 0.25});
    haze(cr, {0.92, 0.86, 0.78}, 0.2);
}

void seaside(cairo_t* cr)
{
    sky(cr, {{0.48, 0.74, 0.94}, {0.86, 0.93, 0.97}});
    sun(cr, 560, 100, 30, {1.0, 0.94, 0.70});
    clouds(cr, 5, 70, 200, 71, {1, 1, 1, 0.8});
    // The sea with an island on the horizon.
    cairo_rectangle(cr, 0, 360, kWidth, 240);
    verticalGradient(cr, 360, 600, {{0.36, 0.62, 0.80}, {0.44, 0.72, 0.84}});
    ellipsePath(cr, 200, 362, 90, 22);
    setColor(cr, {0.50, 0.66, 0.62});
    cairo_fill(cr);
    Noise noise(72);
    for (int i = 0; i < 40; ++i) {
        double x = noise.range(0, kWidth), y = noise.range(375, 470);
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + 6, y - 3, x + 12, y - 3, x + 18, y);
    }
    setColor(cr, {1, 1, 1, 0.55});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Gulls.
    for (int i = 0; i < 4; ++i) {
        double x = 300 + i * 70 + noise.range(-20, 20), y = 150 + noise.range(-30, 40);
        cairo_move_to(cr, x - 9, y);
        cairo_curve_to(cr, x - 5, y - 5, x - 2, y - 4, x, y);
        cairo_curve_to(cr, x + 2, y - 4, x + 5, y - 5, x + 9, y);
    }
    setColor(cr, {0.35, 0.40, 0.48});
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    hills(cr, 500, 14, 140, 73, {0.96, 0.88, 0.68});
    palm(cr, 80, 520, 170, {0.32, 0.58, 0.40});
    palm(cr, 700, 530, 140, {0.34, 0.60, 0.42});
    haze(cr, {0.94, 0.97, 0.99}, 0.2);
}

// The debugging grid laid over a background: the board's 32 x 24 cells of
// 24 pixels in thin lines, every fourth line stronger. Its sprite puts the
// picture's corner at (14, 13) on the screen and the board's cells start at
// (15, 15), so the lines lie one pixel left of a column and one pixel above
// a row: the horizontal ones one pixel lower in the picture.
constexpr int gridRowsTop = 1;

void boardGrid(cairo_t* cr)
{
    cairo_set_line_width(cr, 1);
    for (int column = 0; column <= 32; ++column) {
        cairo_move_to(cr, column * 24 + 0.5, gridRowsTop);
        cairo_line_to(cr, column * 24 + 0.5, gridRowsTop + 24 * 24);
        setColor(cr, Color{1, 1, 1, column % 4 == 0 ? 0.45 : 0.2});
        cairo_stroke(cr);
    }
    for (int row = 0; row <= 24; ++row) {
        cairo_move_to(cr, 0, gridRowsTop + row * 24 + 0.5);
        cairo_line_to(cr, 32 * 24, gridRowsTop + row * 24 + 0.5);
        setColor(cr, Color{1, 1, 1, row % 4 == 0 ? 0.45 : 0.2});
        cairo_stroke(cr);
    }
}

void registerBackgrounds(Registry& registry, const char* family)
{
    void (*scenes[])(cairo_t*) = {laboratory, meadow, desert, glacier, volcano, night, workshop, seaside};
    for (int i = 0; i < 8; ++i)
        addPicture(registry, family, seriesName("background", i, ".jpg"), 800, 600, scenes[i]);
    addPicture(registry, family, "grid.png", 32 * 24 + 1, gridRowsTop + 24 * 24 + 1, boardGrid);
}

FamilyRegistration backgrounds("backgrounds", registerBackgrounds);

} // namespace
