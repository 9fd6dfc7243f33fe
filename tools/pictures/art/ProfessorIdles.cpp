// Little moments the professor has when left standing: scratching his head,
// tapping his foot, looking about, stretching, sneezing, a chemistry
// mishap, a yo-yo, juggling, the magnifying glass and a jig.
#include "ProfessorSeries.h"

#include <cmath>

using namespace figure;

namespace professor {

namespace {

// A: puzzled, he scratches his head (0..3 raise the hand, 4..6 scratch).
Pose idleA(int frame)
{
    Pose p = front();
    double up = ease(std::min(frame, 3) / 3.0);
    double scratch = frame >= 4 ? (frame - 4) / 2.0 : 0;
    Point top{3.5 + scratch * 1.8, -31.5 + scratch * 1.0};
    reach(p, true, {lerp(4.5, top.x, up), lerp(-12, top.y, up)}, -1);
    p.brows = 0.6 * up;
    p.lookX = 0.4 * up;
    p.lookY = -0.5 * up;
    p.mouth = up > 0.5 ? Mouth::Wobbly : Mouth::Smile;
    p.headTilt = -0.12 * up;
    p.eyes = frame >= 4 && frame % 2 ? Eyes::Squint : Eyes::Open;
    return p;
}

// B: arms folded, tapping his foot.
Pose idleB(int frame)
{
    Pose p = front();
    reach(p, false, {3.0, -14.5}, -1);
    reach(p, true, {-3.0, -13.5}, 1);
    double tap = frame % 5 < 2 ? 1 : 0;
    p.legB = 0.25 * tap;
    p.kneeB = -0.45 * tap;
    p.y = 0;
    p.headTilt = 0.1 * wave(frame / 11.0);
    p.eyes = Eyes::HalfShut;
    p.mouth = Mouth::Frown;
    p.brows = -0.3;
    p.lookX = 0.3 * wave(frame / 11.0);
    return p;
}

// C: looks off to one side (0..4) and then, a hand shading his eyes, to the
// other (9..12).
void drawIdleC(cairo_t* cr, int frame)
{
    bool second = frame >= 9;
    double t = second ? (frame - 9) / 3.0 : frame / 4.0;
    Pose p = front();
    p.turn = 0.55 * ease(t);
    p.lookX = 1.0 * ease(t);
    p.lookY = -0.2;
    if (second) {
        reach(p, true, {5.5, -27.5}, -1);
        p.brows = 0.5;
        p.mouth = Mouth::Open;
    } else {
        p.brows = -0.4 * t;
        p.mouth = Mouth::Frown;
    }
    drawProfessor(cr, p, second ? 1 : -1);
}

// D: morning exercises: a big stretch with a yawn (0..5), knee bends
// (11..17).
Pose idleD(int frame)
{
    Pose p = front();
    if (frame <= 5) {
        double t = ease(frame / 5.0);
        reach(p, false, {lerp(-4.5, -7.0, t), lerp(-12, -27, t)}, 1);
        reach(p, true, {lerp(4.5, 7.0, t), lerp(-12, -27, t)}, -1);
        p.y = -0.6 * t;
        p.eyes = t > 0.6 ? Eyes::Closed : Eyes::Open;
        p.mouth = t > 0.6 ? Mouth::Shout : Mouth::Smile;
        p.headTilt = 0;
        return p;
    }
    double t = bump((frame - 11) / 6.0);
    p = crouching(t);
    p.armA = -0.2 + 1.5 * t;
    p.armB = 0.2 - 1.5 * t;
    p.elbowA = -0.2;
    p.elbowB = 0.2;
    p.mouth = Mouth::Grin;
    p.eyes = t > 0.5 ? Eyes::Squint : Eyes::Open;
    return p;
}

// E: ah... ah... CHOO!
void drawIdleE(cairo_t* cr, int frame)
{
    Pose p = front();
    if (frame <= 8) {
        double t = ease(frame / 8.0);
        p.headTilt = 0;
        p.lookY = -0.8 * t;
        p.y = -0.8 * t;
        p.eyes = t > 0.4 ? Eyes::Squint : Eyes::Open;
        p.mouth = t > 0.3 ? Mouth::Open : Mouth::Smile;
        p.brows = 0.8 * t;
        p.armA = -0.2 - 0.4 * t;
        p.armB = 0.2 + 0.4 * t;
        p.hairLift = 0.3 * t;
    } else if (frame <= 11) {
        p.squash = frame == 9 ? 0.9 : 0.95;
        p.eyes = Eyes::Closed;
        p.mouth = Mouth::Shout;
        p.hairLift = 1.6;
        p.coatFlare = 0.6;
        p.brows = -0.5;
        p.armA = -0.7;
        p.armB = 0.7;
    } else if (frame <= 16) {
        p.eyes = Eyes::Dizzy;
        p.mouth = Mouth::Wobbly;
        p.hairLift = 0.6 - (frame - 12) * 0.1;
    } else {
        reach(p, true, {0.5, -21.5}, 1);
        p.eyes = Eyes::Happy;
        p.mouth = Mouth::Smile;
        p.blush = 1;
    }
    drawProfessor(cr, p, 1);
    if (frame >= 9 && frame <= 13) {
        Point head = headCentre(p, 1);
        double k = (frame - 9) / 4.0;
        for (int i = 0; i < 5; ++i) {
            double a = -0.9 + i * 0.45;
            double r = 8 + 9 * k;
            ellipsePath(cr, head.x + r * std::sin(a), head.y + 6 + r * 0.5 * std::cos(a) * 0.6, 0.9 - 0.4 * k,
                        0.9 - 0.4 * k);
        }
        setColor(cr, withAlpha(Color{0.75, 0.9, 1.0}, 1 - k * 0.7));
        cairo_fill(cr);
        motionLines(cr, head.x - 14, head.y - 2, 4, 3, 3, 1 - k);
    }
}

// F: a chemistry moment: out comes a flask, it is swirled, turns colour,
// fizzes, goes poof, and leaves him sooty and sheepish.
void drawIdleF(cairo_t* cr, int frame)
{
    Pose p = front();
    double out = ramp(frame, 0, 6) * (1 - ramp(frame, 55, 60));
    Point held{lerp(4.0, 5.5, out), lerp(-13, -20.5, out)};
    double swirl = frame >= 15 && frame < 25 ? 0.35 * wave((frame - 15) / 5.0) : 0;
    double shake = frame >= 31 && frame < 35 ? (frame % 2 ? 0.8 : -0.8) : 0;
    held.x += shake + swirl * 3;
    reach(p, true, held, -1);
    p.prop = out > 0.1 ? Prop::Flask : Prop::None;
    p.propAngle = swirl;
    p.propValue = ramp(frame, 25, 31);
    p.lookX = 0.8 * out;
    p.lookY = 0.1;
    p.eyes = frame >= 7 && frame < 15 ? Eyes::Squint : Eyes::Open;
    p.mouth = frame >= 25 && frame < 35 ? Mouth::Open : Mouth::Smile;
    p.brows = frame >= 25 && frame < 35 ? 0.8 : 0;
    if (frame >= 35) {
        double after = ramp(frame, 35, 40);
        p.soot = 0.55 * after * (1 - ramp(frame, 47, 54));
        p.frazzle = 0.8 * after * (1 - ramp(frame, 47, 58));
        p.hairLift = 1.4 * (1 - ramp(frame, 35, 44));
        p.eyes = frame >= 38 && frame < 47 && frame % 3 == 0 ? Eyes::Closed : Eyes::Wide;
        p.mouth = frame < 47 ? Mouth::Wobbly : Mouth::Grin;
        p.brows = 0.9;
        if (frame >= 47 && frame < 55) {
            // Wiping his face with the free hand.
            reach(p, false, {-1.0 + 1.5 * wave((frame - 47) / 4.0), -23.5}, 1);
            p.eyes = Eyes::Closed;
        }
        if (frame >= 55)
            p.blush = 1;
    }
    drawProfessor(cr, p, 1);
    Point hand = handPosition(p, true, 1);
    if (frame >= 25 && frame < 35) {
        for (int i = 0; i < 3; ++i) {
            double t = std::fmod(frame * 0.25 + i / 3.0, 1.0);
            ellipsePath(cr, hand.x + std::sin(i * 2.0 + t * 6) * 1.2, hand.y - 6 - t * 7, 0.6 + t * 0.6,
                        0.6 + t * 0.6);
        }
        setColor(cr, withAlpha(Color{0.85, 0.55, 0.95}, 0.9));
        cairo_fill(cr);
    }
    if (frame >= 35 && frame < 44) {
        double k = (frame - 35) / 9.0;
        puff(cr, hand.x, hand.y - 5 - 6 * k, 4.5 + 3 * k, Color{0.62, 0.58, 0.62}, 1 - k);
        if (frame < 37)
            star(cr, hand.x, hand.y - 4, 4.5, 0.3, palette::flame);
    }
}

// G: the yo-yo. 0 and 1 wind up, 2 holds it, 2..6 sends it down and 6..3
// brings it back.
Pose idleG(int frame)
{
    Pose p = front();
    const double handY[] = {-17, -19, -15, -14.5, -14, -13.8, -13.8};
    const double drop[] = {1, 1, 1, 3.5, 7, 10, 12};
    reach(p, true, {5.0, handY[frame]}, -1);
    p.prop = Prop::YoYo;
    p.propValue = drop[frame];
    p.propAngle = 0;
    p.lookX = 0.6;
    p.lookY = 0.2 + frame * 0.12;
    p.mouth = frame >= 5 ? Mouth::Grin : Mouth::Smile;
    return p;
}

// H: juggling three balls over a 17-frame cascade.
void drawIdleH(cairo_t* cr, int frame)
{
    double t = frame / 17.0;
    Pose p = front();
    reach(p, false, {-4.5, -15.5 + 1.5 * std::sin(2 * M_PI * t)}, 1);
    reach(p, true, {4.5, -15.5 - 1.5 * std::sin(2 * M_PI * t)}, -1);
    p.lookY = -0.9;
    p.lookX = 0.6 * std::cos(2 * M_PI * t * 3);
    p.mouth = Mouth::Grin;
    p.brows = 0.4;
    drawProfessor(cr, p, 1);
    const Color colours[] = {palette::red, palette::yellow, palette::blue};
    for (int i = 0; i < 3; ++i) {
        double phase = std::fmod(t * 3 + i / 3.0 * 3, 3.0) / 3.0;
        double x = -6.0 * std::cos(2 * M_PI * phase);
        double y = -17.5 - 19.0 * std::fmax(0.0, std::sin(2 * M_PI * phase)) + 1.5 * std::fmax(0.0, -std::sin(2 * M_PI * phase));
        blob(cr, x, y, 1.5, 1.5, colours[i], 0.7);
    }
}

// I: the magnifying glass sweeps across, one huge eye behind it.
Pose idleI(int frame)
{
    double s = wave(frame / 12.0);
    Pose p = front();
    p.turn = 0.2 + 0.15 * s;
    reach(p, true, {1.5 + 3.0 * s, -21.0 + 0.5 * std::cos(2 * M_PI * frame / 12.0)}, -1);
    p.prop = Prop::Magnifier;
    p.propAngle = -0.2;
    p.lookX = 0.8 * s;
    p.lookY = 0.4;
    p.brows = 0.7;
    p.mouth = Mouth::Open;
    return p;
}

// J: a happy little jig, hopping from foot to foot.
Pose idleJ(int frame)
{
    double t = frame / 14.0;
    double s = wave(t);
    Pose p = front();
    p.y = -2.2 * std::fabs(std::sin(2 * M_PI * t));
    p.legA = -0.2 + 0.3 * std::fmax(0.0, s);
    p.kneeA = -0.9 * std::fmax(0.0, s);
    p.legB = 0.2 - 0.3 * std::fmax(0.0, -s);
    p.kneeB = 0.9 * std::fmax(0.0, -s);
    p.armA = -2.2 + 0.5 * s;
    p.armB = 2.2 + 0.5 * s;
    p.elbowA = 0.6;
    p.elbowB = -0.6;
    p.turn = 0.15 * s + 0.15;
    p.eyes = Eyes::Happy;
    p.mouth = Mouth::Grin;
    p.hairLift = 0.4 + 0.3 * std::fabs(s);
    p.coatFlare = 0.3;
    return p;
}

} // namespace

void registerIdles(Registry& registry, const char* family)
{
    addPoses(registry, family, "profidleA", 0, 6, ".tga", {10, 36}, 1, idleA);
    addPoses(registry, family, "profidleB", 0, 10, ".tga", {14, 38}, 1, idleB);
    // C and D each play two stretches of their numbers in one sprite.
    auto glances = seriesFrames("profidleC", 0, 4, ".tga", drawIdleC);
    for (Frame& frame : seriesFrames("profidleC", 9, 12, ".tga", drawIdleC))
        glances.push_back(frame);
    addGroup(registry, family, 17, 32, glances);
    auto exercise = [](cairo_t* cr, int f) { drawProfessor(cr, idleD(f), 1); };
    auto exercises = seriesFrames("profidleD", 0, 5, ".tga", exercise);
    for (Frame& frame : seriesFrames("profidleD", 11, 17, ".tga", exercise))
        exercises.push_back(frame);
    addGroup(registry, family, 11, 33, exercises);
    figure::addSeries(registry, family, "profidleE", 0, 22, ".tga", 12, 37, drawIdleE);
    figure::addSeries(registry, family, "profidleF", 0, 60, ".tga", 26, 35, drawIdleF);
    addPoses(registry, family, "profidleG", 0, 6, ".tga", {14, 35}, 1, idleG);
    figure::addSeries(registry, family, "profidleH", 0, 16, ".png", 20, 36, drawIdleH);
    addPoses(registry, family, "profidleI", 0, 11, ".png", {22, 34}, 1, idleI);
    addPoses(registry, family, "profidleJ", 0, 13, ".png", {14, 31}, 1, idleJ);
}

} // namespace professor
