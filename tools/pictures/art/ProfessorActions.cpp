// The professor using his power-ups: the inflator, the EMP gadget, the
// whistle, the frost gun and the heat gun.
#include "ProfessorSeries.h"

#include <cmath>

using namespace figure;

namespace professor {

namespace {

// The gadget comes out of the coat, is held out in front and goes back.
// `out` is how far it is out: 0 in the pocket, 1 held at the aim point.
Pose holding(Prop prop, double out, Point aim)
{
    Pose p = standing(1);
    Point pocket{1.5, -15.5};
    Point hand{lerp(pocket.x, aim.x, out), lerp(pocket.y, aim.y, out)};
    reach(p, true, hand, 1);
    reach(p, false, {hand.x - 2.2 * out, hand.y + 1.2 * out}, 1);
    p.prop = out > 0.15 ? prop : Prop::None;
    p.propAngle = lerp(-0.9, 0, out);
    p.lookX = 0.9;
    p.lookY = 0.2;
    return p;
}

// Frames 0..7 pump up an inflatable in the next cell; 8 and 9 put the pump
// away (the "standing" end of the animation).
void drawInflating(cairo_t* cr, int frame, int facing)
{
    const double out[] = {0.3, 0.8, 1, 1, 1, 1, 1, 1, 0.6, 0.2};
    const double stroke[] = {0, 0, 0, 1, 0, 1, 0, 1, 0, 0};
    Point aim{5.0, -13.5};
    Pose p = holding(Prop::Inflator, out[frame], aim);
    // The back hand works the plunger.
    if (frame >= 2 && frame <= 7)
        reach(p, false, {aim.x - 5.5 - stroke[frame] * 2.5, aim.y}, 1);
    p.propValue = stroke[frame];
    p.lean = 0.05 + 0.05 * stroke[frame];
    p.mouth = frame >= 2 && frame <= 7 ? Mouth::Grin : Mouth::Smile;
    p.eyes = frame >= 8 ? Eyes::Happy : Eyes::Open;
    p.brows = frame >= 2 && frame <= 7 ? -0.2 : 0.2;
    drawProfessor(cr, p, facing);
    if (stroke[frame] > 0) {
        Point hand = handPosition(p, true, 1);
        cairo_save(cr);
        cairo_scale(cr, facing, 1);
        puff(cr, hand.x + 8.5, hand.y, 1.6, palette::white, 0.9);
        puff(cr, hand.x + 11.5, hand.y - 1.5, 1.1, palette::white, 0.6);
        cairo_restore(cr);
    }
}

// The gun: out, aim, fire on frame 3 (the shot leaves then), recoil, a puff
// from the muzzle, and back into the coat.
void drawFiring(cairo_t* cr, int frame, int facing, bool frost)
{
    const double out[] = {0.3, 0.75, 1, 1, 1, 1, 1, 1, 0.9, 0.55, 0.2};
    const double recoil[] = {0, 0, 0, 1, 0.7, 0.35, 0.1, 0, 0, 0, 0};
    Point aim{5.5 - recoil[frame] * 1.5, -14.5 - recoil[frame] * 1.5};
    Pose p = holding(frost ? Prop::FrostGun : Prop::HeatGun, out[frame], aim);
    p.propAngle -= recoil[frame] * 0.45;
    p.propValue = frame == 3 ? 1 : (frame == 4 ? 0.5 : 0);
    p.lean = 0.05 - recoil[frame] * 0.2;
    p.x = -recoil[frame] * 0.8;
    p.eyes = frame == 2 ? Eyes::Squint : (frame == 3 || frame == 4 ? Eyes::Wide : Eyes::Open);
    p.mouth = frame == 3 || frame == 4 ? Mouth::Open : (frame >= 8 ? Mouth::Grin : Mouth::Smile);
    p.brows = frame == 2 ? -0.6 : (recoil[frame] > 0.3 ? 0.8 : 0);
    p.hairLift = recoil[frame] * 0.6;
    drawProfessor(cr, p, facing);
    if (frame >= 5 && frame <= 8) {
        // What is left at the muzzle: frosty mist or a curl of smoke.
        Point hand = handPosition(p, true, 1);
        cairo_save(cr);
        cairo_scale(cr, facing, 1);
        double k = (frame - 5) / 3.0;
        if (frost)
            puff(cr, hand.x + 9 + k * 2, hand.y - 2 - k * 4, 1.4 + k, palette::frost, 0.8 - 0.6 * k);
        else
            smokeWisp(cr, hand.x + 8.5, hand.y - 2, 8, k * 0.6, 0.9);
        cairo_restore(cr);
    }
}

// EMP: faces us, lifts the gadget overhead, it charges and bursts; his hair
// stands on end with the static.
void drawEmp(cairo_t* cr, int frame)
{
    const double lift[] = {0.2, 0.6, 1, 1, 1, 1, 1, 1, 1, 0.7, 0.3};
    const double charge[] = {0, 0, 0.1, 0.35, 0.6, 0.85, 1, 0.8, 0.5, 0.2, 0};
    Pose p = front();
    double l = lift[frame];
    reach(p, true, {lerp(2.5, 5.0, l), lerp(-15, -26.5, l)}, -1);
    p.armA = -0.5 - 0.6 * charge[frame];
    p.elbowA = -0.4;
    p.prop = Prop::EmpDevice;
    p.propValue = charge[frame];
    p.hairLift = charge[frame] * 1.6 + (frame >= 9 ? 0.8 : 0);
    p.frazzle = frame >= 7 ? 0.4 : 0;
    p.eyes = charge[frame] > 0.7 ? Eyes::Squint : (frame >= 9 ? Eyes::Happy : Eyes::Open);
    p.mouth = charge[frame] > 0.7 ? Mouth::Grin : Mouth::Smile;
    p.lookX = 0.3;
    p.lookY = -0.6 * l;
    double c = charge[frame];
    if (c >= 0.5) {
        // Rings of the pulse spreading from the gadget.
        Point device = handPosition(p, true, 1);
        for (int i = 0; i < 2; ++i) {
            double r = 4 + 3.5 * i + (frame - 5) * 1.2;
            ellipsePath(cr, device.x, device.y - 3, r, r * 0.75);
            setColor(cr, withAlpha(Color{0.55, 0.85, 1.0}, 0.75 * c * (1 - 0.35 * i)));
            cairo_set_line_width(cr, 1.6 - 0.5 * i);
            cairo_stroke(cr);
        }
    }
    drawProfessor(cr, p, 1);
    if (c >= 0.3) {
        Point device = handPosition(p, true, 1);
        for (int i = 0; i < 3; ++i) {
            double a = -M_PI / 2 + (i - 1) * 0.9 + std::sin(frame * 1.7) * 0.3;
            double r = 3 + 5 * c;
            zigzag(cr, device.x + 3 * std::cos(a), device.y - 4 + 3 * std::sin(a), device.x + r * std::cos(a) * 1.8,
                   device.y - 4 + r * std::sin(a) * 1.4, 3, 0.9, Color{0.75, 0.95, 1.0}, 0.7);
        }
    }
}

// The whistle: to the lips, cheeks full, a shrill blast in rings, down again.
void drawWhistle(cairo_t* cr, int frame)
{
    const double up[] = {0.4, 1, 1, 1, 1, 1, 1, 0.8, 0.3};
    Pose p = front();
    double u = up[frame];
    Point mouth{0.2, -20.5};
    reach(p, true, {lerp(3.5, mouth.x + 2.0, u), lerp(-12, mouth.y + 0.5, u)}, 1);
    bool blowing = frame >= 2 && frame <= 6;
    p.prop = u > 0.9 ? Prop::Whistle : Prop::None;
    p.mouth = blowing ? Mouth::Puffed : (frame == 1 ? Mouth::Open : Mouth::Smile);
    p.eyes = blowing ? Eyes::Squint : Eyes::Open;
    p.brows = blowing ? 0.8 : 0;
    p.hairLift = blowing ? 0.5 + 0.2 * (frame % 2) : 0;
    p.blush = blowing ? 0.8 : 0;
    drawProfessor(cr, p, 1);
    if (blowing) {
        Point head = headCentre(p, 1);
        for (int i = 0; i < 3; ++i) {
            double r = 3 + i * 3 + (frame % 2) * 1.5;
            for (double side : {-1.0, 1.0}) {
                cairo_new_sub_path(cr);
                cairo_arc(cr, head.x + side * 7, head.y + 4, r, side > 0 ? -0.7 : M_PI - 0.7, side > 0 ? 0.7 : M_PI + 0.7);
            }
            setColor(cr, withAlpha(palette::white, 0.9 - 0.25 * i));
            cairo_set_line_width(cr, 1.1);
            cairo_stroke(cr);
        }
    }
}

} // namespace

void registerActions(Registry& registry, const char* family)
{
    addPair(registry, family, "profinflate", 0, 9, ".tga", {25, 35}, {23, 36}, drawInflating);
    addPair(registry, family, "profgun", 0, 10, ".tga", {21, 35}, {15, 35},
            [](cairo_t* cr, int f, int facing) { drawFiring(cr, f, facing, true); });
    addPair(registry, family, "proffireheatgun", 0, 10, ".png", {21, 35}, {15, 35},
            [](cairo_t* cr, int f, int facing) { drawFiring(cr, f, facing, false); });
    figure::addSeries(registry, family, "profemp", 0, 10, ".tga", 14, 38, drawEmp);
    figure::addSeries(registry, family, "profwhistle", 0, 8, ".tga", 19, 34, drawWhistle);
}

} // namespace professor
