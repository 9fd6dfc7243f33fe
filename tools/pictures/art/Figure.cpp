#include "Figure.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>

namespace figure {

namespace {

// The soft fringe of an outline may be cut by the left edge rather than
// move the whole character off its cell.
constexpr double kClipTolerance = 1.0;

struct Ink {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    bool empty() const { return left > right; }
};

// The ink of a frame, found by drawing it on a roomy scratch canvas and
// looking at what got covered (groups and clips make path extents
// unreliable).
Ink measure(const std::function<void(cairo_t*)>& draw)
{
    constexpr int kSize = 176;
    constexpr double kOriginX = 88, kOriginY = 120;
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSize, kSize);
    cairo_t* cr = cairo_create(scratch);
    cairo_translate(cr, kOriginX, kOriginY);
    draw(cr);
    cairo_destroy(cr);
    cairo_surface_flush(scratch);
    const unsigned char* data = cairo_image_surface_get_data(scratch);
    int stride = cairo_image_surface_get_stride(scratch);
    int left = kSize, top = kSize, right = -1, bottom = -1;
    for (int y = 0; y < kSize; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < kSize; ++x) {
            if ((row[x] >> 24) < 8)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    cairo_surface_destroy(scratch);
    Ink ink;
    if (right >= 0)
        ink = {left - kOriginX, top - kOriginY, right + 1 - kOriginX, bottom + 1 - kOriginY};
    return ink;
}

// Set PICTURETOOL_FIT_REPORT to see which series had to be moved or lose
// ink at the top edge: the hint to redraw a pose.
void reportFit(const std::string& first, double shiftX, double overTop)
{
    static const bool wanted = std::getenv("PICTURETOOL_FIT_REPORT") != nullptr;
    if (wanted && (shiftX > 0 || overTop > 0.5))
        std::fprintf(stderr, "fit %-28s shifted right %.1f, over the top %.1f\n", first.c_str(), shiftX, overTop);
}

} // namespace

Anchor anchorForOrigin(int originX, int originY)
{
    // The sprite's top-left corner is its location less (origin - 29, origin
    // - 20); the board's cells start 15 pixels right of and below the
    // location they are given at. The stage origin is the middle of the cell
    // floor, 12 right of and 24 below the cell's corner.
    return {originX - 29.0 + 15.0 + 12.0, originY - 20.0 + 15.0 + 24.0};
}

std::vector<Frame> seriesFrames(const std::string& prefix, int first, int last, const std::string& suffix,
                                FrameDraw draw)
{
    std::vector<Frame> frames;
    for (int n = first; n <= last; ++n)
        frames.push_back({seriesName(prefix, n, suffix), [draw, n](cairo_t* cr) { draw(cr, n); }});
    return frames;
}

void addGroup(Registry& registry, const char* family, int originX, int originY, const std::vector<Frame>& frames,
              int fixedWidth, int fixedHeight)
{
    Anchor anchor = anchorForOrigin(originX, originY);
    double x = anchor.x;
    int width = fixedWidth, height = fixedHeight;
    if (width <= 0 || height <= 0) {
        Ink all;
        for (const Frame& frame : frames) {
            Ink ink = measure(frame.draw);
            if (ink.empty())
                continue;
            all.left = std::min(all.left, ink.left);
            all.top = std::min(all.top, ink.top);
            all.right = std::max(all.right, ink.right);
            all.bottom = std::max(all.bottom, ink.bottom);
        }
        if (all.empty())
            all = {0, 0, 1, 1};
        double shiftX = std::max(0.0, std::ceil(-(anchor.x + all.left) - kClipTolerance));
        reportFit(frames.front().name, shiftX, -(anchor.y + all.top));
        x += shiftX;
        width = std::max(1, static_cast<int>(std::ceil(x + all.right)));
        height = std::max(1, static_cast<int>(std::ceil(anchor.y + all.bottom)));
    }
    for (const Frame& frame : frames) {
        auto draw = frame.draw;
        double y = anchor.y;
        addPicture(registry, family, frame.name, width, height, [draw, x, y](cairo_t* cr) {
            cairo_translate(cr, x, y);
            draw(cr);
        });
    }
}

void addSeries(Registry& registry, const char* family, const std::string& prefix, int first, int last,
               const std::string& suffix, int originX, int originY, FrameDraw draw)
{
    addGroup(registry, family, originX, originY, seriesFrames(prefix, first, last, suffix, draw));
}

void addSides(Registry& registry, const char* family, const std::string& leftPrefix, const std::string& rightPrefix,
              int first, int last, const std::string& suffix, Origin left, Origin right, FacingDraw draw)
{
    addSeries(registry, family, leftPrefix, first, last, suffix, left.x, left.y,
              [draw](cairo_t* cr, int frame) { draw(cr, frame, -1); });
    addSeries(registry, family, rightPrefix, first, last, suffix, right.x, right.y,
              [draw](cairo_t* cr, int frame) { draw(cr, frame, 1); });
}

void addSingle(Registry& registry, const char* family, const std::string& name, int originX, int originY,
               std::function<void(cairo_t*)> draw)
{
    addGroup(registry, family, originX, originY, {{name, draw}});
}

double ease(double t) { return 0.5 - 0.5 * std::cos(M_PI * clamp01(t)); }
double ramp(double t, double t0, double t1) { return clamp01((t - t0) / (t1 - t0)); }
double wave(double t) { return std::sin(2 * M_PI * t); }
double bump(double t) { return std::sin(M_PI * clamp01(t)); }
double hop(double t)
{
    t = clamp01(t);
    return 4 * t * (1 - t);
}

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point polar(double length, double angleFromDown) { return {length * std::sin(angleFromDown), length * std::cos(angleFromDown)}; }
Point rotate(Point p, double angle)
{
    double c = std::cos(angle), s = std::sin(angle);
    return {p.x * c - p.y * s, p.x * s + p.y * c};
}

void limb(cairo_t* cr, const std::vector<Point>& points, double width, Color fill, double outline)
{
    auto path = [&]() {
        cairo_move_to(cr, points[0].x, points[0].y);
        if (points.size() == 1)
            cairo_line_to(cr, points[0].x + 0.01, points[0].y);
        for (size_t i = 1; i < points.size(); ++i)
            cairo_line_to(cr, points[i].x, points[i].y);
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    path();
    setColor(cr, withAlpha(palette::outline, fill.a));
    cairo_set_line_width(cr, width + 2 * outline);
    cairo_stroke(cr);
    path();
    setColor(cr, fill);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void blob(cairo_t* cr, double cx, double cy, double rx, double ry, Color fill, double outline)
{
    ellipsePath(cr, cx, cy, rx, ry);
    fillAndOutline(cr, fill, cy - ry, cy + ry, outline);
}

void star(cairo_t* cr, double cx, double cy, double radius, double spin, Color fill)
{
    cairo_new_path(cr);
    for (int i = 0; i < 10; ++i) {
        double r = i % 2 ? radius * 0.45 : radius;
        double a = spin + i * M_PI / 5 - M_PI / 2;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
    setColor(cr, fill);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 0.5);
}

void sparkle(cairo_t* cr, double cx, double cy, double radius, Color c)
{
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy - radius);
    cairo_curve_to(cr, cx, cy, cx, cy, cx + radius, cy);
    cairo_curve_to(cr, cx, cy, cx, cy, cx, cy + radius);
    cairo_curve_to(cr, cx, cy, cx, cy, cx - radius, cy);
    cairo_curve_to(cr, cx, cy, cx, cy, cx, cy - radius);
    cairo_close_path(cr);
    setColor(cr, c);
    cairo_fill(cr);
}

void puff(cairo_t* cr, double cx, double cy, double radius, Color fill, double alpha)
{
    if (alpha <= 0 || radius <= 0)
        return;
    cairo_push_group(cr);
    const double lobes[][3] = {{0, 0, 1}, {-0.7, 0.2, 0.7}, {0.7, 0.25, 0.72}, {-0.3, -0.55, 0.62}, {0.35, -0.5, 0.6}};
    for (const auto& lobe : lobes)
        ellipsePath(cr, cx + lobe[0] * radius, cy + lobe[1] * radius, lobe[2] * radius, lobe[2] * radius);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_path_t* path = cairo_copy_path(cr);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_append_path(cr, path);
    fillShaded(cr, fill, cy - radius, cy + radius);
    cairo_new_path(cr);
    cairo_path_destroy(path);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
}

void zigzag(cairo_t* cr, double x0, double y0, double x1, double y1, int steps, double amplitude, Color c,
            double width)
{
    double dx = x1 - x0, dy = y1 - y0;
    double length = std::hypot(dx, dy);
    if (length <= 0)
        return;
    double nx = -dy / length, ny = dx / length;
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y0);
    for (int i = 1; i < steps; ++i) {
        double t = double(i) / steps;
        double side = (i % 2 ? 1 : -1) * amplitude;
        cairo_line_to(cr, x0 + dx * t + nx * side, y0 + dy * t + ny * side);
    }
    cairo_line_to(cr, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_path_t* path = cairo_copy_path(cr);
    setColor(cr, withAlpha(darker(c, 0.5), c.a * 0.7));
    cairo_set_line_width(cr, width + 1.2);
    cairo_stroke(cr);
    cairo_append_path(cr, path);
    setColor(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    cairo_path_destroy(path);
}

void sweatDrop(cairo_t* cr, double cx, double cy, double size)
{
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy - size * 1.4);
    cairo_curve_to(cr, cx + size * 0.9, cy - size * 0.2, cx + size, cy + size, cx, cy + size);
    cairo_curve_to(cr, cx - size, cy + size, cx - size * 0.9, cy - size * 0.2, cx, cy - size * 1.4);
    cairo_close_path(cr);
    setColor(cr, Color{0.62, 0.85, 1.0});
    cairo_fill_preserve(cr);
    strokeOutline(cr, 0.6);
}

void speedLines(cairo_t* cr, double left, double spacing, double top, double period, double travel, double length)
{
    for (int i = 0; i < 3; ++i) {
        double x = left + i * spacing, y = top + std::fmod(travel + i * period * 0.55, period);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x, y - length);
    }
    setColor(cr, withAlpha(palette::white, 0.8));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void motionLines(cairo_t* cr, double x, double y, double length, int count, double spacing, double alpha)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < count; ++i) {
        double offset = (i - (count - 1) / 2.0) * spacing;
        double l = length * (i % 2 ? 0.7 : 1.0);
        cairo_move_to(cr, x, y + offset);
        cairo_line_to(cr, x + l, y + offset);
    }
    setColor(cr, withAlpha(palette::white, alpha));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void smokeWisp(cairo_t* cr, double x, double y, double height, double phase, double alpha)
{
    for (int i = 0; i < 3; ++i) {
        double t = std::fmod(phase + i / 3.0, 1.0);
        double px = x + std::sin((t + i) * 5.0) * 1.6 * t;
        double py = y - t * height;
        double r = 1.0 + t * 2.2;
        ellipsePath(cr, px, py, r, r);
        setColor(cr, Color{0.45, 0.43, 0.42, alpha * (1 - t) * 0.9});
        cairo_fill(cr);
    }
}

void exclamation(cairo_t* cr, double x, double y, double size, Color c)
{
    cairo_new_path(cr);
    cairo_move_to(cr, x - size * 0.35, y - size);
    cairo_line_to(cr, x + size * 0.35, y - size);
    cairo_line_to(cr, x + size * 0.15, y + size * 0.25);
    cairo_line_to(cr, x - size * 0.15, y + size * 0.25);
    cairo_close_path(cr);
    ellipsePath(cr, x, y + size * 0.7, size * 0.22, size * 0.22);
    setColor(cr, c);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 0.8);
}


} // namespace figure
