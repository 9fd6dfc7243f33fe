// The trampoline stands upright and throws things back sideways: a tall
// square steel frame on a front leg (drawn in front of what it catches), a
// brace behind it, and a rubber mat hung in the frame on coil springs that
// bulges away from whatever runs into it, then springs back and wobbles.
// All three parts can break.
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

// The frame's tube, in cell coordinates (its centre line).
constexpr double kFrameLeft = 11.4, kFrameRight = 24.6, kFrameTop = -9.6, kFrameBottom = 21.6;
constexpr double kFrameCorner = 2.6;
// The mat at rest, and where the springs hold it.
constexpr double kMatLeft = 14.6, kMatRight = 21.4, kMatTop = -5.4, kMatBottom = 17.4;
constexpr double kMatMiddleX = (kMatLeft + kMatRight) / 2, kMatMiddleY = (kMatTop + kMatBottom) / 2;
constexpr int kSideSprings = 5;

const Color kFrameColour{0.96, 0.60, 0.16};
const Color kMatColour{0.20, 0.27, 0.40};
const Color kSpringColour{0.78, 0.80, 0.84};

// A steel leg from the frame down to a foot on the floor at footX.
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

// The frame leaning left by `lean` pixels at the top (pulled by the mat).
void frame(cairo_t* cr, double lean)
{
    cairo_save(cr);
    cairo_translate(cr, kMatMiddleX, 23);
    cairo_matrix_t shear;
    cairo_matrix_init(&shear, 1, 0, lean / 28, 1, 0, 0);
    cairo_transform(cr, &shear);
    cairo_translate(cr, -kMatMiddleX, -23);
    auto tube = [cr] {
        roundedRect(cr, kFrameLeft, kFrameTop, kFrameRight - kFrameLeft, kFrameBottom - kFrameTop, kFrameCorner);
    };
    tube();
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 4.4);
    cairo_stroke(cr);
    tube();
    setColor(cr, kFrameColour);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
    // Light along the front post and the top bar.
    cairo_move_to(cr, kFrameLeft - 0.5, kFrameBottom - kFrameCorner);
    cairo_line_to(cr, kFrameLeft - 0.5, kFrameTop + kFrameCorner);
    cairo_move_to(cr, kFrameLeft + kFrameCorner, kFrameTop - 0.5);
    cairo_line_to(cr, kFrameRight - kFrameCorner, kFrameTop - 0.5);
    setColor(cr, withAlpha(palette::white, 0.7));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // Bolts at the corners.
    for (double x : {kFrameLeft, kFrameRight})
        for (double y : {kFrameTop, kFrameBottom})
            drawBolt(cr, x, y, 0.7);
    cairo_restore(cr);
}

void trampolineFront(cairo_t* cr, double lean)
{
    leg(cr, kFrameLeft + 0.5, kFrameBottom - 6, 6 - lean * 0.4, palette::metal);
    frame(cr, lean);
}

void trampolineBack(cairo_t* cr)
{
    leg(cr, kFrameRight - 0.5, kFrameTop + 8, 31, palette::metalDark);
}

// A coil spring seen from the side: a zigzag from a to b.
void spring(cairo_t* cr, double ax, double ay, double bx, double by)
{
    const int turns = 3;
    double dx = bx - ax, dy = by - ay;
    double length = std::max(0.1, std::hypot(dx, dy));
    double nx = -dy / length * 0.9, ny = dx / length * 0.9;
    cairo_move_to(cr, ax, ay);
    for (int i = 1; i < turns * 2; ++i) {
        double t = static_cast<double>(i) / (turns * 2);
        double side = i % 2 == 0 ? -1 : 1;
        cairo_line_to(cr, ax + dx * t + nx * side, ay + dy * t + ny * side);
    }
    cairo_line_to(cr, bx, by);
}

// Where the mat's edge lies at height y when its middle is pushed `bulge`
// pixels sideways (0 at the top and bottom springs, all of it halfway).
double matShift(double y, double bulge)
{
    double t = (y - kMatTop) / (kMatBottom - kMatTop);
    return bulge * std::sin(M_PI * clamp01(t));
}

// The mat; bulge > 0 pushes its middle to the right, < 0 to the left. The
// edge on the pushed side stretches further than the other.
void sheet(cairo_t* cr, double bulge)
{
    double lead = bulge * 1.15, trail = bulge * 0.75;
    double leftBulge = bulge >= 0 ? trail : lead, rightBulge = bulge >= 0 ? lead : trail;
    // Springs from the frame's inner edge to the mat, stretching with it.
    for (int i = 0; i < kSideSprings; ++i) {
        double y = lerp(kMatTop + 2, kMatBottom - 2, i / (kSideSprings - 1.0));
        spring(cr, kFrameLeft + 1.2, y, kMatLeft + matShift(y, leftBulge), y);
        spring(cr, kFrameRight - 1.2, y, kMatRight + matShift(y, rightBulge), y);
    }
    for (double x : {kMatLeft + 1.3, kMatRight - 1.3}) {
        spring(cr, x, kFrameTop + 1.2, x, kMatTop);
        spring(cr, x, kFrameBottom - 1.2, x, kMatBottom);
    }
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 1.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    setColor(cr, kSpringColour);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);

    // The mat: straight top and bottom hems, its sides curving with the push.
    double h = kMatBottom - kMatTop;
    cairo_move_to(cr, kMatLeft, kMatTop);
    cairo_line_to(cr, kMatRight, kMatTop);
    cairo_curve_to(cr, kMatRight + rightBulge * 1.33, kMatTop + h * 0.25, kMatRight + rightBulge * 1.33,
                   kMatBottom - h * 0.25, kMatRight, kMatBottom);
    cairo_line_to(cr, kMatLeft, kMatBottom);
    cairo_curve_to(cr, kMatLeft + leftBulge * 1.33, kMatBottom - h * 0.25, kMatLeft + leftBulge * 1.33,
                   kMatTop + h * 0.25, kMatLeft, kMatTop);
    cairo_close_path(cr);
    double middle = kMatMiddleX + bulge;
    cairo_pattern_t* rubber = cairo_pattern_create_radial(middle, kMatMiddleY, 1, middle, kMatMiddleY, h * 0.6);
    Color light = lighter(kMatColour, 0.3 + std::fabs(bulge) * 0.02);
    cairo_pattern_add_color_stop_rgb(rubber, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(rubber, 1, kMatColour.r, kMatColour.g, kMatColour.b);
    cairo_set_source(cr, rubber);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(rubber);
    strokeOutline(cr, 1);
    // A bright target stripe across the middle of the mat.
    double stripeY = kMatMiddleY - 1.2;
    cairo_rectangle(cr, kMatLeft + matShift(stripeY, leftBulge) + 0.6, stripeY,
                    kMatRight - kMatLeft + matShift(stripeY, rightBulge) - matShift(stripeY, leftBulge) - 1.2, 2.4);
    setColor(cr, withAlpha(kFrameColour, 0.85));
    cairo_fill(cr);
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
                  partShatter(3, -12, 24, 37, 51)},
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
