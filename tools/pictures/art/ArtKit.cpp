#include "ArtKit.h"

#include "../Fonts.h"

#include <cmath>
#include <vector>

namespace art {

void moveToCell(cairo_t* cr, double originX, double originY)
{
    cairo_translate(cr, originX - 14, originY - 5);
}

void addSeries(Registry& registry, const char* family, const std::string& prefix, int first, int last,
               const std::string& suffix, int width, int height, FramePaint paint)
{
    for (int frame = first; frame <= last; ++frame)
        addPicture(registry, family, seriesName(prefix, frame, suffix), width, height,
                   [paint, frame](cairo_t* cr) { paint(cr, frame); });
}

void addPlaced(Registry& registry, const char* family, const std::string& name, const Placement& place, Paint paint)
{
    addPicture(registry, family, name, place.width, place.height, [place, paint](cairo_t* cr) {
        moveToCell(cr, place.originX, place.originY);
        paint(cr);
    });
}

void addPlacedSeries(Registry& registry, const char* family, const std::string& prefix, int first, int last,
                     const std::string& suffix, const Placement& place, FramePaint paint)
{
    addSeries(registry, family, prefix, first, last, suffix, place.width, place.height,
              [place, paint](cairo_t* cr, int frame) {
                  moveToCell(cr, place.originX, place.originY);
                  paint(cr, frame);
              });
}

void scaleAbout(cairo_t* cr, double x, double y, double sx, double sy)
{
    cairo_translate(cr, x, y);
    cairo_scale(cr, sx, sy);
    cairo_translate(cr, -x, -y);
}

Noise::Noise(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {}

double Noise::next()
{
    // xorshift32: small, fast and the same everywhere.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return (state_ >> 8) / 16777216.0;
}

double Noise::range(double low, double high)
{
    return low + (high - low) * next();
}

double lerp(double a, double b, double t)
{
    return a + (b - a) * t;
}

double clamp01(double value)
{
    return value < 0 ? 0 : (value > 1 ? 1 : value);
}

double smooth(double t)
{
    t = clamp01(t);
    return t * t * (3 - 2 * t);
}

Color mix(Color a, Color b, double t)
{
    return {lerp(a.r, b.r, t), lerp(a.g, b.g, t), lerp(a.b, b.b, t), lerp(a.a, b.a, t)};
}

Color hueColor(Hue hue)
{
    switch (hue) {
    case Hue::Blue:
        return palette::blue;
    case Hue::Red:
        return palette::red;
    case Hue::Yellow:
        break;
    }
    return palette::yellow;
}

const char* hueName(Hue hue)
{
    switch (hue) {
    case Hue::Blue:
        return "blue";
    case Hue::Red:
        return "red";
    case Hue::Yellow:
        break;
    }
    return "yellow";
}

void drawWashed(cairo_t* cr, const Paint& paint, Color wash, double amount)
{
    cairo_push_group(cr);
    paint(cr);
    if (amount > 0) {
        cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
        cairo_set_source_rgba(cr, wash.r, wash.g, wash.b, clamp01(amount));
        cairo_paint(cr);
    }
    cairo_pop_group_to_source(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_paint(cr);
}

Color heatColor(double heat)
{
    Color ember{0.62, 0.10, 0.05};
    Color glow{1.00, 0.50, 0.10};
    Color white{1.00, 0.86, 0.45};
    heat = clamp01(heat);
    return heat < 0.7 ? mix(ember, glow, heat / 0.7) : mix(glow, white, (heat - 0.7) / 0.3 * 0.6);
}

void drawRecoloured(cairo_t* cr, const Paint& paint, Color multiply, Color screen)
{
    cairo_push_group(cr);
    paint(cr);
    cairo_pattern_t* shape = cairo_pop_group(cr);
    cairo_push_group(cr);
    cairo_set_source(cr, shape);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_MULTIPLY);
    cairo_set_source_rgb(cr, multiply.r, multiply.g, multiply.b);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SCREEN);
    cairo_set_source_rgb(cr, screen.r, screen.g, screen.b);
    cairo_paint(cr);
    cairo_pattern_t* coloured = cairo_pop_group(cr);
    cairo_set_source(cr, coloured);
    cairo_mask(cr, shape);
    cairo_pattern_destroy(coloured);
    cairo_pattern_destroy(shape);
}

void drawHeated(cairo_t* cr, const Paint& paint, double heat)
{
    heat = clamp01(heat);
    Color multiply = mix(palette::white, {1.0, 0.45, 0.30}, heat);
    Color screen{0.58 * heat, 0.16 * heat * heat, 0};
    drawRecoloured(cr, paint, multiply, screen);
}

void drawFrozen(cairo_t* cr, const Paint& paint, double x, double y, double w, double h, uint32_t seed)
{
    drawRecoloured(cr, paint, {0.78, 0.92, 1.0}, {0.10, 0.22, 0.32});
    Noise noise(seed);
    roundedRect(cr, x, y, w, h, 3.5);
    cairo_pattern_t* body = cairo_pattern_create_linear(x, y, x + w * 0.4, y + h);
    cairo_pattern_add_color_stop_rgba(body, 0, 0.92, 0.98, 1.0, 0.55);
    cairo_pattern_add_color_stop_rgba(body, 0.5, 0.70, 0.89, 0.99, 0.30);
    cairo_pattern_add_color_stop_rgba(body, 1, 0.52, 0.78, 0.95, 0.45);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    cairo_set_source_rgba(cr, 0.24, 0.48, 0.68, 0.95);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // A bright rim along the top and left, where the light catches.
    cairo_move_to(cr, x + 2, y + h - 5);
    cairo_line_to(cr, x + 2, y + 3.5);
    cairo_curve_to(cr, x + 2, y + 2, x + 3, y + 2, x + 4.5, y + 2);
    cairo_line_to(cr, x + w - 4, y + 2);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    // Two glints and a crack.
    cairo_move_to(cr, x + 5, y + h * 0.55);
    cairo_line_to(cr, x + w * 0.45, y + 5);
    cairo_move_to(cr, x + 6, y + h * 0.72);
    cairo_line_to(cr, x + w * 0.3, y + h * 0.5);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    double cx = x + w * noise.range(0.55, 0.8);
    double cy = y + h * noise.range(0.5, 0.7);
    cairo_move_to(cr, x + w - 1, cy - 4);
    cairo_line_to(cr, cx, cy);
    cairo_line_to(cr, cx - 3, cy + 5);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + 2, y + h - 1);
    cairo_set_source_rgba(cr, 0.30, 0.55, 0.75, 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i) {
        double sx = x + noise.range(3, w - 3);
        double sy = y + noise.range(3, h - 3);
        cairo_move_to(cr, sx - 1.5, sy);
        cairo_line_to(cr, sx + 1.5, sy);
        cairo_move_to(cr, sx, sy - 1.5);
        cairo_line_to(cr, sx, sy + 1.5);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

void drawPuff(cairo_t* cr, double cx, double cy, double radius, Color c)
{
    if (radius <= 0 || c.a <= 0)
        return;
    cairo_pattern_t* puff = cairo_pattern_create_radial(cx - radius * 0.3, cy - radius * 0.3, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(puff, 0, c.r, c.g, c.b, c.a);
    cairo_pattern_add_color_stop_rgba(puff, 0.6, c.r, c.g, c.b, c.a * 0.75);
    cairo_pattern_add_color_stop_rgba(puff, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, puff);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(puff);
}

void drawSteamWisps(cairo_t* cr, double cx, double baseY, double spread, double rise, double t, double alpha,
                    uint32_t seed)
{
    Noise noise(seed);
    for (int i = 0; i < 4; ++i) {
        double start = noise.range(-0.5, 0.1);
        double offset = noise.range(-0.5, 0.5) * spread;
        double sway = noise.range(0, 2 * M_PI);
        double along = clamp01(t * 0.9 + start + 0.35);
        double y = baseY - rise * along;
        double x = cx + offset + std::sin(sway + along * 5) * 1.5;
        double fade = alpha * (1 - along) * (along > 0.02 ? 1 : 0);
        drawPuff(cr, x, y, 1.5 + 2.5 * along, withAlpha(palette::white, fade * 0.9));
    }
}

void drawShattered(cairo_t* cr, const Paint& paint, const Shatter& s, double t)
{
    if (t <= 0) {
        paint(cr);
        return;
    }
    Noise noise(s.seed);
    int nx = s.columns + 1, ny = s.rows + 1;
    std::vector<double> px(nx * ny), py(nx * ny);
    double cw = s.w / s.columns, ch = s.h / s.rows;
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            double jx = (i > 0 && i < s.columns) ? noise.range(-0.3, 0.3) * cw : 0;
            double jy = (j > 0 && j < s.rows) ? noise.range(-0.3, 0.3) * ch : 0;
            px[j * nx + i] = s.x + i * cw + jx;
            py[j * nx + i] = s.y + j * ch + jy;
        }
    double centreX = s.x + s.w / 2, centreY = s.y + s.h / 2;
    double alpha = clamp01(1 - s.fade * smooth(t));
    for (int j = 0; j < s.rows; ++j)
        for (int i = 0; i < s.columns; ++i)
            for (int half = 0; half < 2; ++half) {
                // Each grid cell splits into two shards along alternating diagonals.
                int a = j * nx + i, b = a + 1, c = a + nx + 1, d = a + nx;
                int tri[3];
                if ((i + j) % 2 == 0) {
                    tri[0] = a, tri[1] = half ? c : b, tri[2] = half ? d : c;
                } else {
                    tri[0] = half ? b : a, tri[1] = half ? c : b, tri[2] = d;
                }
                double mx = (px[tri[0]] + px[tri[1]] + px[tri[2]]) / 3;
                double my = (py[tri[0]] + py[tri[1]] + py[tri[2]]) / 3;
                double dirX = (mx - centreX) / (s.w / 2 + 1);
                double dirY = (my - centreY) / (s.h / 2 + 1);
                double vx = (dirX + noise.range(-0.4, 0.4)) * s.burst;
                double up = s.lift * noise.range(0.5, 1.3) * (0.6 - dirY * 0.4);
                double spin = s.spin * noise.range(-1, 1);
                double dx = vx * t;
                double dy = -up * t + s.gravity * t * t;
                cairo_save(cr);
                cairo_translate(cr, mx + dx, my + dy);
                cairo_rotate(cr, spin * t);
                cairo_translate(cr, -mx, -my);
                cairo_move_to(cr, px[tri[0]], py[tri[0]]);
                cairo_line_to(cr, px[tri[1]], py[tri[1]]);
                cairo_line_to(cr, px[tri[2]], py[tri[2]]);
                cairo_close_path(cr);
                cairo_clip(cr);
                cairo_push_group(cr);
                paint(cr);
                cairo_pop_group_to_source(cr);
                cairo_paint_with_alpha(cr, alpha);
                cairo_restore(cr);
            }
}

void drawDeflatedSkin(cairo_t* cr, Color rubber, double valveX, double length, double floorY)
{
    double dir = valveX > 12 ? -1 : 1;
    double far = valveX + dir * length;
    cairo_move_to(cr, valveX, floorY);
    cairo_curve_to(cr, valveX, floorY - 5.5, lerp(valveX, far, 0.3), floorY - 6, lerp(valveX, far, 0.5), floorY - 3.5);
    cairo_curve_to(cr, lerp(valveX, far, 0.65), floorY - 5, lerp(valveX, far, 0.9), floorY - 3.5, far, floorY - 1.5);
    cairo_curve_to(cr, far + dir * 1.5, floorY - 0.5, far, floorY, far - dir, floorY);
    cairo_close_path(cr);
    fillAndOutline(cr, rubber, floorY - 6, floorY, 1.1);
    // Creases.
    for (double f : {0.3, 0.55, 0.78}) {
        double x = lerp(valveX, far, f);
        cairo_move_to(cr, x - dir, floorY - 3.8);
        cairo_line_to(cr, x + dir * 1.5, floorY - 1);
    }
    setColor(cr, withAlpha(darker(rubber, 0.4), 0.8));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    roundedRect(cr, valveX - 1.5, floorY - 7, 3, 3, 0.8);
    fillAndOutline(cr, darker(rubber, 0.3), floorY - 7, floorY - 4, 0.8);
}

void drawWord(cairo_t* cr, const std::string& text, double cx, double baseline, double size, Color fill,
              double outlineWidth)
{
    cairo_save(cr);
    centredTextPath(cr, quicksand(FontWeight::Bold), size, text.c_str(), cx, baseline);
    setColor(cr, withAlpha(palette::outline, fill.a));
    cairo_set_line_width(cr, outlineWidth * 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    setColor(cr, fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace art
