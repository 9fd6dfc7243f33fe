#include "ProfessorRig.h"

#include <cmath>

using namespace figure;

namespace professor {

namespace {

// Proportions, in pixels: a big head on a small body reads at cell size.
constexpr double kThigh = 4.6;
constexpr double kShin = 4.3;
constexpr double kPelvisY = -10.6;
constexpr double kTorso = 8.4;
constexpr double kUpperArm = 4.1;
constexpr double kForearm = 3.9;
constexpr double kHeadRadius = 6.4;
constexpr double kNeck = 5.6;
constexpr double kLegWidth = 3.1;
constexpr double kArmWidth = 2.7;

const Color kTrousers{0.33, 0.36, 0.50};
const Color kShoes{0.36, 0.21, 0.12};
const Color kShirt{0.78, 0.88, 0.98};
const Color kLens{0.90, 0.97, 1.00};
const Color kSoot{0.22, 0.20, 0.19};
const Color kHairLine{0.45, 0.44, 0.50};

struct Skeleton {
    Point pelvis, shoulders;
    Point hipA, kneeA, ankleA, hipB, kneeB, ankleB;
    Point shoulderA, elbowA, handA, shoulderB, elbowB, handB;
    Point head;
    double torsoAngle, headAngle, shinA, shinB;
};

Skeleton solve(const Pose& p)
{
    Skeleton s;
    s.pelvis = {p.x, kPelvisY + p.y};
    s.torsoAngle = p.lean + p.spin;
    Point up{std::sin(s.torsoAngle), -std::cos(s.torsoAngle)};
    Point across{std::cos(s.torsoAngle), std::sin(s.torsoAngle)};
    s.shoulders = {s.pelvis.x + up.x * kTorso, s.pelvis.y + up.y * kTorso};
    double spread = p.back ? 4.0 : lerp(4.0, 0.4, p.turn);
    double hipSpread = p.back ? 2.1 : lerp(2.1, 0.3, p.turn);
    s.shoulderA = {s.shoulders.x - across.x * spread, s.shoulders.y - across.y * spread};
    s.shoulderB = {s.shoulders.x + across.x * spread * 0.6, s.shoulders.y + across.y * spread * 0.6};
    if (p.turn < 0.5 || p.back)
        s.shoulderB = {s.shoulders.x + across.x * spread, s.shoulders.y + across.y * spread};
    s.hipA = {s.pelvis.x - across.x * hipSpread, s.pelvis.y - across.y * hipSpread};
    s.hipB = {s.pelvis.x + across.x * hipSpread, s.pelvis.y + across.y * hipSpread};
    s.kneeA = s.hipA + polar(kThigh, p.legA + p.spin);
    s.shinA = p.legA - p.kneeA + p.spin;
    s.ankleA = s.kneeA + polar(kShin, s.shinA);
    s.kneeB = s.hipB + polar(kThigh, p.legB + p.spin);
    s.shinB = p.legB - p.kneeB + p.spin;
    s.ankleB = s.kneeB + polar(kShin, s.shinB);
    s.elbowA = s.shoulderA + polar(kUpperArm, p.armA + p.spin);
    s.handA = s.elbowA + polar(kForearm, p.armA + p.elbowA + p.spin);
    s.elbowB = s.shoulderB + polar(kUpperArm, p.armB + p.spin);
    s.handB = s.elbowB + polar(kForearm, p.armB + p.elbowB + p.spin);
    s.headAngle = p.lean * 0.4 + p.spin + p.headTilt;
    Point neck{s.shoulders.x + up.x * 0.6, s.shoulders.y + up.y * 0.6};
    s.head = {neck.x + std::sin(s.headAngle) * kNeck + (p.back ? 0 : p.turn * 0.7),
              neck.y - std::cos(s.headAngle) * kNeck};
    return s;
}

// Places the body on the stage: squash about the feet and the facing mirror.
void stageTransform(cairo_t* cr, const Pose& p, int facing)
{
    double squash = p.squash;
    cairo_scale(cr, facing * (1 + (1 - squash) * 0.55), squash);
}

Point toStage(Point body, const Pose& p, int facing)
{
    return {body.x * facing * (1 + (1 - p.squash) * 0.55), body.y * p.squash};
}

void drawLeg(cairo_t* cr, Point hip, Point knee, Point ankle, double shin, bool frontView, Color trousers, Color shoes)
{
    limb(cr, {hip, knee, ankle}, kLegWidth, trousers);
    double footAngle = frontView ? 0 : shin * 0.45;
    cairo_save(cr);
    cairo_translate(cr, ankle.x, ankle.y);
    cairo_rotate(cr, -footAngle);
    if (frontView)
        blob(cr, 0, 0.7, 1.7, 1.3, shoes);
    else
        blob(cr, 0.9, 0.7, 2.5, 1.35, shoes);
    cairo_restore(cr);
}

void drawArm(cairo_t* cr, Point shoulder, Point elbow, Point hand, Color sleeve, Color skin)
{
    Point wrist{elbow.x + (hand.x - elbow.x) * 0.72, elbow.y + (hand.y - elbow.y) * 0.72};
    limb(cr, {shoulder, elbow, wrist}, kArmWidth, sleeve);
    blob(cr, hand.x, hand.y, 1.45, 1.45, skin, 0.9);
}

void drawCoat(cairo_t* cr, const Pose& p, const Skeleton& s, Color coat)
{
    double t = p.back ? 0 : p.turn;
    double f = p.coatFlare;
    cairo_save(cr);
    cairo_translate(cr, s.pelvis.x, s.pelvis.y);
    cairo_rotate(cr, s.torsoAngle);
    double shoulderBack = lerp(-4.4, -3.3, t), shoulderFront = lerp(4.4, 3.3, t);
    double hemBack = lerp(-5.5, -5.0, t) - f * 1.5, hemFront = lerp(5.5, 4.4, t) + f * 0.8;
    double hemY = 4.0 - f * 2.5;
    cairo_new_path(cr);
    cairo_move_to(cr, shoulderBack + 1.2, -kTorso - 0.6);
    cairo_line_to(cr, shoulderFront - 1.2, -kTorso - 0.6);
    cairo_curve_to(cr, shoulderFront + 0.2, -kTorso - 0.5, shoulderFront + 0.3, -kTorso + 1.0, shoulderFront + 0.2,
                   -kTorso + 2.0);
    cairo_line_to(cr, lerp(4.6, 3.9, t), -2.0);
    cairo_line_to(cr, hemFront, hemY + f * 1.2);
    cairo_curve_to(cr, hemFront * 0.4, hemY + 0.9, hemBack * 0.4, hemY + 0.9, hemBack, hemY - f * 0.6);
    cairo_line_to(cr, lerp(-4.6, -4.1, t), -2.0);
    cairo_line_to(cr, shoulderBack - 0.2, -kTorso + 2.0);
    cairo_curve_to(cr, shoulderBack - 0.3, -kTorso + 1.0, shoulderBack - 0.2, -kTorso - 0.5, shoulderBack + 1.2,
                   -kTorso - 0.6);
    cairo_close_path(cr);
    fillAndOutline(cr, coat, -kTorso, hemY, kLine);

    if (p.back) {
        // Back seam and a half belt.
        cairo_move_to(cr, 0, -1.0);
        cairo_line_to(cr, 0, hemY);
        cairo_move_to(cr, -2.4, -1.8);
        cairo_line_to(cr, 2.4, -1.8);
        setColor(cr, withAlpha(palette::outline, 0.55));
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
        cairo_restore(cr);
        return;
    }
    // Shirt, opening and bow tie.
    double front = lerp(0, 2.9, t);
    double halfV = lerp(1.8, 0.9, t);
    cairo_move_to(cr, front - halfV, -kTorso - 0.4);
    cairo_line_to(cr, front + halfV, -kTorso - 0.4);
    cairo_line_to(cr, front + 0.2, -kTorso + 4.2);
    cairo_close_path(cr);
    setColor(cr, kShirt);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 0.6);
    cairo_move_to(cr, front + 0.2, -kTorso + 4.2);
    cairo_line_to(cr, front + 0.5 * t, hemY + 0.6);
    setColor(cr, withAlpha(palette::outline, 0.6));
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    // Buttons.
    for (int i = 0; i < 2; ++i) {
        ellipsePath(cr, front + 0.5 * t - 0.9 * (1 - t), -2.8 + i * 2.6, 0.45, 0.45);
        setColor(cr, withAlpha(palette::outline, 0.7));
        cairo_fill(cr);
    }
    // Pocket with a pen.
    double pocket = front - lerp(3.0, 2.6, t);
    cairo_rectangle(cr, pocket - 0.35, -kTorso + 1.9, 0.7, 1.6);
    setColor(cr, palette::blue);
    cairo_fill(cr);
    cairo_move_to(cr, pocket - 1.2, -kTorso + 3.3);
    cairo_line_to(cr, pocket + 1.2, -kTorso + 3.3);
    setColor(cr, withAlpha(palette::outline, 0.55));
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    // Bow tie.
    double tie = lerp(1.9, 1.1, t);
    cairo_move_to(cr, front, -kTorso + 0.3);
    cairo_line_to(cr, front - tie, -kTorso - 0.7);
    cairo_line_to(cr, front - tie, -kTorso + 1.3);
    cairo_close_path(cr);
    cairo_move_to(cr, front, -kTorso + 0.3);
    cairo_line_to(cr, front + tie, -kTorso - 0.7);
    cairo_line_to(cr, front + tie, -kTorso + 1.3);
    cairo_close_path(cr);
    setColor(cr, palette::red);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 0.55);
    cairo_restore(cr);
}

struct Tuft {
    double fx, fy, sx, sy, r, twist;
};

// Wild tufts around a bald crown, seen from the front (f) and in profile (s).
const Tuft kTufts[] = {
    {-6.2, -0.8, -6.0, 0.2, 2.7, 0.1},  {6.2, -0.8, -4.4, -4.4, 2.7, 0.5},   {-5.8, -4.4, -5.4, -3.4, 2.5, 0.3},
    {5.8, -4.4, -2.4, -6.4, 2.4, 0.7},  {-6.4, 3.0, -5.8, 3.6, 1.9, 0.9},   {6.4, 3.0, -5.4, 3.6, 1.9, 0.2},
    {-2.6, -6.9, -0.2, -7.2, 1.6, 0.4}, {2.6, -6.9, 1.9, -6.7, 1.4, 0.8},   {0.0, -7.5, -3.9, -6.0, 1.5, 0.0},
};

void hairPath(cairo_t* cr, const Pose& p, double t)
{
    for (const Tuft& tuft : kTufts) {
        double r = tuft.r * (1 + p.hairLift * 0.12 + p.frazzle * 0.08);
        double x = lerp(tuft.fx, tuft.sx, t);
        double y = lerp(tuft.fy, tuft.sy, t);
        y -= p.hairLift * (1.0 + std::max(0.0, -y) * 0.25);
        x *= 1 + p.hairLift * 0.08;
        // A spiky puff: alternate long and short points.
        const int points = 9;
        cairo_new_sub_path(cr);
        for (int i = 0; i < points * 2; ++i) {
            double a = tuft.twist + i * M_PI / points;
            double k = i % 2 ? 0.72 - 0.1 * p.frazzle : 1.18 + 0.2 * p.frazzle;
            cairo_line_to(cr, x + std::cos(a) * r * k, y + std::sin(a) * r * k);
        }
        cairo_close_path(cr);
    }
}

void drawHair(cairo_t* cr, const Pose& p, double t, Color hair)
{
    // One merged cloud: the outline of all tufts, then their fill.
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    hairPath(cr, p, t);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    hairPath(cr, p, t);
    fillShaded(cr, hair, -10, 4);
    cairo_new_path(cr);
}

void drawLens(cairo_t* cr, double x, double y, double squeeze, const Pose& p)
{
    double rx = 2.35 * squeeze, ry = 2.35;
    if (p.eyes == Eyes::Wide)
        rx *= 1.08, ry *= 1.08;
    ellipsePath(cr, x, y, rx, ry);
    setColor(cr, kLens);
    cairo_fill_preserve(cr);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 0.85);
    cairo_stroke(cr);
    double px = x + p.lookX * 0.8 * squeeze, py = y + p.lookY * 0.8;
    setColor(cr, palette::outline);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    switch (p.eyes) {
    case Eyes::Open:
    case Eyes::Worried:
        ellipsePath(cr, px, py + 0.1, 1.0 * squeeze, 1.1);
        cairo_fill(cr);
        break;
    case Eyes::Wide:
        ellipsePath(cr, px, py, 0.65 * squeeze, 0.7);
        cairo_fill(cr);
        break;
    case Eyes::HalfShut:
        ellipsePath(cr, px, py + 0.6, 1.0 * squeeze, 0.7);
        cairo_fill(cr);
        cairo_move_to(cr, x - rx * 0.8, y + 0.1);
        cairo_line_to(cr, x + rx * 0.8, y + 0.1);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        break;
    case Eyes::Closed:
        cairo_move_to(cr, x - rx * 0.65, y + 0.2);
        cairo_curve_to(cr, x - rx * 0.3, y + 1.0, x + rx * 0.3, y + 1.0, x + rx * 0.65, y + 0.2);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        break;
    case Eyes::Happy:
        cairo_move_to(cr, x - rx * 0.6, y + 0.6);
        cairo_curve_to(cr, x - rx * 0.3, y - 0.6, x + rx * 0.3, y - 0.6, x + rx * 0.6, y + 0.6);
        cairo_set_line_width(cr, 0.85);
        cairo_stroke(cr);
        break;
    case Eyes::Squint:
        cairo_move_to(cr, x - rx * 0.6, y - 0.8);
        cairo_line_to(cr, x + rx * 0.4, y);
        cairo_line_to(cr, x - rx * 0.6, y + 0.8);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        break;
    case Eyes::Dizzy:
        cairo_new_path(cr);
        for (int i = 0; i <= 16; ++i) {
            double a = i * 0.75, r = 0.15 + i * 0.1;
            cairo_line_to(cr, x + std::cos(a) * r * squeeze, y + std::sin(a) * r);
        }
        cairo_set_line_width(cr, 0.55);
        cairo_stroke(cr);
        break;
    }
    // A glint on the glass.
    ellipsePath(cr, x - rx * 0.45, y - ry * 0.5, 0.55 * squeeze, 0.4);
    setColor(cr, withAlpha(palette::white, 0.9));
    cairo_fill(cr);
}

void drawBrow(cairo_t* cr, double x, double y, double squeeze, double raise, double inward, Color hair)
{
    double lift = raise * 1.1;
    double tilt = raise < 0 ? -raise * 0.9 : (raise > 0 && inward != 0 ? raise * 0.3 : 0);
    cairo_move_to(cr, x - 1.5 * squeeze, y - lift + tilt * inward);
    cairo_curve_to(cr, x - 0.5 * squeeze, y - lift - 0.7, x + 0.5 * squeeze, y - lift - 0.7, x + 1.5 * squeeze,
                   y - lift - tilt * inward);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColor(cr, kHairLine);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke_preserve(cr);
    setColor(cr, hair);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

void drawMouth(cairo_t* cr, double x, double y, double width, const Pose& p)
{
    setColor(cr, palette::outline);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.8);
    const Color inside{0.45, 0.12, 0.12};
    switch (p.mouth) {
    case Mouth::Smile:
        cairo_move_to(cr, x - width * 0.45, y - 0.2);
        cairo_curve_to(cr, x - width * 0.2, y + 0.9, x + width * 0.2, y + 0.9, x + width * 0.45, y - 0.2);
        cairo_stroke(cr);
        break;
    case Mouth::Grin:
        cairo_move_to(cr, x - width * 0.55, y - 0.4);
        cairo_curve_to(cr, x - width * 0.3, y + 1.9, x + width * 0.3, y + 1.9, x + width * 0.55, y - 0.4);
        cairo_close_path(cr);
        setColor(cr, inside);
        cairo_fill_preserve(cr);
        strokeOutline(cr, 0.7);
        break;
    case Mouth::Frown:
        cairo_move_to(cr, x - width * 0.45, y + 0.7);
        cairo_curve_to(cr, x - width * 0.2, y - 0.3, x + width * 0.2, y - 0.3, x + width * 0.45, y + 0.7);
        cairo_stroke(cr);
        break;
    case Mouth::Open:
        ellipsePath(cr, x, y + 0.5, width * 0.3, 1.1);
        setColor(cr, inside);
        cairo_fill_preserve(cr);
        strokeOutline(cr, 0.7);
        break;
    case Mouth::Shout:
        ellipsePath(cr, x, y + 0.9, width * 0.42, 1.8);
        setColor(cr, inside);
        cairo_fill_preserve(cr);
        strokeOutline(cr, 0.7);
        ellipsePath(cr, x, y + 2.0, width * 0.25, 0.6);
        setColor(cr, palette::rubber);
        cairo_fill(cr);
        break;
    case Mouth::Grimace:
        roundedRect(cr, x - width * 0.5, y - 0.3, width, 1.8, 0.6);
        setColor(cr, palette::white);
        cairo_fill_preserve(cr);
        strokeOutline(cr, 0.7);
        cairo_move_to(cr, x - width * 0.5, y + 0.6);
        cairo_line_to(cr, x + width * 0.5, y + 0.6);
        setColor(cr, withAlpha(palette::outline, 0.8));
        cairo_set_line_width(cr, 0.5);
        cairo_stroke(cr);
        break;
    case Mouth::Whistle:
    case Mouth::Puffed:
        ellipsePath(cr, x, y + 0.4, 0.7, 0.7);
        setColor(cr, inside);
        cairo_fill_preserve(cr);
        strokeOutline(cr, 0.6);
        break;
    case Mouth::Wobbly:
        cairo_move_to(cr, x - width * 0.5, y + 0.3);
        for (int i = 1; i <= 4; ++i)
            cairo_line_to(cr, x - width * 0.5 + width * i / 4.0, y + 0.3 + (i % 2 ? -0.5 : 0.5));
        cairo_stroke(cr);
        break;
    }
}

void drawMustache(cairo_t* cr, double x, double y, double width, Color hair)
{
    cairo_new_path(cr);
    cairo_move_to(cr, x, y - 0.6);
    cairo_curve_to(cr, x - width * 0.3, y - 1.5, x - width * 0.6, y - 0.6, x - width * 0.62, y + 0.9);
    cairo_curve_to(cr, x - width * 0.4, y + 0.4, x - width * 0.2, y + 1.0, x, y + 0.4);
    cairo_curve_to(cr, x + width * 0.2, y + 1.0, x + width * 0.4, y + 0.4, x + width * 0.62, y + 0.9);
    cairo_curve_to(cr, x + width * 0.6, y - 0.6, x + width * 0.3, y - 1.5, x, y - 0.6);
    cairo_close_path(cr);
    setColor(cr, hair);
    cairo_fill_preserve(cr);
    setColor(cr, kHairLine);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
}

void drawHead(cairo_t* cr, const Pose& p, const Skeleton& s, Color skin, Color hair)
{
    double t = p.back ? 0 : p.turn;
    cairo_save(cr);
    cairo_translate(cr, s.head.x, s.head.y);
    cairo_rotate(cr, s.headAngle);
    drawHair(cr, p, p.back ? 0 : t, hair);

    double phi = t * 62 * M_PI / 180;
    auto faceX = [&](double alpha) { return kHeadRadius * std::sin(phi + alpha); };
    auto facing = [&](double alpha) { return std::cos(phi + alpha); };
    const double eyeAlpha = 24 * M_PI / 180;

    // Ears behind the head when seen edge-on, on it when turned toward us.
    for (double side : {-1.0, 1.0}) {
        double a = side * M_PI / 2;
        double c = facing(a);
        if (p.back || c < 0.3) {
            if (c > -0.3 || p.back)
                blob(cr, p.back ? side * 6.3 : faceX(a) * 0.98, 0.8, 1.4, 1.9, skin, 0.8);
        }
    }
    blob(cr, 0, 0, kHeadRadius, kHeadRadius, skin);
    if (p.back) {
        // The back of the head: a bald crown above a wild fringe.
        cairo_save(cr);
        cairo_translate(cr, 0, 2.6);
        drawHair(cr, p, 0, hair);
        cairo_restore(cr);
        cairo_save(cr);
        ellipsePath(cr, 0, 0, kHeadRadius - 0.4, kHeadRadius - 0.4);
        cairo_clip(cr);
        ellipsePath(cr, 0, 3.6, 7.6, 5.4);
        fillShaded(cr, hair, -2, 9);
        cairo_new_path(cr);
        cairo_restore(cr);
        drawHighlight(cr, -1.6, -3.8, 2.0, 1.1, 0.45);
        cairo_restore(cr);
        return;
    }
    for (double side : {-1.0, 1.0}) {
        double a = side * M_PI / 2;
        if (facing(a) >= 0.3)
            blob(cr, faceX(a) * 0.95, 0.8, 1.3 * facing(a) + 0.3, 1.8, skin, 0.8);
    }
    drawHighlight(cr, -1.6 + t * 1.2, -3.6, 2.2, 1.3, 0.35);
    if (p.blush > 0) {
        for (double side : {-1.0, 1.0}) {
            double a = side * 0.75;
            if (facing(a) > 0.2) {
                ellipsePath(cr, faceX(a), 2.4, 1.3 * facing(a), 0.8);
                setColor(cr, withAlpha(palette::rubber, 0.45 * p.blush));
                cairo_fill(cr);
            }
        }
    }
    // Cheeks blown up for the whistle.
    if (p.mouth == Mouth::Puffed) {
        for (double side : {-1.0, 1.0}) {
            double a = side * 0.55;
            if (facing(a) > 0.1)
                blob(cr, faceX(a) * 1.02, 3.2, 1.7 * facing(a) + 0.4, 1.6, skin, 0.7);
        }
    }
    double mouthX = faceX(0) * 0.93;
    drawMouth(cr, mouthX, 4.6, 2.8, p);
    drawMustache(cr, faceX(0) * 0.95, 3.1, lerp(5.6, 3.4, t), hair);
    // Nose.
    double noseX = faceX(0) + std::sin(phi) * 1.4;
    ellipsePath(cr, noseX, 1.4, 1.5, 1.35);
    setColor(cr, darker(skin, 0.04));
    cairo_fill_preserve(cr);
    setColor(cr, darker(skin, 0.5));
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    drawHighlight(cr, noseX - 0.4, 0.9, 0.5, 0.4, 0.6);
    // Glasses: lenses, bridge and the arm toward the ear.
    double lensY = -0.9;
    Point lenses[2];
    bool shown[2];
    for (int i = 0; i < 2; ++i) {
        double a = (i == 0 ? -1 : 1) * eyeAlpha;
        lenses[i] = {faceX(a), lensY};
        shown[i] = facing(a) > 0.25;
    }
    if (shown[0] && shown[1]) {
        cairo_move_to(cr, lenses[0].x + 2.0 * facing(-eyeAlpha), lensY - 0.4);
        cairo_line_to(cr, lenses[1].x - 2.0 * facing(eyeAlpha), lensY - 0.4);
    }
    if (t > 0.4) {
        cairo_move_to(cr, lenses[0].x - 2.0 * facing(-eyeAlpha), lensY - 0.3);
        cairo_line_to(cr, faceX(-M_PI / 2) * 0.9, lensY + 0.1);
    }
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    for (int i = 0; i < 2; ++i) {
        if (!shown[i])
            continue;
        double a = (i == 0 ? -1 : 1) * eyeAlpha;
        double squeeze = std::max(0.45, facing(a));
        drawLens(cr, lenses[i].x, lenses[i].y, squeeze, p);
        double inward = i == 0 ? 1 : -1;
        double raise = p.brows + (p.eyes == Eyes::Worried ? 0.6 : 0);
        drawBrow(cr, lenses[i].x, lensY - 3.2, squeeze, raise, p.eyes == Eyes::Worried ? -inward : inward, hair);
    }
    cairo_restore(cr);
}

void drawProp(cairo_t* cr, const Pose& p, const Skeleton& s)
{
    if (p.prop == Prop::None || p.prop == Prop::Whistle)
        return;
    cairo_save(cr);
    cairo_translate(cr, s.handB.x, s.handB.y);
    cairo_rotate(cr, p.propAngle);
    switch (p.prop) {
    case Prop::Inflator: {
        // A brass pump: barrel pointing forward, plunger at the back, a
        // rubber nozzle at the front.
        double stroke = p.propValue;
        limb(cr, {{-4.5 - stroke * 2.5, 0}, {-2.5, 0}}, 1.0, palette::metal, 0.6);
        blob(cr, -5.0 - stroke * 2.5, 0, 0.8, 1.6, palette::metalDark, 0.6);
        roundedRect(cr, -2.6, -1.6, 6.4, 3.2, 1.2);
        fillAndOutline(cr, Color{0.86, 0.64, 0.26}, -1.6, 1.6, 0.8);
        cairo_move_to(cr, 3.8, -1.0);
        cairo_line_to(cr, 6.0, -0.5);
        cairo_line_to(cr, 6.0, 0.5);
        cairo_line_to(cr, 3.8, 1.0);
        cairo_close_path(cr);
        fillAndOutline(cr, palette::rubber, -1, 1, 0.7);
        break;
    }
    case Prop::FrostGun:
    case Prop::HeatGun:
        drawRayGun(cr, p.prop == Prop::FrostGun, p.propValue);
        break;
    case Prop::EmpDevice:
        drawEmpGadget(cr, p.propValue);
        break;
    case Prop::Flask: {
        cairo_move_to(cr, -0.7, -5.6);
        cairo_line_to(cr, 0.7, -5.6);
        cairo_line_to(cr, 0.7, -3.4);
        cairo_line_to(cr, 2.8, 0.8);
        cairo_line_to(cr, -2.8, 0.8);
        cairo_line_to(cr, -0.7, -3.4);
        cairo_close_path(cr);
        setColor(cr, withAlpha(palette::white, 0.6));
        cairo_fill_preserve(cr);
        strokeOutline(cr, 0.7);
        double level = 0.6;
        cairo_move_to(cr, -2.3 + 0.0, -0.2 - level * 1.5);
        cairo_line_to(cr, 2.3, -0.2 - level * 1.5);
        cairo_line_to(cr, 2.5, 0.5);
        cairo_line_to(cr, -2.5, 0.5);
        cairo_close_path(cr);
        setColor(cr, art::mix(Color{0.35, 0.85, 0.35}, Color{0.85, 0.35, 0.85}, p.propValue));
        cairo_fill(cr);
        break;
    }
    case Prop::YoYo: {
        double drop = p.propValue;
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 0, drop);
        setColor(cr, palette::outline);
        cairo_set_line_width(cr, 0.45);
        cairo_stroke(cr);
        blob(cr, 0, drop + 1.4, 1.5, 1.5, palette::red, 0.7);
        break;
    }
    case Prop::Magnifier: {
        limb(cr, {{0, 0}, {1.6, -2.4}}, 1.1, palette::woodDark, 0.6);
        ellipsePath(cr, 3.1, -4.8, 2.8, 2.8);
        setColor(cr, withAlpha(kLens, 0.55));
        cairo_fill_preserve(cr);
        setColor(cr, palette::outline);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        drawHighlight(cr, 2.2, -5.9, 0.9, 0.5, 0.8);
        break;
    }
    case Prop::None:
    case Prop::Whistle:
        break;
    }
    cairo_restore(cr);
}

void drawWhistle(cairo_t* cr, const Skeleton& s, const Pose& p)
{
    double phi = p.turn * 62 * M_PI / 180;
    cairo_save(cr);
    cairo_translate(cr, s.head.x, s.head.y);
    cairo_rotate(cr, s.headAngle);
    double x = kHeadRadius * std::sin(phi) * 0.93;
    roundedRect(cr, x - 1.3 + p.turn * 1.2, 4.2, 3.0, 1.8, 0.7);
    fillAndOutline(cr, Color{0.85, 0.86, 0.9}, 4.2, 6.0, 0.6);
    cairo_restore(cr);
}

} // namespace

void drawRayGun(cairo_t* cr, bool frost, double glow)
{
    Color body = frost ? Color{0.55, 0.78, 0.95} : Color{0.92, 0.42, 0.22};
    Color tank = frost ? palette::frost : palette::flame;
    // Grip under the hand, body above and forward, tank on top.
    limb(cr, {{-0.4, 0.4}, {-0.9, 2.4}}, 1.6, palette::metalDark, 0.6);
    roundedRect(cr, -2.4, -2.6, 7.0, 3.0, 1.4);
    fillAndOutline(cr, body, -2.6, 0.4, 0.8);
    blob(cr, -0.2, -3.4, 1.8, 1.4, tank, 0.7);
    drawHighlight(cr, -0.7, -3.9, 0.7, 0.4, 0.8);
    // The muzzle flares out.
    cairo_move_to(cr, 4.4, -2.2);
    cairo_line_to(cr, 7.4, -2.9);
    cairo_line_to(cr, 7.4, 0.7);
    cairo_line_to(cr, 4.4, 0.0);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::metal, -2.9, 0.7, 0.7);
    if (glow > 0)
        drawSoftGlow(cr, 8.2, -1.1, 2.5 + 3.0 * glow, withAlpha(frost ? palette::frost : palette::flame, 0.9 * glow));
}

void drawEmpGadget(cairo_t* cr, double charge)
{
    roundedRect(cr, -2.2, -3.2, 4.4, 4.0, 0.9);
    fillAndOutline(cr, palette::metalDark, -3.2, 0.8, 0.8);
    blob(cr, 0, -1.2, 1.1, 1.1, charge > 0.5 ? palette::yellow : palette::blue, 0.6);
    limb(cr, {{0.8, -3.2}, {1.6, -6.0}}, 0.6, palette::metal, 0.5);
    blob(cr, 1.6, -6.3, 0.8, 0.8, palette::red, 0.5);
    if (charge > 0)
        drawSoftGlow(cr, 0, -2.0, 3 + 4 * charge, withAlpha(Color{0.5, 0.8, 1.0}, 0.8 * charge));
}

Pose mix(const Pose& a, const Pose& b, double t)
{
    Pose r = t < 0.5 ? a : b;
    auto m = [t](double x, double y) { return lerp(x, y, t); };
    r.turn = m(a.turn, b.turn);
    r.x = m(a.x, b.x);
    r.y = m(a.y, b.y);
    r.spin = m(a.spin, b.spin);
    r.lean = m(a.lean, b.lean);
    r.squash = m(a.squash, b.squash);
    r.legA = m(a.legA, b.legA);
    r.kneeA = m(a.kneeA, b.kneeA);
    r.legB = m(a.legB, b.legB);
    r.kneeB = m(a.kneeB, b.kneeB);
    r.armA = m(a.armA, b.armA);
    r.elbowA = m(a.elbowA, b.elbowA);
    r.armB = m(a.armB, b.armB);
    r.elbowB = m(a.elbowB, b.elbowB);
    r.headTilt = m(a.headTilt, b.headTilt);
    r.lookX = m(a.lookX, b.lookX);
    r.lookY = m(a.lookY, b.lookY);
    r.brows = m(a.brows, b.brows);
    r.hairLift = m(a.hairLift, b.hairLift);
    r.frazzle = m(a.frazzle, b.frazzle);
    r.soot = m(a.soot, b.soot);
    r.coatFlare = m(a.coatFlare, b.coatFlare);
    r.blush = m(a.blush, b.blush);
    r.propAngle = m(a.propAngle, b.propAngle);
    r.propValue = m(a.propValue, b.propValue);
    return r;
}

void drawProfessor(cairo_t* cr, const Pose& p, int facing)
{
    Skeleton s = solve(p);
    Color skin = art::mix(palette::skin, kSoot, p.soot);
    Color coat = art::mix(palette::labCoat, Color{0.38, 0.36, 0.35}, p.soot * 0.7);
    Color hair = art::mix(palette::hairWhite, Color{0.36, 0.34, 0.34}, std::max(p.frazzle, p.soot) * 0.6);
    Color trousers = art::mix(kTrousers, kSoot, p.soot * 0.6);
    Color shoes = kShoes;
    bool profile = p.turn >= 0.5 && !p.back;
    bool frontView = !profile;

    cairo_save(cr);
    stageTransform(cr, p, facing);
    if (profile) {
        drawArm(cr, s.shoulderA, s.elbowA, s.handA, darker(coat, 0.14), darker(skin, 0.1));
        drawLeg(cr, s.hipA, s.kneeA, s.ankleA, s.shinA, false, darker(trousers, 0.18), darker(shoes, 0.15));
        drawLeg(cr, s.hipB, s.kneeB, s.ankleB, s.shinB, false, trousers, shoes);
        drawCoat(cr, p, s, coat);
        drawHead(cr, p, s, skin, hair);
        if (p.prop == Prop::Whistle)
            drawWhistle(cr, s, p);
        drawArm(cr, s.shoulderB, s.elbowB, s.handB, coat, skin);
    } else {
        drawLeg(cr, s.hipA, s.kneeA, s.ankleA, s.shinA, frontView, trousers, shoes);
        drawLeg(cr, s.hipB, s.kneeB, s.ankleB, s.shinB, frontView, trousers, shoes);
        drawCoat(cr, p, s, coat);
        if (p.back) {
            drawHead(cr, p, s, skin, hair);
            drawArm(cr, s.shoulderA, s.elbowA, s.handA, coat, skin);
            drawArm(cr, s.shoulderB, s.elbowB, s.handB, coat, skin);
        } else {
            drawArm(cr, s.shoulderA, s.elbowA, s.handA, coat, skin);
            drawHead(cr, p, s, skin, hair);
            if (p.prop == Prop::Whistle)
                drawWhistle(cr, s, p);
            drawArm(cr, s.shoulderB, s.elbowB, s.handB, coat, skin);
        }
    }
    drawProp(cr, p, s);
    cairo_restore(cr);
}

Point handPosition(const Pose& pose, bool handB, int facing)
{
    Skeleton s = solve(pose);
    return toStage(handB ? s.handB : s.handA, pose, facing);
}

Point footPosition(const Pose& pose, bool footB, int facing)
{
    Skeleton s = solve(pose);
    return toStage(footB ? s.ankleB : s.ankleA, pose, facing);
}

Point headCentre(const Pose& pose, int facing)
{
    return toStage(solve(pose).head, pose, facing);
}

void reach(Pose& pose, bool handB, Point target, double bend)
{
    Skeleton s = solve(pose);
    Point shoulder = handB ? s.shoulderB : s.shoulderA;
    double dx = target.x - shoulder.x, dy = target.y - shoulder.y;
    double distance = std::hypot(dx, dy);
    distance = std::fmin(std::fmax(distance, kUpperArm - kForearm + 0.05), kUpperArm + kForearm - 0.05);
    double base = std::atan2(dx, dy);
    double cosine = (kUpperArm * kUpperArm + distance * distance - kForearm * kForearm) / (2 * kUpperArm * distance);
    double inner = std::acos(std::fmax(-1.0, std::fmin(1.0, cosine)));
    double upper = base - bend * inner;
    Point elbow = shoulder + polar(kUpperArm, upper);
    double fore = std::atan2(target.x - elbow.x, target.y - elbow.y);
    double& arm = handB ? pose.armB : pose.armA;
    double& elbowAngle = handB ? pose.elbowB : pose.elbowA;
    arm = upper - pose.spin;
    elbowAngle = std::remainder(fore - upper, 2 * M_PI);
}

Pose standing(double turn)
{
    Pose p;
    p.turn = turn;
    p.armA = -0.12;
    p.armB = 0.12;
    p.elbowA = 0.25;
    p.elbowB = 0.25;
    if (turn < 0.5) {
        p.armA = -0.22;
        p.armB = 0.22;
        p.elbowA = -0.1;
        p.elbowB = 0.1;
        p.lookX = 0;
    }
    p.lookX = turn * 0.6;
    return p;
}

Pose front()
{
    Pose p = standing(0);
    p.lookX = 0;
    p.lookY = 0.1;
    return p;
}

Pose crouching(double depth)
{
    Pose p = front();
    p.squash = 1 - 0.2 * depth;
    p.legA = -0.45 * depth;
    p.kneeA = -0.9 * depth;
    p.legB = 0.45 * depth;
    p.kneeB = 0.9 * depth;
    return p;
}

Pose walking(double phase, double turn)
{
    Pose p = standing(turn);
    double w = std::sin(2 * M_PI * phase);
    double c = std::cos(2 * M_PI * phase);
    p.legA = 0.62 * w;
    p.legB = -0.62 * w;
    // The leg swinging forward lifts its knee.
    p.kneeA = 0.15 + 0.75 * std::max(0.0, c);
    p.kneeB = 0.15 + 0.75 * std::max(0.0, -c);
    p.armA = -0.55 * w;
    p.armB = 0.55 * w;
    p.elbowA = 0.5 + 0.3 * std::max(0.0, -w);
    p.elbowB = 0.5 + 0.3 * std::max(0.0, w);
    p.y = 0.9 * std::fabs(w) - 0.3;
    p.lean = 0.12;
    p.headTilt = -0.05;
    p.coatFlare = 0.15;
    return p;
}

} // namespace professor
