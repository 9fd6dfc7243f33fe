#include "Scenery.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

double Rng::next()
{
    // xorshift32
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return (state_ & 0xffffff) / double(0x1000000);
}

namespace {

constexpr Color rock{0.55, 0.43, 0.38};
constexpr Color lavaHot{1.00, 0.80, 0.30};
constexpr Color lavaDeep{0.62, 0.16, 0.06};

void conePath(cairo_t* cr, double cx, double rimY, double depth)
{
    const int steps = 24;
    cairo_new_path(cr);
    for (int i = steps; i >= 0; --i) {
        double below = depth * i / steps;
        cairo_line_to(cr, cx - volcanoHalfWidth(below), rimY + below);
    }
    // The back lip of the crater closes the outline at the top.
    cairo_save(cr);
    cairo_translate(cr, cx, rimY);
    cairo_scale(cr, volcanoRimRadius, 9);
    cairo_arc(cr, 0, 0, 1, M_PI, 2 * M_PI);
    cairo_restore(cr);
    for (int i = 0; i <= steps; ++i) {
        double below = depth * i / steps;
        cairo_line_to(cr, cx + volcanoHalfWidth(below), rimY + below);
    }
    cairo_close_path(cr);
}

void drawGully(cairo_t* cr, double cx, double rimY, double start, double depth, double side, double bend)
{
    // A groove running down the slope, from the rim outwards.
    double x0 = cx + side * volcanoHalfWidth(start) * 0.9;
    double y0 = rimY + start + 4;
    double x1 = cx + side * volcanoHalfWidth(depth) * 0.95 + bend;
    double y1 = rimY + depth;
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x0 + bend * 0.2, y0 + (y1 - y0) * 0.35, x1 - bend * 0.5, y0 + (y1 - y0) * 0.7, x1, y1);
}

} // namespace

double volcanoHalfWidth(double below)
{
    return volcanoRimRadius + 0.7 * below + 0.002 * below * below;
}

void drawVolcano(cairo_t* cr, double cx, double rimY, double depth)
{
    cairo_save(cr);
    conePath(cr, cx, rimY, depth);
    // Lit from the upper left: light on the left flank, shade on the right.
    double reach = volcanoHalfWidth(depth);
    cairo_pattern_t* side = cairo_pattern_create_linear(cx - reach, 0, cx + reach, 0);
    Color light = lighter(rock, 0.22), dark = darker(rock, 0.30);
    cairo_pattern_add_color_stop_rgb(side, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(side, 0.45, rock.r, rock.g, rock.b);
    cairo_pattern_add_color_stop_rgb(side, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, side);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(side);
    // Warm light from the crater on the upper slopes.
    fillLinear(cr, 0, rimY, 0, rimY + 70, Color{0.95, 0.45, 0.20, 0.45}, Color{0.95, 0.45, 0.20, 0});

    cairo_clip(cr);
    // Grooves down the flanks.
    struct Groove { double start, side, bend, alpha; };
    const Groove grooves[] = {{4, -0.55, -10, 0.35}, {10, -0.15, -4, 0.30}, {6, 0.25, 6, 0.35},
                              {14, 0.65, 14, 0.30}, {30, -0.85, -16, 0.25}, {26, 0.9, 18, 0.25}};
    for (const Groove& g : grooves) {
        drawGully(cr, cx, rimY, g.start, depth, g.side, g.bend);
        setColor(cr, withAlpha(darker(rock, 0.5), g.alpha));
        cairo_set_line_width(cr, 2.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        cairo_save(cr);
        cairo_translate(cr, -2.2, 0);
        drawGully(cr, cx, rimY, g.start, depth, g.side, g.bend);
        cairo_restore(cr);
        setColor(cr, withAlpha(lighter(rock, 0.5), g.alpha * 0.7));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    // Two friendly trickles of lava over the front lip.
    const double trickles[][3] = {{-14, 30, -3}, {9, 22, 4}};
    for (const auto& t : trickles) {
        double x = cx + t[0], y = rimY + 7;
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + t[2], y + t[1] * 0.4, x - t[2], y + t[1] * 0.7, x + t[2] * 0.5, y + t[1]);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 7);
        setColor(cr, withAlpha(palette::heat, 0.30));
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 3.2);
        setColor(cr, palette::heat);
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 1.2);
        setColor(cr, lavaHot);
        cairo_stroke(cr);
    }
    cairo_reset_clip(cr);

    // Outline of the flanks and the back lip (the base continues into the scene).
    const int steps = 24;
    cairo_new_path(cr);
    for (int i = steps; i >= 0; --i)
        cairo_line_to(cr, cx - volcanoHalfWidth(depth * i / steps), rimY + depth * i / steps);
    cairo_save(cr);
    cairo_translate(cr, cx, rimY);
    cairo_scale(cr, volcanoRimRadius, 9);
    cairo_arc(cr, 0, 0, 1, M_PI, 2 * M_PI);
    cairo_restore(cr);
    for (int i = 0; i <= steps; ++i)
        cairo_line_to(cr, cx + volcanoHalfWidth(depth * i / steps), rimY + depth * i / steps);
    strokeOutline(cr, 2.4);

    // The crater: a glowing lava lake inside the rim, a lighter front lip.
    ellipsePath(cr, cx, rimY + 0.5, volcanoRimRadius - 4, 6.5);
    cairo_pattern_t* lava = cairo_pattern_create_radial(cx, rimY + 2, 2, cx, rimY + 1, volcanoRimRadius - 4);
    cairo_pattern_add_color_stop_rgb(lava, 0, lavaHot.r, lavaHot.g, lavaHot.b);
    cairo_pattern_add_color_stop_rgb(lava, 0.55, palette::heat.r, palette::heat.g, palette::heat.b);
    cairo_pattern_add_color_stop_rgb(lava, 1, lavaDeep.r, lavaDeep.g, lavaDeep.b);
    cairo_set_source(cr, lava);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(lava);
    strokeOutline(cr, 1.6);
    cairo_save(cr);
    cairo_translate(cr, cx, rimY);
    cairo_scale(cr, volcanoRimRadius - 2, 8);
    cairo_arc(cr, 0, 0, 1, 0.12 * M_PI, 0.88 * M_PI);
    cairo_restore(cr);
    setColor(cr, lighter(rock, 0.35));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawCloud(cairo_t* cr, double x, double y, double w, double h, uint32_t seed, double opacity)
{
    Rng rng(seed);
    struct Puff { double cx, cy, r; };
    std::vector<Puff> puffs;
    double base = y + h * 0.78;
    // A row of bumps along a flat base, the middle ones tallest.
    int count = 3 + static_cast<int>(w / 42);
    for (int i = 0; i < count; ++i) {
        double t = (i + 0.5) / count;
        double hump = std::sin(t * M_PI);
        double r = h * (0.22 + 0.30 * hump) * rng.range(0.85, 1.1);
        double cx = x + w * (0.1 + 0.8 * t) + rng.range(-4, 4);
        double cy = base - r * rng.range(0.35, 0.75) - hump * h * 0.12;
        puffs.push_back({cx, cy, r});
    }
    cairo_push_group(cr);
    auto shape = [&]() {
        cairo_new_path(cr);
        for (const Puff& p : puffs) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, p.cx, p.cy, p.r, 0, 2 * M_PI);
        }
        roundedRect(cr, x + w * 0.1, base - h * 0.25, w * 0.8, h * 0.25 + 0.5, h * 0.12);
    };
    // Outline first, then the body over it: only the outer edge stays.
    shape();
    cairo_set_source_rgb(cr, 0.56, 0.62, 0.76);
    cairo_set_line_width(cr, 3.2);
    cairo_stroke(cr);
    shape();
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, y, 0, base);
    cairo_pattern_add_color_stop_rgb(body, 0, 1, 1, 1);
    cairo_pattern_add_color_stop_rgb(body, 0.55, 0.99, 0.97, 0.95);
    cairo_pattern_add_color_stop_rgb(body, 1, 0.96, 0.84, 0.80);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // Sunlit tops.
    for (const Puff& p : puffs)
        drawHighlight(cr, p.cx - p.r * 0.25, p.cy - p.r * 0.45, p.r * 0.45, p.r * 0.22, 0.55);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, opacity);
}

void drawFrond(cairo_t* cr, double x, double y, double angle, double length, double width, double droop, Color color)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    // Along +x, sagging by droop at the tip (positive: down on screen for a
    // rightward frond).
    auto spine = [&](double t, double& sx, double& sy) {
        sx = length * t;
        sy = droop * t * t;
    };
    const int steps = 14;
    cairo_new_path(cr);
    for (int i = 0; i <= steps; ++i) {
        double t = double(i) / steps, sx, sy;
        spine(t, sx, sy);
        double half = width * std::sin(M_PI * std::pow(t, 0.7)) * 0.5;
        // Serrated edge: every other point pulled in.
        if (i % 2 == 1 && i < steps)
            half *= 0.55;
        cairo_line_to(cr, sx, sy - half);
    }
    for (int i = steps; i >= 0; --i) {
        double t = double(i) / steps, sx, sy;
        spine(t, sx, sy);
        double half = width * std::sin(M_PI * std::pow(t, 0.7)) * 0.5;
        if (i % 2 == 0 && i > 0 && i < steps)
            half *= 0.55;
        cairo_line_to(cr, sx, sy + half);
    }
    cairo_close_path(cr);
    fillAndOutline(cr, color, -width / 2, width / 2 + droop, 1.6);
    cairo_new_path(cr);
    for (int i = 0; i <= steps; ++i) {
        double t = double(i) / steps * 0.92, sx, sy;
        spine(t, sx, sy);
        cairo_line_to(cr, sx, sy);
    }
    setColor(cr, withAlpha(darker(color, 0.45), 0.8));
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawBroadLeaf(cairo_t* cr, double x, double y, double angle, double length, double width, Color color)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    double half = width / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.2, -half * 1.1, length * 0.75, -half * 1.05, length, 0);
    cairo_curve_to(cr, length * 0.75, half * 1.05, length * 0.2, half * 1.1, 0, 0);
    cairo_close_path(cr);
    fillAndOutline(cr, color, -half, half, 1.8);
    // Splits in the leaf, like the big leaves of the jungle floor.
    for (int i = 1; i <= 3; ++i) {
        double t = 0.22 * i + 0.05;
        for (int s = -1; s <= 1; s += 2) {
            cairo_move_to(cr, length * (t + 0.12), s * half * 0.98);
            cairo_line_to(cr, length * t, s * half * 0.35);
        }
    }
    setColor(cr, darker(color, 0.45));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_move_to(cr, 2, 0);
    cairo_curve_to(cr, length * 0.4, -1.5, length * 0.7, -1, length * 0.95, 0);
    setColor(cr, withAlpha(lighter(color, 0.45), 0.9));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawPalm(cairo_t* cr, double baseX, double baseY, double crownX, double crownY, double frondLength,
              uint32_t seed)
{
    Rng rng(seed);
    // Trunk: a tapered, slightly bent band with rings.
    double bend = (crownX - baseX) * 0.35;
    double thickBase = frondLength * 0.16, thickTop = frondLength * 0.10;
    auto trunkPoint = [&](double t, double& px, double& py) {
        double u = 1 - t;
        px = u * u * baseX + 2 * u * t * (baseX + bend) + t * t * crownX;
        py = u * u * baseY + 2 * u * t * ((baseY + crownY) / 2) + t * t * crownY;
    };
    const int steps = 16;
    cairo_new_path(cr);
    for (int i = 0; i <= steps; ++i) {
        double t = double(i) / steps, px, py;
        trunkPoint(t, px, py);
        cairo_line_to(cr, px - (thickBase + (thickTop - thickBase) * t) / 2, py);
    }
    for (int i = steps; i >= 0; --i) {
        double t = double(i) / steps, px, py;
        trunkPoint(t, px, py);
        cairo_line_to(cr, px + (thickBase + (thickTop - thickBase) * t) / 2, py);
    }
    cairo_close_path(cr);
    fillLinear(cr, baseX - thickBase, 0, baseX + thickBase, 0, Color{0.78, 0.60, 0.40}, Color{0.52, 0.36, 0.22});
    strokeOutline(cr, 1.8);
    int rings = static_cast<int>(std::fabs(baseY - crownY) / (thickBase * 0.6));
    for (int i = 1; i < rings; ++i) {
        double t = double(i) / rings, px, py;
        trunkPoint(t, px, py);
        double half = (thickBase + (thickTop - thickBase) * t) / 2;
        cairo_move_to(cr, px - half, py);
        cairo_curve_to(cr, px - half * 0.3, py + 2.5, px + half * 0.3, py + 2.5, px + half, py);
    }
    setColor(cr, withAlpha(palette::woodDark, 0.8));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Coconuts under the crown, then the fronds.
    drawCoconut(cr, crownX - frondLength * 0.07, crownY + frondLength * 0.07, frondLength * 0.075);
    drawCoconut(cr, crownX + frondLength * 0.08, crownY + frondLength * 0.06, frondLength * 0.07);
    const double angles[] = {-2.9, -2.3, -1.75, -1.25, -0.7, -0.15, 0.35, 2.7};
    for (double a : angles) {
        double len = frondLength * rng.range(0.8, 1.05);
        double droop = len * (std::fabs(std::cos(a)) * 0.45 + 0.1);
        Color c = lighter(palette::grass, rng.range(-0.05, 0.15));
        // Fronds on the left droop the other way.
        if (std::cos(a) < 0) {
            cairo_save(cr);
            cairo_translate(cr, crownX, crownY);
            cairo_scale(cr, -1, 1);
            drawFrond(cr, 0, 0, M_PI - a, len, len * 0.26, droop, c);
            cairo_restore(cr);
        } else {
            drawFrond(cr, crownX, crownY, a, len, len * 0.26, droop, c);
        }
    }
}

void drawCoconut(cairo_t* cr, double cx, double cy, double radius)
{
    ellipsePath(cr, cx, cy, radius, radius * 0.95);
    fillAndOutline(cr, Color{0.50, 0.32, 0.18}, cy - radius, cy + radius, std::max(1.2, radius * 0.16));
    drawHighlight(cr, cx - radius * 0.35, cy - radius * 0.4, radius * 0.35, radius * 0.22, 0.35);
    for (int i = 0; i < 3; ++i) {
        double a = -M_PI / 2 + (i - 1) * 0.5;
        ellipsePath(cr, cx + std::cos(a) * radius * 0.35 + radius * 0.15, cy + std::sin(a) * radius * 0.2 + radius * 0.25,
                    radius * 0.1, radius * 0.1);
    }
    setColor(cr, withAlpha(palette::outline, 0.8));
    cairo_fill(cr);
}

void fillLinear(cairo_t* cr, double x0, double y0, double x1, double y1, Color from, Color to)
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(gradient, 0, from.r, from.g, from.b, from.a);
    cairo_pattern_add_color_stop_rgba(gradient, 1, to.r, to.g, to.b, to.a);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
}

void drawSparkle(cairo_t* cr, double x, double y, double size, Color color, double width)
{
    cairo_move_to(cr, x - size, y);
    cairo_line_to(cr, x + size, y);
    cairo_move_to(cr, x, y - size);
    cairo_line_to(cr, x, y + size);
    setColor(cr, color);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void drawWaveLine(cairo_t* cr, double x, double y, double length, double amplitude, Color color, double width)
{
    cairo_move_to(cr, x, y);
    const int bumps = std::max(1, static_cast<int>(length / 14));
    double step = length / bumps;
    for (int i = 0; i < bumps; ++i) {
        double x0 = x + i * step;
        cairo_curve_to(cr, x0 + step * 0.25, y - amplitude, x0 + step * 0.75, y - amplitude, x0 + step, y);
    }
    setColor(cr, color);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void raggedRectPath(cairo_t* cr, double x, double y, double w, double h, uint32_t seed, RaggedEdge shape)
{
    Rng rng(seed);
    const double corner = shape.corner;
    std::vector<std::pair<double, double>> points;
    auto edge = [&](double x0, double y0, double x1, double y1, double nx, double ny) {
        int count = std::max(1, static_cast<int>(std::hypot(x1 - x0, y1 - y0) / shape.step));
        for (int i = 0; i < count; ++i) {
            double t = double(i) / count, wobble = rng.range(0, shape.wobble);
            points.push_back({x0 + (x1 - x0) * t - nx * wobble, y0 + (y1 - y0) * t - ny * wobble});
        }
    };
    edge(x + corner, y, x + w - corner, y, 0, -1);
    edge(x + w, y + corner, x + w, y + h - corner, 1, 0);
    edge(x + w - corner, y + h, x + corner, y + h, 0, 1);
    edge(x, y + h - corner, x, y + corner, -1, 0);
    cairo_new_path(cr);
    for (size_t i = 0; i < points.size(); ++i) {
        const auto& p = points[i];
        const auto& q = points[(i + 1) % points.size()];
        cairo_line_to(cr, (p.first + q.first) / 2, (p.second + q.second) / 2);
    }
    cairo_close_path(cr);
}
