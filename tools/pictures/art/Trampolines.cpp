// The trampoline stands upright and throws things back sideways: an oval
// hoop on a front leg (drawn in front of what it catches), a brace behind
// it, and a rubber sheet in the hoop that bulges away from whatever runs
// into it, then springs back and wobbles. All three parts can break.
#include "ArtKit.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace art;

constexpr int kFrontX = 11, kFrontY = 17;
constexpr int kFrontRightX = 20;
constexpr int kBackX = -9, kBackY = 17;
constexpr int kCanvasX = 3, kCanvasY = 15;
constexpr int kCanvasRightX = 16;

// The hoop, in cell coordinates.
constexpr double kHoopX = 18, kHoopY = 6, kHoopRX = 6.6, kHoopRY = 17;

const Color kFrameColour{0.96, 0.60, 0.16};
const Color kSheetColour{0.20, 0.27, 0.40};

// A steel leg from the hoop down to a foot on the floor at footX.
void leg(cairo_t* cr, double topX, double topY, double footX, Color steel)
{
    cairo_move_to(cr, topX, topY);
    cairo_line_to(cr, footX, 22.5);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 3.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    setColor(cr, steel);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    roundedRect(cr, footX - 2.5, 21.5, 7, 2.7, 1);
    fillAndOutline(cr, palette::metalDark, 21.5, 24.2, 0.9);
}

// The hoop leaning left by `lean` pixels at the top (pulled by the sheet).
void hoop(cairo_t* cr, double lean)
{
    cairo_save(cr);
    cairo_translate(cr, kHoopX, 23);
    cairo_matrix_t shear;
    cairo_matrix_init(&shear, 1, 0, lean / 28, 1, 0, 0);
    cairo_transform(cr, &shear);
    cairo_translate(cr, -kHoopX, -23);
    ellipsePath(cr, kHoopX, kHoopY, kHoopRX, kHoopRY);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 4.4);
    cairo_stroke(cr);
    ellipsePath(cr, kHoopX, kHoopY, kHoopRX, kHoopRY);
    setColor(cr, kFrameColour);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
    // Light on the tube's left side.
    cairo_save(cr);
    cairo_translate(cr, kHoopX, kHoopY);
    cairo_scale(cr, kHoopRX - 0.6, kHoopRY - 0.6);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 1, M_PI * 0.8, M_PI * 1.35);
    cairo_restore(cr);
    setColor(cr, withAlpha(palette::white, 0.7));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void trampolineFront(cairo_t* cr, double lean)
{
    leg(cr, kHoopX - kHoopRX + 1, kHoopY + 4, 6 - lean * 0.4, palette::metal);
    hoop(cr, lean);
}

void trampolineBack(cairo_t* cr)
{
    leg(cr, kHoopX + kHoopRX - 1, kHoopY - 6, 31, palette::metalDark);
}

// The sheet; bulge > 0 pushes its middle to the right, < 0 to the left.
void sheet(cairo_t* cr, double bulge)
{
    double rx = kHoopRX - 0.8, ry = kHoopRY - 0.8;
    double top = kHoopY - ry, bottom = kHoopY + ry;
    cairo_move_to(cr, kHoopX, top);
    if (bulge >= 0) {
        // Back along the left edge of the hoop, out round the bulge.
        cairo_curve_to(cr, kHoopX - rx * 1.33, top, kHoopX - rx * 1.33, bottom, kHoopX, bottom);
        cairo_curve_to(cr, kHoopX + (rx + bulge) * 1.33, bottom, kHoopX + (rx + bulge) * 1.33, top, kHoopX, top);
    } else {
        cairo_curve_to(cr, kHoopX + rx * 1.33, top, kHoopX + rx * 1.33, bottom, kHoopX, bottom);
        cairo_curve_to(cr, kHoopX - (rx - bulge) * 1.33, bottom, kHoopX - (rx - bulge) * 1.33, top, kHoopX, top);
    }
    cairo_close_path(cr);
    cairo_pattern_t* fabric = cairo_pattern_create_radial(kHoopX + bulge * 0.6, kHoopY, 1, kHoopX, kHoopY, ry);
    Color light = lighter(kSheetColour, 0.3 + std::fabs(bulge) * 0.02);
    cairo_pattern_add_color_stop_rgb(fabric, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(fabric, 1, kSheetColour.r, kSheetColour.g, kSheetColour.b);
    cairo_set_source(cr, fabric);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fabric);
    strokeOutline(cr, 1);
    // Stitched seam round the pad.
    ellipsePath(cr, kHoopX + bulge * 0.45, kHoopY, std::max(1.0, rx - 2.2 + std::fabs(bulge) * 0.4), ry - 2.5);
    setColor(cr, withAlpha(palette::white, 0.35));
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
}

// How far the sheet bulges in each frame of its series.
const double kStretchLeft[] = {3, 6.5};
constexpr double kStretchLeftFull = 11;
const double kStretchRight[] = {-2.5, -5, -7.5};
constexpr double kStretchRightFull = -9.5;

// After letting go the sheet swings through and settles.
double wobble(int frame, double amplitude, double lowest)
{
    double value = amplitude * std::exp(-0.33 * frame) * std::cos(1.5 * (frame + 1));
    return std::max(value, lowest);
}

Shatter partShatter(double x, double y, double w, double h, uint32_t seed)
{
    return {x, y, w, h, 2, 3, 8, 6, 14, 1.5, 0.25, seed};
}

double breakProgress(int frame)
{
    return (frame + 1) / 4.0 * 0.8;
}

void registerTrampolines(Registry& registry, const char* family)
{
    const Placement front{kFrontX, kFrontY, 24, 38};
    const Placement frontRight{kFrontRightX, kFrontY, 33, 38};
    const Placement back{kBackX, kBackY, 13, 38};
    addPlaced(registry, family, "trampolinefront0.tga", front, [](cairo_t* cr) { trampolineFront(cr, 0); });
    addPlacedSeries(registry, family, "trampolinefrontright", 0, 2, ".tga", frontRight,
                    [](cairo_t* cr, int frame) { trampolineFront(cr, 1.5 + frame * 1.6); });
    addPlaced(registry, family, "trampolineback0.tga", back, trampolineBack);

    const Placement idle{kCanvasX, kCanvasY, 16, 36};
    const Placement left{kCanvasX, kCanvasY, 26, 36};
    const Placement right{kCanvasRightX, kCanvasY, 29, 36};
    auto canvas = [&](const std::string& prefix, int first, int last, const std::string& suffix,
                      const Placement& place, std::function<double(int)> bulge) {
        addPlacedSeries(registry, family, prefix, first, last, suffix, place,
                        [bulge](cairo_t* cr, int frame) { sheet(cr, bulge(frame)); });
    };
    addPlaced(registry, family, "trampoline0.tga", idle, [](cairo_t* cr) { sheet(cr, 0); });
    canvas("trampolinestretchleft", 0, 1, ".tga", left, [](int frame) { return kStretchLeft[frame]; });
    addPlaced(registry, family, "trampolinestretchleftfull.tga", left, [](cairo_t* cr) { sheet(cr, kStretchLeftFull); });
    canvas("trampolineunstretchleft", 0, 7, ".tga", left, [](int frame) { return wobble(frame, -4.5, -0.7); });
    canvas("trampolinestretchright", 0, 2, ".tga", right, [](int frame) { return kStretchRight[frame]; });
    addPlaced(registry, family, "trampolinestretchrightfull.tga", right,
              [](cairo_t* cr) { sheet(cr, kStretchRightFull); });
    canvas("trampolineunstretchright", 0, 8, ".tga", right, [](int frame) { return wobble(frame, 5, -9); });

    // Breaking after a fall; the game fades the last frame out itself.
    const struct {
        const char* prefix;
        Placement place;
        Paint part;
        Shatter pieces;
    } parts[] = {{"trampolinefrontbreak", {kFrontX, kFrontY, 24, 42}, [](cairo_t* cr) { trampolineFront(cr, 0); },
                  partShatter(3, -12, 22, 36, 51)},
                 {"trampolinebackbreak", {kBackX, kBackY, 14, 42}, trampolineBack, partShatter(23, -2, 13, 27, 52)},
                 {"trampolinerubberbreak", {kCanvasX, kCanvasY, 18, 40}, [](cairo_t* cr) { sheet(cr, 0); },
                  partShatter(11, -11, 14, 34, 53)}};
    for (const auto& p : parts) {
        Paint part = p.part;
        Shatter pieces = p.pieces;
        addPlacedSeries(registry, family, p.prefix, 0, 3, ".png", p.place, [=](cairo_t* cr, int frame) {
            drawShattered(cr, part, pieces, breakProgress(frame));
        });
    }
}

FamilyRegistration trampolines("trampolines", registerTrampolines);

} // namespace
