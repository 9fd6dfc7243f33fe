#include "BotRig.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace figure;

namespace bot {

namespace {

constexpr double kBodyY = -12.6; // body centre above the feet
constexpr double kRadiusX = 7.6, kRadiusY = 7.1;
constexpr double kThigh = 2.9, kShin = 2.7;
constexpr double kUpperArm = 2.8, kForearm = 2.6;

const Color kCharred{0.27, 0.25, 0.25};
const Color kFeet{0.26, 0.28, 0.33};
const Color kWing{0.36, 0.30, 0.42};

struct Look {
    Color body, dark, feet;
};

Look colours(const Pose& p)
{
    Color body = art::mix(palette::botBody, kCharred, p.scorch);
    Color dark = art::mix(palette::metalDark, darker(kCharred, 0.3), p.scorch);
    return {body, dark, art::mix(kFeet, darker(kCharred, 0.4), p.scorch)};
}

// Body-local geometry: origin at the body centre, before spin.
struct Frame {
    double rx, ry, sink; // body radii and how far melting lowers it
    double turn;
};

Frame frameOf(const Pose& p)
{
    double m = p.melt;
    return {kRadiusX * (1 + 0.35 * m), kRadiusY * (1 - 0.38 * m), kRadiusY * 0.38 * m, p.back ? 0 : p.turn};
}

void drawLeg(cairo_t* cr, Point hip, double leg, double knee, double reach, bool frontView, Color colour, Color feet)
{
    Point k = hip + polar(kThigh * reach, leg);
    Point ankle = k + polar(kShin * reach, leg - knee);
    limb(cr, {hip, k, ankle}, 2.0, colour, 0.9);
    if (frontView)
        blob(cr, ankle.x, ankle.y + 0.6, 1.9, 1.35, feet, 0.8);
    else
        blob(cr, ankle.x + 0.8, ankle.y + 0.6, 2.6, 1.4, feet, 0.8);
}

void drawArm(cairo_t* cr, Point socket, double arm, double elbow, Color colour, Color dark)
{
    Point e = socket + polar(kUpperArm, arm);
    Point hand = e + polar(kForearm, arm + elbow);
    limb(cr, {socket, e, hand}, 1.6, colour, 0.8);
    // A little two-fingered claw.
    double a = arm + elbow;
    for (double side : {-0.5, 0.5}) {
        Point tip = hand + polar(1.7, a + side);
        limb(cr, {hand, tip}, 0.9, dark, 0.6);
    }
    blob(cr, hand.x, hand.y, 1.0, 1.0, dark, 0.6);
}

void earPath(cairo_t* cr, Point base, double angle, double length)
{
    cairo_save(cr);
    cairo_translate(cr, base.x, base.y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, -1.9, 0.8);
    cairo_curve_to(cr, -1.6, -length * 0.5, -0.6, -length * 0.8, 0.3, -length);
    cairo_curve_to(cr, 0.9, -length * 0.6, 1.9, -length * 0.3, 1.9, 0.8);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void drawEars(cairo_t* cr, const Pose& p, const Frame& f, const Look& look, bool farOnes)
{
    double t = f.turn;
    double length = 5.8 + 1.4 * std::max(0.0, p.earLift);
    double droop = p.earLift < 0 ? -p.earLift * 0.7 : 0;
    struct Ear {
        double fx, sx, fa, sa;
        bool far;
    };
    const Ear ears[] = {{-4.3, -3.4, -0.45, -0.55, true}, {4.3, 0.6, 0.45, -0.25, false}};
    for (const Ear& ear : ears) {
        bool isFar = ear.far && t > 0.5;
        if (isFar != farOnes)
            continue;
        double x = lerp(ear.fx, ear.sx, t);
        double a = lerp(ear.fa, ear.sa, t);
        a += (a < 0 ? -droop : droop);
        Point base{x * (1 + 0.2 * p.melt), -f.ry * 0.78 + f.sink};
        earPath(cr, base, a, length);
        fillAndOutline(cr, isFar ? darker(look.body, 0.15) : look.body, base.y - length, base.y, 0.9);
        earPath(cr, base, a, length * 0.6);
        setColor(cr, withAlpha(palette::rubber, 0.55 * (1 - p.scorch)));
        cairo_fill(cr);
    }
}

void drawWings(cairo_t* cr, const Pose& p, const Frame& f, const Look& look)
{
    double t = f.turn;
    double span = 3.5 + 7.0 * p.wings;
    for (double side : {-1.0, 1.0}) {
        if (t > 0.5 && side > 0)
            continue;
        double baseX = t > 0.5 ? -f.rx * 0.55 : side * f.rx * 0.8;
        double dir = t > 0.5 ? -1 : side;
        Point base{baseX, -1.5 + f.sink};
        cairo_new_path(cr);
        cairo_move_to(cr, base.x, base.y - 2.5);
        cairo_line_to(cr, base.x + dir * span, base.y - 3.5 - 3 * p.wings);
        // Scalloped trailing edge.
        for (int i = 1; i <= 3; ++i) {
            double u = 1 - i / 3.0;
            Point edge{base.x + dir * span * u, base.y - 3.5 * u + 3.0 * (1 - u) * (1 - p.wings * 0.5)};
            cairo_curve_to(cr, edge.x + dir * span * 0.12, edge.y - 0.5, edge.x + dir * span * 0.05, edge.y + 1.2,
                           edge.x, edge.y + 1.5);
        }
        cairo_line_to(cr, base.x, base.y + 1.5);
        cairo_close_path(cr);
        fillAndOutline(cr, art::mix(kWing, look.dark, 0.3 + p.scorch * 0.6), base.y - 6, base.y + 2, 0.8);
    }
}

void drawEye(cairo_t* cr, const Pose& p, const Frame& f)
{
    double phi = f.turn * 68 * M_PI / 180;
    double squeeze = 0.55 + 0.45 * std::cos(phi);
    double ex = 5.2 * std::sin(phi);
    double ey = -1.2 + f.sink * 0.5;
    double r = p.eye == Eye::Wide ? 3.4 : 3.0;
    Color iris = palette::botEye;
    bool lit = p.eye != Eye::Off && p.eye != Eye::Closed && p.scorch < 0.7;
    if (lit && p.glow > 0)
        drawSoftGlow(cr, ex, ey, r * (1.4 + 0.6 * p.glow), withAlpha(iris, 0.4 * p.glow));
    // Rim.
    ellipsePath(cr, ex, ey, (r + 0.9) * squeeze, r + 0.9);
    fillAndOutline(cr, palette::metalDark, ey - r, ey + r, 0.9);
    ellipsePath(cr, ex, ey, r * squeeze, r);
    if (!lit) {
        setColor(cr, art::mix(Color{0.20, 0.18, 0.20}, kCharred, p.scorch));
        cairo_fill(cr);
    } else {
        cairo_pattern_t* lens = cairo_pattern_create_radial(ex - 0.6, ey - 0.8, 0.3, ex, ey, r);
        Color core = lighter(iris, 0.65);
        cairo_pattern_add_color_stop_rgb(lens, 0, core.r, core.g, core.b);
        cairo_pattern_add_color_stop_rgb(lens, 0.55, iris.r, iris.g, iris.b);
        Color edge = darker(iris, 0.35);
        cairo_pattern_add_color_stop_rgb(lens, 1, edge.r, edge.g, edge.b);
        cairo_set_source(cr, lens);
        cairo_fill(cr);
        cairo_pattern_destroy(lens);
    }
    setColor(cr, palette::outline);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    double px = ex + p.lookX * r * 0.35 * squeeze, py = ey + p.lookY * r * 0.35;
    switch (p.eye) {
    case Eye::Glow:
    case Eye::Wide:
        ellipsePath(cr, px, py, (p.eye == Eye::Wide ? 0.7 : 1.1) * squeeze, p.eye == Eye::Wide ? 0.7 : 1.3);
        setColor(cr, withAlpha(Color{0.35, 0.02, 0.02}, 0.9));
        cairo_fill(cr);
        break;
    case Eye::Dim:
        // A heavy metal lid over the upper half.
        cairo_save(cr);
        ellipsePath(cr, ex, ey, r * squeeze, r);
        cairo_clip(cr);
        cairo_rectangle(cr, ex - r, ey - r, 2 * r, r * 1.05);
        fillAndOutline(cr, palette::metalDark, ey - r, ey, 0.8);
        cairo_restore(cr);
        break;
    case Eye::Closed:
        cairo_move_to(cr, ex - r * 0.7 * squeeze, ey + 0.2);
        cairo_curve_to(cr, ex - r * 0.3, ey + 1.2, ex + r * 0.3, ey + 1.2, ex + r * 0.7 * squeeze, ey + 0.2);
        setColor(cr, withAlpha(palette::botEye, 0.8));
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
        break;
    case Eye::Happy:
        cairo_move_to(cr, ex - r * 0.6 * squeeze, ey + 0.8);
        cairo_curve_to(cr, ex - r * 0.3, ey - 1.0, ex + r * 0.3, ey - 1.0, ex + r * 0.6 * squeeze, ey + 0.8);
        setColor(cr, withAlpha(Color{0.35, 0.02, 0.02}, 0.9));
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
        break;
    case Eye::Spiral:
        cairo_new_path(cr);
        for (int i = 0; i <= 18; ++i) {
            double a = i * 0.72, rr = 0.2 + i * 0.13;
            cairo_line_to(cr, ex + std::cos(a) * rr * squeeze, ey + std::sin(a) * rr);
        }
        setColor(cr, withAlpha(Color{0.35, 0.02, 0.02}, 0.9));
        cairo_set_line_width(cr, 0.6);
        cairo_stroke(cr);
        break;
    case Eye::Cross:
        for (double side : {-1.0, 1.0}) {
            cairo_move_to(cr, ex - 1.6 * squeeze, ey - 1.6 * side);
            cairo_line_to(cr, ex + 1.6 * squeeze, ey + 1.6 * side);
        }
        setColor(cr, withAlpha(Color{0.55, 0.52, 0.5}, 1));
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
        break;
    case Eye::Off:
        break;
    }
    if (lit)
        drawHighlight(cr, ex - r * 0.35 * squeeze, ey - r * 0.45, 0.8 * squeeze, 0.55, 0.85);
}

void drawBody(cairo_t* cr, const Pose& p, const Frame& f, const Look& look)
{
    ellipsePath(cr, 0, f.sink, f.rx, f.ry);
    fillAndOutline(cr, look.body, f.sink - f.ry, f.sink + f.ry, 1.0);
    drawHighlight(cr, -f.rx * 0.35, f.sink - f.ry * 0.5, f.rx * 0.3, f.ry * 0.2, 0.45 * (1 - p.scorch * 0.7));
    if (p.back) {
        // A hatch with two bolts on its back.
        roundedRect(cr, -3.2, f.sink - 2.5, 6.4, 5.0, 1.2);
        fillAndOutline(cr, darker(look.body, 0.08), f.sink - 2.5, f.sink + 2.5, 0.7);
        drawBolt(cr, -2.2, f.sink - 1.5, 0.6);
        drawBolt(cr, 2.2, f.sink - 1.5, 0.6);
        return;
    }
    // Belly grille.
    double gx = f.turn * 2.2;
    ellipsePath(cr, gx, f.sink + f.ry * 0.45, 3.6 * (1 - 0.3 * f.turn), f.ry * 0.3);
    fillAndOutline(cr, look.dark, f.sink + f.ry * 0.15, f.sink + f.ry * 0.75, 0.7);
    for (int i = -1; i <= 1; ++i) {
        cairo_move_to(cr, gx + i * 1.2 - 0.8, f.sink + f.ry * 0.45);
        cairo_line_to(cr, gx + i * 1.2 + 0.8, f.sink + f.ry * 0.45);
    }
    setColor(cr, withAlpha(palette::outline, 0.6));
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
    if (p.scorch > 0.3) {
        // Cracks and soot.
        cairo_move_to(cr, -f.rx * 0.6, f.sink - f.ry * 0.2);
        cairo_line_to(cr, -f.rx * 0.3, f.sink);
        cairo_line_to(cr, -f.rx * 0.45, f.sink + f.ry * 0.3);
        setColor(cr, withAlpha(palette::outline, p.scorch));
        cairo_set_line_width(cr, 0.6);
        cairo_stroke(cr);
    }
}

} // namespace

Pose mix(const Pose& a, const Pose& b, double t)
{
    Pose r = t < 0.5 ? a : b;
    auto m = [t](double x, double y) { return lerp(x, y, t); };
    r.turn = m(a.turn, b.turn);
    r.x = m(a.x, b.x);
    r.y = m(a.y, b.y);
    r.spin = m(a.spin, b.spin);
    r.squash = m(a.squash, b.squash);
    r.legA = m(a.legA, b.legA);
    r.kneeA = m(a.kneeA, b.kneeA);
    r.legB = m(a.legB, b.legB);
    r.kneeB = m(a.kneeB, b.kneeB);
    r.legReach = m(a.legReach, b.legReach);
    r.armA = m(a.armA, b.armA);
    r.elbowA = m(a.elbowA, b.elbowA);
    r.armB = m(a.armB, b.armB);
    r.elbowB = m(a.elbowB, b.elbowB);
    r.lookX = m(a.lookX, b.lookX);
    r.lookY = m(a.lookY, b.lookY);
    r.glow = m(a.glow, b.glow);
    r.earLift = m(a.earLift, b.earLift);
    r.wings = m(a.wings, b.wings);
    r.wrap = m(a.wrap, b.wrap);
    r.scorch = m(a.scorch, b.scorch);
    r.melt = m(a.melt, b.melt);
    return r;
}

void drawBot(cairo_t* cr, const Pose& p, int facing)
{
    Frame f = frameOf(p);
    Look look = colours(p);
    bool profile = f.turn >= 0.5;
    bool frontView = !profile;
    cairo_save(cr);
    cairo_scale(cr, facing * (1 + (1 - p.squash) * 0.6), p.squash);
    cairo_translate(cr, p.x, kBodyY + p.y);
    cairo_rotate(cr, p.spin);

    double hipSpread = lerp(3.0, 0.6, f.turn);
    const double hipY = 5.0;
    double socketSpread = lerp(f.rx - 0.8, 0.8, f.turn);
    Point socketA{-socketSpread, 0.8 + f.sink}, socketB{socketSpread, 0.8 + f.sink};

    drawWings(cr, p, f, look);
    if (profile) {
        drawArm(cr, socketA, p.armA, p.elbowA, darker(look.body, 0.18), look.dark);
        drawEars(cr, p, f, look, true);
    }
    if (!p.legsHidden) {
        drawLeg(cr, {-hipSpread, hipY}, p.legA, p.kneeA, p.legReach, frontView, darker(look.dark, profile ? 0.2 : 0),
                look.feet);
        drawLeg(cr, {hipSpread, hipY}, p.legB, p.kneeB, p.legReach, frontView, look.dark, look.feet);
    }
    if (!profile)
        drawArm(cr, socketA, p.armA, p.elbowA, look.body, look.dark);
    drawEars(cr, p, f, look, false);
    drawBody(cr, p, f, look);
    if (!p.back)
        drawEye(cr, p, f);
    if (p.wrap > 0) {
        // Asleep upside down, wrapped in its wings like a cloak.
        for (double side : {-1.0, 1.0}) {
            cairo_move_to(cr, side * f.rx * 1.05, -f.ry * 0.2);
            cairo_curve_to(cr, side * f.rx * 0.9, f.ry * 0.9, side * 2, f.ry * 1.15, side * (f.rx * (1 - p.wrap) + 0.5),
                           f.ry * 0.95);
            cairo_line_to(cr, side * f.rx * 0.5, -f.ry * 0.7);
            cairo_close_path(cr);
            fillAndOutline(cr, kWing, -f.ry, f.ry, 0.8);
        }
    }
    if (!p.armBHidden)
        drawArm(cr, socketB, p.armB, p.elbowB, look.body, look.dark);
    if (p.melt > 0) {
        // Drips of hot metal.
        for (int i = 0; i < 3; ++i) {
            double x = -f.rx * 0.5 + i * f.rx * 0.5;
            double len = p.melt * (1.5 + i % 2 * 1.5);
            ellipsePath(cr, x, f.sink + f.ry + len * 0.5, 0.9, 0.6 + len * 0.5);
            setColor(cr, art::mix(look.body, palette::flame, 0.4));
            cairo_fill_preserve(cr);
            strokeOutline(cr, 0.5);
        }
    }
    cairo_restore(cr);
}

Point bodyCentre(const Pose& p, int facing)
{
    return {facing * (1 + (1 - p.squash) * 0.6) * p.x, p.squash * (kBodyY + p.y + frameOf(p).sink)};
}

Point armSocket(const Pose& p, int facing)
{
    Frame f = frameOf(p);
    double spread = lerp(f.rx - 0.8, 0.8, f.turn);
    Point local = rotate({spread, 0.8 + f.sink}, p.spin);
    return {facing * (1 + (1 - p.squash) * 0.6) * (p.x + local.x), p.squash * (kBodyY + p.y + local.y)};
}

Pose standing()
{
    Pose p;
    p.turn = 0.7;
    p.armA = -0.35;
    p.armB = 0.35;
    p.elbowA = 0.5;
    p.elbowB = 0.5;
    return p;
}

Pose stepping(double phase)
{
    Pose p = standing();
    double w = std::sin(2 * M_PI * phase);
    double c = std::cos(2 * M_PI * phase);
    p.legA = 0.8 * w;
    p.legB = -0.8 * w;
    p.kneeA = 0.2 + 0.9 * std::max(0.0, c);
    p.kneeB = 0.2 + 0.9 * std::max(0.0, -c);
    p.armA = -0.7 * w;
    p.armB = 0.7 * w;
    p.elbowA = 0.9;
    p.elbowB = 0.9;
    p.y = -1.0 * std::fabs(w) + 0.3;
    p.spin = 0.12;
    p.earLift = -0.3;
    p.wings = 0.15 + 0.15 * std::fabs(c);
    p.lookX = 0.8;
    p.glow = 0.9;
    p.turn = 0.85;
    return p;
}

namespace {

// One stride of the run, the near leg (B) leading: it reaches forward and
// lands, carries the body while the far leg swings through with its knee
// high, and pushes off behind as both feet leave the floor (lift: how far
// the lower foot is off the floor).
struct Stride {
    double lead, leadKnee, trail, trailKnee, lift;
};

Stride mix(const Stride& a, const Stride& b, double t)
{
    return {lerp(a.lead, b.lead, t), lerp(a.leadKnee, b.leadKnee, t), lerp(a.trail, b.trail, t),
            lerp(a.trailKnee, b.trailKnee, t), lerp(a.lift, b.lift, t)};
}

Stride stride(double t)
{
    static const std::vector<std::pair<double, Stride>> keys = {
        {0.0, {0.75, 0.1, -0.3, 1.1, 0.0}},    // landing, legs wide apart
        {0.25, {0.25, 0.6, -0.1, 2.0, 0.0}},   // carrying, the far knee comes through
        {0.5, {-0.3, 0.2, 0.75, 1.6, 0.0}},    // pushing off, the far knee high in front
        {0.75, {-0.35, 0.9, 0.85, 0.5, 1.5}},  // in the air
        {1.0, {-0.3, 1.1, 0.75, 0.1, 0.0}},    // the far leg lands
    };
    return keyed(keys, t);
}

// Stage y of the lower ankle (the standing bot's ankles are at -2).
double lowerAnkle(const Pose& p)
{
    Frame f = frameOf(p);
    double hipSpread = lerp(3.0, 0.6, f.turn);
    double lowest = -1e9;
    const double legs[][3] = {{-hipSpread, p.legA, p.kneeA}, {hipSpread, p.legB, p.kneeB}};
    for (const auto& leg : legs) {
        Point hip{leg[0], 5.0};
        Point ankle = hip + polar(kThigh * p.legReach, leg[1]) + polar(kShin * p.legReach, leg[1] - leg[2]);
        lowest = std::max(lowest, p.squash * (kBodyY + p.y + rotate(ankle, p.spin).y));
    }
    return lowest;
}

} // namespace

Pose running(double phase)
{
    Pose p = stepping(phase);
    double cycle = phase - std::floor(phase);
    bool farLeads = cycle >= 0.5;
    Stride s = stride(cycle * 2 - (farLeads ? 1 : 0));
    double near = farLeads ? s.trail : s.lead, nearKnee = farLeads ? s.trailKnee : s.leadKnee;
    double far = farLeads ? s.lead : s.trail, farKnee = farLeads ? s.leadKnee : s.trailKnee;
    p.legB = near;
    p.kneeB = nearKnee;
    p.legA = far;
    p.kneeA = farKnee;
    p.legReach = 1.4;
    // Each arm swings against its own side's leg, bent at the elbow, further
    // forward than back.
    auto armFor = [](double leg) { return leg < 0 ? -1.3 * leg : -0.7 * leg; };
    p.armB = armFor(near);
    p.armA = armFor(far);
    p.elbowA = p.elbowB = 1.3;
    p.spin = 0.2;
    // The little wings beat once a stride, kept close so that the run's
    // pictures keep the size the bot's sprite has always had.
    p.wings = 0.15 + 0.08 * std::fabs(std::cos(2 * M_PI * cycle));
    p.y = 0;
    p.y = -2.0 - lowerAnkle(p) - s.lift;
    return p;
}

} // namespace bot
