#include "Style.h"

#include <cmath>

Color lighter(Color c, double amount)
{
    return {c.r + (1 - c.r) * amount, c.g + (1 - c.g) * amount, c.b + (1 - c.b) * amount, c.a};
}

Color darker(Color c, double amount)
{
    return {c.r * (1 - amount), c.g * (1 - amount), c.b * (1 - amount), c.a};
}

Color withAlpha(Color c, double alpha)
{
    c.a = alpha;
    return c;
}

void setColor(cairo_t* cr, Color c)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    double r = std::fmin(radius, std::fmin(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void fillShaded(cairo_t* cr, Color base, double y0, double y1)
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
    Color top = lighter(base, 0.25);
    Color bottom = darker(base, 0.22);
    cairo_pattern_add_color_stop_rgba(gradient, 0, top.r, top.g, top.b, base.a);
    cairo_pattern_add_color_stop_rgba(gradient, 0.55, base.r, base.g, base.b, base.a);
    cairo_pattern_add_color_stop_rgba(gradient, 1, bottom.r, bottom.g, bottom.b, base.a);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
}

void strokeOutline(cairo_t* cr, double width)
{
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void fillAndOutline(cairo_t* cr, Color base, double y0, double y1, double width)
{
    fillShaded(cr, base, y0, y1);
    strokeOutline(cr, width);
}

void drawEye(cairo_t* cr, double cx, double cy, double radius, double lookX, double lookY)
{
    ellipsePath(cr, cx, cy, radius, radius * 1.15);
    setColor(cr, palette::white);
    cairo_fill_preserve(cr);
    strokeOutline(cr, radius * 0.35);
    double pupil = radius * 0.5;
    ellipsePath(cr, cx + lookX * radius * 0.4, cy + lookY * radius * 0.4, pupil, pupil);
    setColor(cr, palette::outline);
    cairo_fill(cr);
}

void drawBolt(cairo_t* cr, double cx, double cy, double radius)
{
    ellipsePath(cr, cx, cy, radius, radius);
    fillAndOutline(cr, palette::metal, cy - radius, cy + radius, radius * 0.4);
    cairo_move_to(cr, cx - radius * 0.6, cy);
    cairo_line_to(cr, cx + radius * 0.6, cy);
    strokeOutline(cr, radius * 0.3);
}

void drawPlanks(cairo_t* cr, double x, double y, double w, double h, int planks, Color wood)
{
    double plank = h / planks;
    for (int i = 0; i < planks; ++i) {
        cairo_rectangle(cr, x, y + i * plank, w, plank);
        fillShaded(cr, i % 2 ? darker(wood, 0.06) : wood, y + i * plank, y + (i + 1) * plank);
        cairo_new_path(cr);
    }
    for (int i = 1; i < planks; ++i) {
        cairo_move_to(cr, x, y + i * plank);
        cairo_line_to(cr, x + w, y + i * plank);
    }
    setColor(cr, withAlpha(palette::woodDark, 0.8));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawHighlight(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha)
{
    ellipsePath(cr, cx, cy, rx, ry);
    setColor(cr, withAlpha(palette::white, alpha));
    cairo_fill(cr);
}

void drawSoftGlow(cairo_t* cr, double cx, double cy, double radius, Color c)
{
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(glow, 0, c.r, c.g, c.b, c.a);
    cairo_pattern_add_color_stop_rgba(glow, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

void drawPlankBoard(cairo_t* cr, double w, double h, PlankBoard board)
{
    roundedRect(cr, 6, 7, w - 8, h - 8, board.radius);
    setColor(cr, Color{0.1, 0.05, 0, 0.3});
    cairo_fill(cr);
    roundedRect(cr, 2, 2, w - 8, h - 8, board.radius);
    fillAndOutline(cr, palette::wood, 2, h - 6, board.outline);
    cairo_save(cr);
    roundedRect(cr, 2, 2, w - 8, h - 8, board.radius);
    cairo_clip(cr);
    for (int i = 1; i < board.planks; ++i) {
        double y = 2 + i * (h - 8) / static_cast<double>(board.planks);
        cairo_move_to(cr, 2, y);
        cairo_line_to(cr, w - 6, y);
    }
    setColor(cr, withAlpha(palette::woodDark, board.seamAlpha));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawPillButton(cairo_t* cr, double w, double h, Color fill, double glow, double highlightY)
{
    if (glow > 0) {
        roundedRect(cr, 1, 1, w - 4, h - 4, (h - 4) / 2);
        setColor(cr, Color{1.0, 0.9, 0.4, glow});
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    roundedRect(cr, 2, 2, w - 6, h - 6, (h - 6) / 2);
    fillAndOutline(cr, fill, 2, h - 4, 2);
    drawHighlight(cr, w / 2.0 - 3, highlightY, w * 0.36, 2.5, 0.35);
}
