// The professor of the main menu: the same scientist as in the levels (white
// lab coat, wild white hair, round glasses), drawn large, in three-quarter
// view facing the menu. The menu animates him in parts: the head leans in,
// turns to the player and winks; the arms rise, one holding up a bubbling
// flask, the other with a finger raised.
#include "MenuProfessor.h"

#include "../Registry.h"
#include "Scenery.h"

#include <algorithm>
#include <cmath>

namespace {

// Where the menu screen puts each part (top-left corners); every part is
// drawn in screen coordinates so that the parts meet.
constexpr double headX = 61, headY = 128;
constexpr double bodyX = 84, bodyY = 226;
constexpr double leftArmX = 123, leftArmY = 184;
constexpr double rightArmX = 126, rightArmY = 204;
// The menu's professor stands this much lower inside his pictures, so that
// his head is clear of the clouds drifting in the sky band above him.
constexpr int figureDrop = 80;

constexpr double headCentreX = 127, headCentreY = 190;  // the skull at rest
constexpr double neckX = 136, neckY = 252;               // the head tilts about this point
constexpr double headRadius = 41;

constexpr Color shirt{0.80, 0.88, 0.98};
constexpr Color glassFrame{0.30, 0.20, 0.14};
constexpr Color flaskLiquid{0.40, 0.92, 0.45};

double lerp(double a, double b, double t) { return a + (b - a) * t; }
double ease(double t) { return t * t * (3 - 2 * t); }

struct HeadPose {
    double lean = 0;       // 0 upright .. 1 leaning in towards the menu
    double turn = 0;       // 0 three-quarter view .. 1 facing the player
    double brows = 0;      // raised eyebrows
    double open = 0;       // open mouth (delight)
    double wink = 0;       // the far eye closing
    double glint = 0;      // a sparkle on the glasses
};

HeadPose headPose(int frame)
{
    HeadPose pose;
    if (frame <= 5) {
        double t = ease(frame / 5.0);
        pose.lean = t;
        pose.brows = t;
        pose.open = 0.8 * t;
    } else if (frame <= 15) {
        double t = ease((frame - 5) / 10.0);
        pose.lean = 1;
        pose.turn = t;
        pose.brows = lerp(1, 0.6, t);
        pose.open = lerp(0.8, 0.5, t);
    } else {
        // A wink at the player, ending where the turn ended.
        const double wink[] = {0, 0.35, 0.8, 1, 1, 1, 0.6, 0.25, 0, 0, 0};
        const double glint[] = {0, 0, 0.3, 0.8, 1, 0.7, 0.3, 0, 0, 0, 0};
        pose.lean = 1;
        pose.turn = 1;
        pose.wink = wink[frame - 16];
        pose.glint = glint[frame - 16];
        pose.brows = 0.6;
        pose.open = 0.5;
    }
    return pose;
}

// Head-local geometry: origin at the skull's centre, before the lean.
struct Face {
    double u;          // turn
    double centre;     // x of the face's middle line
    double nearEye, farEye, eyeY;
    double farSquash;  // the far side is foreshortened in three-quarter view
};

Face faceFor(const HeadPose& pose)
{
    Face f;
    f.u = pose.turn;
    f.centre = 14 * (1 - f.u);
    f.nearEye = f.centre - lerp(12, 15, f.u);
    f.farEye = f.centre + lerp(13, 15, f.u);
    f.eyeY = 2;
    f.farSquash = lerp(0.68, 1, f.u);
    return f;
}

// One strand of wild hair: a curved flame from the mane outwards.
void hairSpike(cairo_t* cr, double angle, double from, double length, double width, double curl)
{
    double bx = std::cos(angle) * from, by = std::sin(angle) * from;
    double nx = std::cos(angle), ny = std::sin(angle);
    double tx = -ny, ty = nx;
    double tipX = bx + nx * length + tx * curl, tipY = by + ny * length + ty * curl;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, bx - tx * width, by - ty * width);
    cairo_curve_to(cr, bx + nx * length * 0.5 - tx * width * 0.7, by + ny * length * 0.5 - ty * width * 0.7,
                   tipX - tx * 1.5 - nx * 3, tipY - ty * 1.5 - ny * 3, tipX, tipY);
    cairo_curve_to(cr, bx + nx * length * 0.6 + tx * width * 0.2, by + ny * length * 0.6 + ty * width * 0.2,
                   bx + nx * length * 0.3 + tx * width * 0.9, by + ny * length * 0.3 + ty * width * 0.9,
                   bx + tx * width, by + ty * width);
    cairo_close_path(cr);
}

// The mane: fluffy lumps round the back and sides with strands flying out,
// a bare crown. It turns with the head: the far side's mane sits hidden
// behind the skull in three-quarter view and comes out as he faces the player.
void hairPath(cairo_t* cr, const Face& f)
{
    const double r = headRadius;
    struct Lump { double back, frontal, distBack, distFront, size; };
    const Lump lumps[] = {
        {112, 122, r - 4, r - 4, 10},  {134, 142, r + 1, r + 1, 14},  {158, 163, r + 4, r + 4, 16},
        {183, 185, r + 5, r + 4, 17},  {208, 206, r + 4, r + 3, 15},  {230, 226, r + 2, r + 1, 13},
        {250, 244, r - 1, r - 1, 10},  {62, 58, r * 0.3, r - 4, 9},   {40, 38, r * 0.3, r - 1, 12},
        {18, 17, r * 0.3, r + 1, 13},  {-4, -5, r * 0.3, r + 1, 14},  {-26, -26, r * 0.3, r + 1, 13},
        {-48, -46, r * 0.3, r, 11},    {-66, -64, r * 0.3, r - 2, 9}};
    struct Spike { double back, frontal, length, width, curl; };
    const Spike spikes[] = {{146, 150, 16, 11, -7}, {176, 176, 20, 12, 8}, {200, 199, 18, 12, -8},
                            {224, 221, 16, 10, 7},  {248, 244, 14, 8, -6}, {34, 30, 12, 9, 6},
                            {8, 4, 15, 10, -7},     {-18, -20, 14, 10, 7}, {-42, -40, 12, 8, -6}};
    cairo_new_path(cr);
    for (const Lump& l : lumps) {
        double deg = lerp(l.back, l.frontal, f.u) * M_PI / 180;
        double dist = lerp(l.distBack, l.distFront, f.u);
        ellipsePath(cr, std::cos(deg) * dist, std::sin(deg) * dist * 1.04, l.size, l.size);
    }
    for (const Spike& s : spikes) {
        // Strands of the far side come out from behind the skull late in the turn.
        double grown = s.back < 90 ? std::clamp((f.u - 0.5) * 2, 0.0, 1.0) : 1;
        if (grown <= 0)
            continue;
        hairSpike(cr, lerp(s.back, s.frontal, f.u) * M_PI / 180, r + 8 * grown - 4 * (1 - grown), s.length * grown,
                  s.width * grown, s.curl * grown);
    }
}

// Outline round the whole mane first, then the body over it, so only the
// outer edge keeps a line; a few curls give it texture.
void drawHair(cairo_t* cr, const Face& f)
{
    hairPath(cr, f);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 4.4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    hairPath(cr, f);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    fillLinear(cr, -40, -60, 20, 50, palette::white, Color{0.76, 0.79, 0.88});
    cairo_new_path(cr);
    const double curls[][2] = {{165, 1}, {195, 1}, {222, 1}, {20, 0}, {-10, 0}, {-35, 0}};
    for (const auto& c : curls) {
        if (c[1] == 0 && f.u < 0.5)
            continue;
        double deg = c[0] * M_PI / 180, d = headRadius + 6;
        double x = std::cos(deg) * d, y = std::sin(deg) * d;
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, y, 5, deg + 0.6, deg + 2.6);
    }
    setColor(cr, Color{0.62, 0.66, 0.78});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// A few wisps standing up from the bald crown.
void drawWisps(cairo_t* cr, const Face& f)
{
    const double wisps[][3] = {{-100, 16, 7}, {-84, 20, -8}, {-70, 14, 6}};
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& w : wisps) {
            double deg = (w[0] + 10 * f.u) * M_PI / 180, d = headRadius - 3;
            double x = std::cos(deg) * d, y = std::sin(deg) * d * 1.04;
            double tx = x + std::cos(deg) * w[1], ty = y + std::sin(deg) * w[1];
            cairo_move_to(cr, x, y);
            cairo_curve_to(cr, x + w[2], ty + 4, tx - w[2], ty + 2, tx + w[2] * 0.6, ty);
        }
        if (pass == 0) {
            setColor(cr, palette::outline);
            cairo_set_line_width(cr, 4.2);
        } else {
            setColor(cr, palette::hairWhite);
            cairo_set_line_width(cr, 2);
        }
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
}

void drawEar(cairo_t* cr, double x, double y, double squash)
{
    ellipsePath(cr, x, y, 7 * squash, 10);
    fillAndOutline(cr, darker(palette::skin, 0.04), y - 10, y + 10, 2);
    cairo_move_to(cr, x + 2 * squash, y - 5);
    cairo_curve_to(cr, x - 3 * squash, y - 4, x - 3 * squash, y + 4, x + 1 * squash, y + 5);
    setColor(cr, withAlpha(darker(palette::skin, 0.35), 0.8));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void facePath(cairo_t* cr, const Face& f)
{
    cairo_new_path(cr);
    ellipsePath(cr, 0, -2, headRadius, headRadius * 1.04);
    // Cheeks and chin, further forward while the head is turned away.
    ellipsePath(cr, f.centre * 0.7, 14, 27, 22);
}

void drawEyebrow(cairo_t* cr, double x, double y, double squash, double tilt)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, tilt);
    cairo_scale(cr, squash, 1);
    cairo_move_to(cr, -11, 3);
    cairo_curve_to(cr, -8, -5, 6, -6, 12, 1);
    cairo_curve_to(cr, 5, -1, -5, -1, -11, 3);
    cairo_close_path(cr);
    cairo_restore(cr);
    setColor(cr, palette::hairWhite);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.6);
}

void drawFaceEye(cairo_t* cr, double x, double y, double squash, double closed, double lookX)
{
    if (closed > 0.85) {
        // A happy closed eye.
        cairo_move_to(cr, x - 5 * squash, y + 1);
        cairo_curve_to(cr, x - 2 * squash, y - 3, x + 2 * squash, y - 3, x + 5 * squash, y + 1);
        strokeOutline(cr, 2);
        return;
    }
    double open = 1 - closed;
    ellipsePath(cr, x, y, 5.4 * squash, 6.2 * open + 0.6);
    setColor(cr, palette::white);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.4);
    ellipsePath(cr, x + lookX * squash, y + 0.5 * open, 3.0 * squash, 3.5 * open + 0.3);
    setColor(cr, Color{0.20, 0.32, 0.55});
    cairo_fill(cr);
    ellipsePath(cr, x + lookX * squash, y + 0.5 * open, 1.6 * squash, 1.9 * open + 0.2);
    setColor(cr, palette::outline);
    cairo_fill(cr);
    if (open > 0.5)
        drawHighlight(cr, x + lookX * squash - 1, y - 1.5, 1.1, 1.1, 0.9);
}

void drawGlasses(cairo_t* cr, const Face& f, double glint)
{
    const double radius = 11.5;
    // The near side's temple runs back to the ear.
    if (f.u < 0.9) {
        cairo_move_to(cr, f.nearEye - radius, f.eyeY - 1);
        cairo_line_to(cr, lerp(-15, -37, f.u) + 4, f.eyeY + 2);
        setColor(cr, glassFrame);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, f.nearEye + radius * 0.95, f.eyeY - 1);
    cairo_curve_to(cr, f.centre - 2, f.eyeY - 4, f.centre + 2, f.eyeY - 4, f.farEye - radius * f.farSquash * 0.95,
                   f.eyeY - 1);
    setColor(cr, glassFrame);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    const double lenses[][2] = {{f.nearEye, 1}, {f.farEye, f.farSquash}};
    for (const auto& lens : lenses) {
        ellipsePath(cr, lens[0], f.eyeY, radius * lens[1], radius);
        setColor(cr, Color{0.85, 0.95, 1.0, 0.25});
        cairo_fill_preserve(cr);
        setColor(cr, glassFrame);
        cairo_set_line_width(cr, 2.4);
        cairo_stroke(cr);
        // A glint across the glass.
        cairo_move_to(cr, lens[0] - 5 * lens[1], f.eyeY - 2);
        cairo_line_to(cr, lens[0] - 1 * lens[1], f.eyeY - 6);
        setColor(cr, Color{1, 1, 1, 0.75});
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    if (glint > 0) {
        // A sparkle on the near lens as he winks.
        double sx = f.nearEye - 5, sy = f.eyeY - 6, s = 7 * glint;
        drawSparkle(cr, sx, sy, s, Color{1, 1, 0.85, glint}, 2);
        drawSoftGlow(cr, sx, sy, s * 1.2, Color{1, 1, 0.8, 0.8 * glint});
    }
}

void drawMouth(cairo_t* cr, const Face& f, double open)
{
    double x = f.centre + 5 * (1 - f.u), y = 30.5;
    double left = 12, right = 12 * f.farSquash;
    if (open < 0.1) {
        cairo_move_to(cr, x - left, y - 2);
        cairo_curve_to(cr, x - left * 0.4, y + 5, x + right * 0.5, y + 5, x + right, y - 3);
        strokeOutline(cr, 2.2);
        return;
    }
    double drop = 4 + 9 * open;
    cairo_move_to(cr, x - left, y - 2);
    cairo_curve_to(cr, x - left * 0.3, y - 1, x + right * 0.4, y - 1, x + right, y - 3);
    cairo_curve_to(cr, x + right * 0.6, y + drop, x - left * 0.6, y + drop, x - left, y - 2);
    cairo_close_path(cr);
    setColor(cr, Color{0.55, 0.14, 0.16});
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    ellipsePath(cr, x + 1, y + drop - 1, 7, 4);
    setColor(cr, palette::rubber);
    cairo_fill(cr);
    cairo_rectangle(cr, x - left, y - 4, left + right, 4);
    setColor(cr, palette::white);
    cairo_fill(cr);
    cairo_restore(cr);
    strokeOutline(cr, 2);
}

// A bushy white moustache under the nose, the far half foreshortened.
void drawMoustache(cairo_t* cr, double x, double y, const Face& f)
{
    double near = 15, far = 15 * f.farSquash;
    cairo_new_path(cr);
    cairo_move_to(cr, x, y - 3);
    cairo_curve_to(cr, x - near * 0.4, y - 6, x - near * 0.9, y - 3, x - near, y + 4);
    cairo_curve_to(cr, x - near * 0.7, y + 2, x - near * 0.35, y + 5, x, y + 2.5);
    cairo_curve_to(cr, x + far * 0.35, y + 5, x + far * 0.7, y + 2, x + far, y + 4);
    cairo_curve_to(cr, x + far * 0.9, y - 3, x + far * 0.4, y - 6, x, y - 3);
    cairo_close_path(cr);
    fillLinear(cr, 0, y - 6, 0, y + 5, palette::white, Color{0.80, 0.82, 0.90});
    strokeOutline(cr, 1.8);
}

void drawHeadAt(cairo_t* cr, const HeadPose& pose)
{
    Face f = faceFor(pose);
    cairo_save(cr);
    // Lean in: tilt towards the menu about the neck and shift forward.
    cairo_translate(cr, neckX + 4 * pose.lean, neckY + 2 * pose.lean);
    cairo_rotate(cr, 0.14 * pose.lean);
    cairo_translate(cr, headCentreX - neckX, headCentreY - neckY);

    // Neck.
    cairo_move_to(cr, -8, 24);
    cairo_line_to(cr, -9, 72);
    cairo_line_to(cr, 20, 72);
    cairo_line_to(cr, 19, 28);
    cairo_close_path(cr);
    fillAndOutline(cr, darker(palette::skin, 0.12), 24, 72, 2);
    // Mane behind the head, the far ear when facing the player.
    drawHair(cr, f);
    if (f.u > 0.5)
        drawEar(cr, 39, 8, 0.8);
    // Skull and face, with a soft shade on the back of the head.
    facePath(cr, f);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    fillShaded(cr, palette::skin, -40, 40);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    ellipsePath(cr, lerp(-40, -52, f.u), 0, 26, 44);
    setColor(cr, withAlpha(darker(palette::skin, 0.2), 0.35));
    cairo_fill(cr);
    if (f.u > 0.5) {
        ellipsePath(cr, 52, 0, 26 * (f.u - 0.5) * 2, 44);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    strokeOutline(cr, 2.2);
    drawWisps(cr, f);
    drawEar(cr, lerp(-15, -39, f.u), 8, lerp(1, 0.8, f.u));
    // Rosy cheeks.
    drawSoftGlow(cr, f.nearEye - 3, 20, 10, withAlpha(palette::rubber, 0.35));
    drawSoftGlow(cr, f.farEye + 3 * f.farSquash, 20, 10 * f.farSquash, withAlpha(palette::rubber, 0.35));
    // Eyes behind the glasses, eyebrows above.
    double look = lerp(1.6, 0, f.u);
    drawFaceEye(cr, f.nearEye, f.eyeY, 1, 0, look);
    drawFaceEye(cr, f.farEye, f.eyeY, f.farSquash, pose.wink, look);
    double lift = 5 * pose.brows;
    drawEyebrow(cr, f.nearEye - 1, f.eyeY - 16 - lift - 2 * pose.wink, 1.15, -0.12);
    drawEyebrow(cr, f.farEye + 1, f.eyeY - 16 - lift + 3 * pose.wink, 1.15 * f.farSquash, 0.12 + 0.15 * pose.wink);
    drawGlasses(cr, f, pose.glint);
    // Nose: round, pointing the way he looks.
    double noseX = f.centre + 11 * (1 - f.u);
    drawMouth(cr, f, pose.open);
    drawMoustache(cr, noseX - 1, 23.5, f);
    ellipsePath(cr, noseX, 15, 8, 7.4);
    fillAndOutline(cr, Color{0.98, 0.70, 0.58}, 8, 22, 2.2);
    drawHighlight(cr, noseX - 2.5, 12.5, 2.5, 1.8, 0.6);
    cairo_restore(cr);
}

void drawHead(cairo_t* cr, int frame)
{
    cairo_translate(cr, -headX, -headY + figureDrop);
    drawHeadAt(cr, headPose(frame));
}

// ---- body -----------------------------------------------------------------

void drawBody(cairo_t* cr)
{
    cairo_translate(cr, -bodyX, -bodyY + figureDrop);
    // Coat: rounded shoulders, three-quarter view facing right.
    cairo_new_path(cr);
    cairo_move_to(cr, 102, 446);
    cairo_curve_to(cr, 100, 380, 100, 300, 108, 270);
    cairo_curve_to(cr, 114, 250, 132, 243, 152, 243);
    cairo_curve_to(cr, 174, 243, 190, 252, 196, 272);
    cairo_curve_to(cr, 204, 320, 210, 390, 208, 446);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::labCoat, 242, 446, 2.4);
    // Shade down the back.
    cairo_move_to(cr, 104, 300);
    cairo_curve_to(cr, 100, 350, 102, 400, 104, 446);
    cairo_line_to(cr, 120, 446);
    cairo_curve_to(cr, 114, 400, 112, 340, 116, 290);
    cairo_close_path(cr);
    setColor(cr, withAlpha(Color{0.55, 0.62, 0.75}, 0.3));
    cairo_fill(cr);
    // Shirt and bow tie in the opening of the coat.
    cairo_move_to(cr, 140, 244);
    cairo_line_to(cr, 166, 244);
    cairo_line_to(cr, 176, 330);
    cairo_line_to(cr, 162, 340);
    cairo_close_path(cr);
    fillAndOutline(cr, shirt, 244, 340, 1.8);
    // Collar points.
    cairo_move_to(cr, 140, 244);
    cairo_line_to(cr, 150, 262);
    cairo_line_to(cr, 156, 248);
    cairo_close_path(cr);
    cairo_move_to(cr, 166, 244);
    cairo_line_to(cr, 168, 262);
    cairo_line_to(cr, 157, 248);
    cairo_close_path(cr);
    setColor(cr, palette::white);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.6);
    cairo_move_to(cr, 158, 256);
    cairo_line_to(cr, 144, 248);
    cairo_line_to(cr, 145, 266);
    cairo_close_path(cr);
    cairo_move_to(cr, 158, 256);
    cairo_line_to(cr, 172, 248);
    cairo_line_to(cr, 172, 266);
    cairo_close_path(cr);
    fillAndOutline(cr, palette::red, 248, 266, 1.8);
    ellipsePath(cr, 158, 257, 3.5, 4);
    fillAndOutline(cr, darker(palette::red, 0.15), 253, 261, 1.6);
    // Lapels.
    cairo_move_to(cr, 136, 246);
    cairo_curve_to(cr, 146, 270, 156, 300, 164, 344);
    cairo_line_to(cr, 150, 300);
    cairo_line_to(cr, 132, 286);
    cairo_line_to(cr, 128, 250);
    cairo_close_path(cr);
    fillAndOutline(cr, darker(palette::labCoat, 0.04), 246, 344, 2);
    cairo_move_to(cr, 170, 246);
    cairo_curve_to(cr, 174, 270, 176, 300, 174, 334);
    cairo_line_to(cr, 186, 292);
    cairo_line_to(cr, 194, 282);
    cairo_line_to(cr, 184, 254);
    cairo_close_path(cr);
    fillAndOutline(cr, darker(palette::labCoat, 0.04), 246, 334, 2);
    // Breast pocket with pens on the far side.
    roundedRect(cr, 178, 318, 22, 20, 3);
    fillAndOutline(cr, darker(palette::labCoat, 0.03), 318, 338, 1.6);
    const Color pens[] = {palette::blue, palette::red, palette::yellow};
    for (int i = 0; i < 3; ++i) {
        roundedRect(cr, 181 + i * 6, 306 - (i % 2) * 3, 4, 14, 1.5);
        fillAndOutline(cr, pens[i], 304, 320, 1.2);
    }
    roundedRect(cr, 178, 318, 22, 8, 3);
    fillAndOutline(cr, darker(palette::labCoat, 0.03), 318, 326, 1.6);
    // Buttons down the front.
    for (int i = 0; i < 3; ++i) {
        ellipsePath(cr, 180 + i * 1.5, 356 + i * 30, 3.2, 3.2);
        fillAndOutline(cr, palette::metal, 352 + i * 30, 360 + i * 30, 1.3);
    }
}

// ---- arms -----------------------------------------------------------------

struct ArmPose {
    double shoulderX, shoulderY;
    double upper, fore;        // directions (radians, 0 = right, pi/2 = down)
    double upperLength, foreLength;
};

void limbPath(cairo_t* cr, double x0, double y0, double x1, double y1, double w0, double w1)
{
    double dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
    double nx = -dy / len, ny = dx / len;
    double a = std::atan2(dy, dx);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x0, y0, w0 / 2, a + M_PI / 2, a + 3 * M_PI / 2);
    cairo_line_to(cr, x1 + nx * w1 / 2 * -1, y1 + ny * w1 / 2 * -1);
    cairo_arc(cr, x1, y1, w1 / 2, a - M_PI / 2, a + M_PI / 2);
    cairo_line_to(cr, x0 + nx * w0 / 2, y0 + ny * w0 / 2);
    cairo_close_path(cr);
}

// Coat sleeve from shoulder to wrist; returns the wrist.
void drawSleeve(cairo_t* cr, const ArmPose& arm, double& wristX, double& wristY)
{
    double ex = arm.shoulderX + std::cos(arm.upper) * arm.upperLength;
    double ey = arm.shoulderY + std::sin(arm.upper) * arm.upperLength;
    wristX = ex + std::cos(arm.fore) * arm.foreLength;
    wristY = ey + std::sin(arm.fore) * arm.foreLength;
    auto sleeve = [&]() {
        cairo_new_path(cr);
        limbPath(cr, arm.shoulderX, arm.shoulderY, ex, ey, 28, 24);
        limbPath(cr, ex, ey, wristX, wristY, 24, 21);
    };
    // Outline then body, so the elbow joins without a seam.
    sleeve();
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 4.6);
    cairo_stroke(cr);
    sleeve();
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    fillShaded(cr, palette::labCoat, std::min(arm.shoulderY, wristY) - 12, std::max(arm.shoulderY, wristY) + 12);
    cairo_new_path(cr);
    // A crease at the elbow and the cuff.
    double px = -std::sin(arm.fore), py = std::cos(arm.fore);
    cairo_move_to(cr, ex + px * 7, ey + py * 7);
    cairo_line_to(cr, ex + px * 2 + std::cos(arm.fore) * 6, ey + py * 2 + std::sin(arm.fore) * 6);
    setColor(cr, withAlpha(Color{0.55, 0.62, 0.75}, 0.8));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    double cx = wristX - std::cos(arm.fore) * 5, cy = wristY - std::sin(arm.fore) * 5;
    cairo_move_to(cr, cx + px * 11, cy + py * 11);
    cairo_line_to(cr, cx - px * 11, cy - py * 11);
    strokeOutline(cr, 1.8);
}

void drawPointingHand(cairo_t* cr, double x, double y, double angle)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle + M_PI / 2);
    cairo_scale(cr, 1.2, 1.2);
    // Fist with the index finger up (local: up is -y).
    roundedRect(cr, -2.5, -26, 7, 18, 3.5);
    fillAndOutline(cr, palette::skin, -26, -8, 1.8);
    roundedRect(cr, -9, -12, 18, 16, 7);
    fillAndOutline(cr, palette::skin, -12, 4, 2);
    cairo_move_to(cr, -9, -5);
    cairo_curve_to(cr, -14, -8, -13, -14, -6, -12);
    setColor(cr, palette::skin);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.8);
    cairo_move_to(cr, 4, -6);
    cairo_line_to(cr, 8, -6);
    cairo_move_to(cr, 4, -1);
    cairo_line_to(cr, 8, -1);
    strokeOutline(cr, 1.2);
    cairo_restore(cr);
}

void drawFlask(cairo_t* cr, double x, double y, double tilt, double bubbles)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, tilt);
    drawSoftGlow(cr, 0, 2, 22, withAlpha(flaskLiquid, 0.35));
    cairo_new_path(cr);
    cairo_move_to(cr, -4, -20);
    cairo_line_to(cr, -4, -9);
    cairo_arc(cr, 0, 3, 12.6, -1.89, -1.249 + 2 * M_PI);
    cairo_line_to(cr, 4, -20);
    cairo_close_path(cr);
    setColor(cr, Color{0.90, 0.97, 1.0, 0.85});
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_rectangle(cr, -14, -1, 28, 20);
    setColor(cr, flaskLiquid);
    cairo_fill(cr);
    for (int i = 0; i < 4; ++i) {
        double by = 8 - std::fmod(bubbles * 18 + i * 7, 22);
        ellipsePath(cr, -5 + i * 3.5, by, 1.6 + (i % 2), 1.6 + (i % 2));
        setColor(cr, Color{1, 1, 1, 0.8});
        cairo_fill(cr);
    }
    cairo_restore(cr);
    strokeOutline(cr, 2);
    roundedRect(cr, -5.5, -24, 11, 5, 2);
    fillAndOutline(cr, palette::woodDark, -24, -19, 1.6);
    drawHighlight(cr, -6, -2, 2.5, 4, 0.7);
    cairo_restore(cr);
}

void drawHoldingHand(cairo_t* cr, double x, double y, double angle)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    // Palm and fingers curled round the flask (local: forward is +x).
    ellipsePath(cr, 2, 0, 9, 8);
    fillAndOutline(cr, palette::skin, -8, 8, 2);
    for (int i = 0; i < 3; ++i) {
        roundedRect(cr, 6, -7 + i * 5, 9, 5, 2.5);
        fillAndOutline(cr, palette::skin, -7 + i * 5, -2 + i * 5, 1.4);
    }
    cairo_restore(cr);
}

// The near arm (the professor's right) holds up a bubbling flask.
void drawRightArm(cairo_t* cr, int frame)
{
    cairo_translate(cr, -rightArmX, -rightArmY + figureDrop);
    double t = ease(frame / 5.0);
    ArmPose arm{142, 266, lerp(1.45, 0.35, t), lerp(-0.25, -1.1, t), 56, lerp(50, 42, t)};
    double wx, wy;
    drawSleeve(cr, arm, wx, wy);
    double hx = wx + std::cos(arm.fore) * 6, hy = wy + std::sin(arm.fore) * 6;
    // The flask stands upright in the hand whatever the arm does.
    drawFlask(cr, hx + 7, hy - 12, 0.1 * (1 - t), frame / 5.0);
    drawHoldingHand(cr, hx, hy, arm.fore);
}

// The far arm (his left, behind the coat) rises with a finger up: "Aha!"
void drawLeftArm(cairo_t* cr, int frame)
{
    cairo_translate(cr, -leftArmX, -leftArmY + figureDrop);
    double t = ease(frame / 5.0);
    // The forearm comes up ahead of the upper arm so the hand stays close.
    double lead = ease(std::fmin(1, frame / 3.5));
    ArmPose arm{176, 262, lerp(1.62, -0.26, t), lerp(1.45, -1.1, lead), 48, 30};
    double wx, wy;
    drawSleeve(cr, arm, wx, wy);
    drawPointingHand(cr, wx + std::cos(arm.fore) * 5, wy + std::sin(arm.fore) * 5, lerp(-M_PI / 2, -1.35, t));
}

void registerProfessor(Registry& registry, const char* family)
{
    for (int frame = 0; frame <= 26; ++frame)
        addPicture(registry, family, seriesName("mainmenu_profhead", frame, ".png"), 140, 130 + figureDrop,
                   [frame](cairo_t* cr) { drawHead(cr, frame); });
    addPicture(registry, family, "mainmenu_profbody.png", 150, 220 + figureDrop, drawBody);
    // Frame 0 is the rest pose the menu starts from.
    for (int frame = 0; frame <= 5; ++frame) {
        addPicture(registry, family, seriesName("mainmenu_profleftarm", frame, ".png"), 140, 200 + figureDrop,
                   [frame](cairo_t* cr) { drawLeftArm(cr, frame); });
        addPicture(registry, family, seriesName("mainmenu_profrightarm", frame, ".png"), 130, 180 + figureDrop,
                   [frame](cairo_t* cr) { drawRightArm(cr, frame); });
    }
}

FamilyRegistration professor("mainmenu_professor", registerProfessor);

} // namespace

void drawProfessorBust(cairo_t* cr, double x, double y, double scale, bool facingPlayer)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_rectangle(cr, 0, 0, bustWidth, bustHeight);
    cairo_clip(cr);
    // The menu's parts in their own places, cut off below the chest.
    cairo_translate(cr, -headX + 4, -headY - figureDrop);
    cairo_save(cr);
    cairo_translate(cr, headX, headY);
    drawHead(cr, facingPlayer ? 15 : 0);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, bodyX, bodyY);
    drawBody(cr);
    cairo_restore(cr);
    cairo_restore(cr);
}
