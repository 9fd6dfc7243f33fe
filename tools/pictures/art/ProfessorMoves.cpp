// The professor getting about: standing, running, climbing, falling,
// pushing, sliding, riding barrels, crawling, turning, landing, the
// trampoline and the entrance and exit tube.
#include "ProfessorSeries.h"

#include <cmath>

using namespace figure;

namespace professor {

namespace {

// Standing: a slow breath (0..8, held at 8) and a blink (9, 10).
Pose breathing(double turn, int frame)
{
    Pose p = standing(turn);
    if (frame <= 8) {
        double t = ease(frame / 8.0);
        p.y = -0.5 * t;
        p.lean = -0.05 * t;
        p.headTilt = -0.08 * t;
        p.armA -= 0.1 * t;
        p.armB += 0.1 * t;
        p.hairLift = 0.25 * t;
        p.lookY = -0.3 * t;
    } else {
        p.eyes = frame == 9 ? Eyes::HalfShut : Eyes::Closed;
    }
    return p;
}

void registerStanding(Registry& r, const char* family)
{
    addPoses(r, family, "profstandmiddle", 0, 10, ".tga", {11, 35}, 1, [](int f) { return breathing(0, f); });
    addPoses(r, family, "profstandleft", 0, 10, ".tga", {11, 35}, -1, [](int f) { return breathing(0.8, f); });
    addPoses(r, family, "profstandright", 0, 10, ".tga", {11, 35}, 1, [](int f) { return breathing(0.8, f); });
}

Pose running(int frame)
{
    Pose p = walking(frame / 10.0, 1);
    p.lean = 0.18;
    p.legA *= 1.15;
    p.legB *= 1.15;
    p.mouth = Mouth::Smile;
    p.hairLift = 0.3;
    p.coatFlare = 0.35;
    return p;
}

void registerRunning(Registry& r, const char* family)
{
    addPair(r, family, "profrun", 0, 9, ".tga", {12, 36}, {9, 36},
            [](cairo_t* cr, int f, int facing) { drawProfessor(cr, running(f), facing); });
}

// On a ladder, seen from behind: hands and feet take turns (0 and 2 are the
// two reaches, 1 between them).
Pose climbing(int frame, bool down)
{
    Pose p = front();
    p.back = true;
    double s = frame == 0 ? 1 : (frame == 2 ? -1 : 0);
    auto knee = [](double lift, double& leg, double& kneeBend, double side) {
        leg = side * 0.9 * lift;
        kneeBend = side * 1.8 * lift;
    };
    knee(0.5 - 0.5 * s, p.legA, p.kneeA, -1);
    knee(0.5 + 0.5 * s, p.legB, p.kneeB, 1);
    p.y = -0.8 * std::fabs(s);
    p.headTilt = down ? 0.12 * s : -0.06 * s;
    // Hands on the rails, one rung apart.
    reach(p, false, {-8.0, lerp(-21.0, -29.5, 0.5 + 0.5 * s)}, 1);
    reach(p, true, {8.0, lerp(-21.0, -29.5, 0.5 - 0.5 * s)}, -1);
    return p;
}

// Crossing a ladder with nothing underfoot: hand over hand, knees tucked.
Pose ladderSwing(int frame)
{
    Pose p = standing(1);
    double s = wave(frame / 4.0);
    p.y = -1.5;
    p.spin = 0.12 * s;
    p.armB = 2.7 + 0.25 * s;
    p.elbowB = 0.2;
    p.armA = 2.2 - 0.4 * s;
    p.elbowA = 0.5;
    p.legA = 0.7 + 0.2 * s;
    p.kneeA = 1.4;
    p.legB = 0.4 - 0.2 * s;
    p.kneeB = 1.1;
    p.lookY = -0.5;
    p.mouth = Mouth::Grin;
    p.coatFlare = 0.3;
    return p;
}

void registerClimbing(Registry& r, const char* family)
{
    addPoses(r, family, "profclimbup", 0, 2, ".tga", {21, 25}, 1, [](int f) { return climbing(f, false); });
    addPoses(r, family, "profclimbdown", 0, 2, ".tga", {12, 31}, 1, [](int f) { return climbing(f, true); });
    addPair(r, family, "profladder", 0, 3, ".tga", {11, 35}, {11, 35},
            [](cairo_t* cr, int f, int facing) { drawProfessor(cr, ladderSwing(f), facing); });
}

// Falling, seen from the front: arms and legs flail in turn, speed lines rush
// past upward.
void drawFalling(cairo_t* cr, int frame)
{
    double s = wave(frame / 6.0);
    Pose p = front();
    p.armA = -2.5 + 0.45 * s;
    p.armB = 2.5 + 0.45 * s;
    p.elbowA = 0.5 * s;
    p.elbowB = 0.5 * s;
    p.legA = -0.35 + 0.25 * s;
    p.kneeA = -0.6 - 0.4 * s;
    p.legB = 0.35 + 0.25 * s;
    p.kneeB = 0.6 - 0.4 * s;
    p.y = -1;
    p.hairLift = 1.6;
    p.coatFlare = 0.9;
    p.eyes = Eyes::Wide;
    p.mouth = Mouth::Shout;
    p.brows = 1;
    p.lookY = -0.6;
    speedLines(cr, -8, 8, -40, 14, frame * 5.0, 6);
    drawProfessor(cr, p, 1);
}

Pose pushing(int frame)
{
    Pose p = walking(frame / 8.0, 1);
    p.lean = 0.5;
    p.legA = p.legA * 0.8 - 0.35;
    p.legB = p.legB * 0.8 - 0.35;
    p.armA = 1.3;
    p.armB = 1.45;
    p.elbowA = 0.35;
    p.elbowB = 0.25;
    p.y += 0.6;
    p.headTilt = -0.3;
    p.brows = -0.7;
    p.eyes = frame % 4 < 2 ? Eyes::Squint : Eyes::Open;
    p.mouth = Mouth::Grimace;
    p.coatFlare = 0.2;
    return p;
}

Pose sliding(int frame)
{
    Pose p = standing(1);
    double s = wave(frame / 4.0);
    p.legA = -0.55;
    p.kneeA = 0.3;
    p.legB = 0.5;
    p.kneeB = 0.4;
    p.y = 1.5 + 0.3 * s;
    p.lean = 0.08;
    p.armA = -1.5 + 0.15 * s;
    p.armB = 1.7 - 0.15 * s;
    p.elbowA = -0.2;
    p.elbowB = 0.1;
    p.hairLift = 0.5;
    p.coatFlare = 0.6;
    p.eyes = Eyes::Happy;
    p.mouth = Mouth::Grin;
    return p;
}

// Trying to walk on ice: feet whirl, arms windmill, nobody gets anywhere.
void drawScramble(cairo_t* cr, int frame, int facing)
{
    double phase = frame / 6.0;
    Pose p = walking(phase, 1);
    p.legA *= 1.1;
    p.legB *= 1.1;
    p.lean = -0.12;
    p.armA = 2 * M_PI * phase + 1.0;
    p.armB = 2 * M_PI * phase + 1.0 + M_PI;
    p.elbowA = 0.2;
    p.elbowB = 0.2;
    p.eyes = Eyes::Wide;
    p.mouth = Mouth::Grimace;
    p.brows = 0.8;
    p.hairLift = 0.4;
    cairo_save(cr);
    cairo_scale(cr, facing, 1);
    motionLines(cr, -9.5, -2, 4, 2, 2.5, 0.7);
    sweatDrop(cr, -6, -30 + (frame % 3), 1.1);
    cairo_restore(cr);
    drawProfessor(cr, p, facing);
}

void registerPushingAndSliding(Registry& r, const char* family)
{
    addPair(r, family, "profpush", 0, 7, ".tga", {17, 30}, {17, 30},
            [](cairo_t* cr, int f, int facing) { drawProfessor(cr, pushing(f), facing); });
    addPair(r, family, "profslide", 0, 3, ".tga", {9, 27}, {13, 29},
            [](cairo_t* cr, int f, int facing) { drawProfessor(cr, sliding(f), facing); });
    // Named after the way he slides: sliding left he faces right.
    figure::addSeries(r, family, "profslideleftuncool", 0, 5, ".tga", 9, 27,
                      [](cairo_t* cr, int f) { drawScramble(cr, f, 1); });
    figure::addSeries(r, family, "profsliderightuncool", 0, 5, ".tga", 13, 29,
                      [](cairo_t* cr, int f) { drawScramble(cr, f, -1); });
}

// Walking on the spot on top of a rolling barrel, arms out for balance.
Pose barrelRiding(int frame)
{
    Pose p = walking(frame / 10.0, 1);
    p.legA *= 0.6;
    p.legB *= 0.6;
    double s = wave(frame / 10.0);
    p.armA = -1.3 + 0.25 * s;
    p.armB = 1.4 + 0.25 * s;
    p.elbowA = -0.3;
    p.elbowB = 0.3;
    p.spin = 0.06 * s;
    p.lean = 0.05;
    p.lookY = 0.8;
    p.lookX = 0.3;
    p.headTilt = 0.15;
    p.brows = -0.4;
    p.mouth = Mouth::Wobbly;
    return p;
}

// On hands and knees under a low ceiling.
Pose crawling(int frame)
{
    double s = wave(frame / 6.0);
    Pose p = standing(1);
    p.x = -4;
    p.lean = 1.25;
    p.y = 4.2 - 0.3 * std::fabs(s);
    p.legA = 0.15 + 0.25 * s;
    p.kneeA = 1.55;
    p.legB = 0.15 - 0.25 * s;
    p.kneeB = 1.55;
    p.armA = 0.15 - 0.3 * s;
    p.armB = 0.15 + 0.3 * s;
    p.elbowA = 0.1;
    p.elbowB = 0.1;
    p.headTilt = -0.85;
    p.lookX = 0.8;
    p.mouth = Mouth::Frown;
    p.coatFlare = -0.2;
    return p;
}

void registerBarrelAndCrawl(Registry& r, const char* family)
{
    addPair(r, family, "profbarrel", 0, 9, ".tga", {13, 35}, {13, 35},
            [](cairo_t* cr, int f, int facing) { drawProfessor(cr, barrelRiding(f), facing); });
    addPair(r, family, "profcrawl", 0, 5, ".tga", {11, 15}, {11, 15},
            [](cairo_t* cr, int f, int facing) { drawProfessor(cr, crawling(f), facing); });
    addPair(r, family, "profturn", 0, 1, ".tga", {13, 36}, {13, 36}, [](cairo_t* cr, int f, int facing) {
        Pose p = standing(f == 0 ? 0.22 : 0.58);
        drawProfessor(cr, p, facing);
    });
}

void dust(cairo_t* cr, double spread, double alpha)
{
    puff(cr, -6 - spread, -2, 2.2 + spread * 0.3, Color{0.92, 0.88, 0.80}, alpha);
    puff(cr, 6 + spread, -2, 2.2 + spread * 0.3, Color{0.92, 0.88, 0.80}, alpha);
}

// Coming down on both feet: squash, rebound, stand.
void drawLanding(cairo_t* cr, int frame)
{
    const double squash[] = {0.84, 0.8, 1.07, 0.97, 1.01, 1.0};
    Pose p = crouching(clamp01((1 - squash[frame]) / 0.2));
    p.squash = squash[frame];
    double arms = frame == 0 ? 2.2 : (frame == 1 ? 1.1 : (frame == 2 ? 0.5 : 0.25));
    p.armA = -arms;
    p.armB = arms;
    p.hairLift = frame == 0 ? 1.2 : (frame == 2 ? 0.8 : 0.2);
    p.coatFlare = frame < 2 ? 0.6 : 0.1;
    p.eyes = frame == 0 ? Eyes::Wide : (frame == 1 ? Eyes::Squint : Eyes::Open);
    p.mouth = frame == 0 ? Mouth::Open : (frame == 1 ? Mouth::Grimace : Mouth::Smile);
    if (frame < 4)
        dust(cr, frame * 1.5, 1.0 - frame * 0.2);
    drawProfessor(cr, p, 1);
}

// Walking into the trampoline's net and pressing into it (2..6 loop while
// he keeps pushing).
Pose trampolinePress(int frame)
{
    const double press[] = {0.0, 0.3, 0.5, 0.62, 0.7, 0.62, 0.55};
    double k = press[frame];
    Pose p = walking(0.25, 1);
    // A lunge into the net: back leg long, front knee bent, hands flat on it.
    p.lean = 0.15 + k * 0.55;
    p.y = 1.5 + k * 3.0;
    p.legA = -0.3 - k * 0.6;
    p.kneeA = 0.1;
    p.legB = 0.45 + k * 0.2;
    p.kneeB = 0.5 + k * 0.6;
    p.armA = 1.5 + k * 0.5;
    p.armB = 1.8 + k * 0.4;
    p.elbowA = 0.3 - k * 0.3;
    p.elbowB = 0.2 - k * 0.3;
    p.headTilt = -0.35 * k;
    p.eyes = k > 0.45 ? Eyes::Squint : Eyes::Open;
    p.mouth = k > 0.45 ? Mouth::Grimace : Mouth::Open;
    p.brows = -0.5 * k;
    p.coatFlare = 0.3 * k;
    return p;
}

// Thrown back by the trampoline: 0..2 in the air facing it, 3..8 sat down
// hard, from the front, with stars going round.
Pose sittingDazed(double wobble)
{
    Pose p = front();
    p.y = 7.2;
    p.legA = -1.25;
    p.legB = 1.25;
    p.kneeA = -0.25;
    p.kneeB = 0.25;
    p.armA = -0.75;
    p.armB = 0.75;
    p.headTilt = 0.18 * wobble;
    p.eyes = Eyes::Dizzy;
    p.mouth = Mouth::Wobbly;
    p.lookX = 0;
    return p;
}

void dizzyStars(cairo_t* cr, const Pose& p, double turnPhase, double alpha)
{
    if (alpha <= 0)
        return;
    Point head = headCentre(p, 1);
    cairo_push_group(cr);
    for (int i = 0; i < 3; ++i) {
        double a = 2 * M_PI * (turnPhase + i / 3.0);
        star(cr, head.x + 8 * std::cos(a), head.y - 8 + 2.2 * std::sin(a), 2.6, a, palette::yellow);
    }
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
}

void drawFling(cairo_t* cr, int frame, int facing)
{
    if (frame <= 2) {
        Pose p = standing(1);
        const double spin[] = {-0.3, -0.45, -0.6};
        p.spin = spin[frame];
        p.y = -3.5 + frame;
        p.armA = 2.0 + 0.3 * frame;
        p.armB = 2.4 + 0.2 * frame;
        p.elbowA = 0.3;
        p.elbowB = 0.2;
        p.legA = 0.9;
        p.legB = 1.1;
        p.kneeA = 0.5;
        p.kneeB = 0.3;
        p.hairLift = 1.0;
        p.coatFlare = 0.8;
        p.eyes = Eyes::Wide;
        p.mouth = Mouth::Shout;
        p.brows = 1;
        cairo_save(cr);
        cairo_scale(cr, facing, 1);
        motionLines(cr, 6, -18, 6, 3, 4, 0.8);
        cairo_restore(cr);
        drawProfessor(cr, p, facing);
        return;
    }
    Pose p = sittingDazed(wave((frame - 3) / 6.0));
    if (frame == 3) {
        p.squash = 0.88;
        p.eyes = Eyes::Squint;
        p.mouth = Mouth::Grimace;
        dust(cr, 2, 0.8);
    }
    drawProfessor(cr, p, 1);
    dizzyStars(cr, p, (frame - 3) / 6.0, frame == 3 ? 0 : 1);
}

// Getting up again after the fling, from the front.
void drawRecovery(cairo_t* cr, int frame)
{
    Pose sit = sittingDazed(0);
    Pose crouch = crouching(0.8);
    crouch.armA = -0.5;
    crouch.armB = 0.5;
    crouch.mouth = Mouth::Frown;
    Pose p;
    switch (frame) {
    case 0:
        p = sittingDazed(0.6);
        break;
    case 1:
        p = sittingDazed(-0.6);
        p.eyes = Eyes::Closed;
        p.headTilt = -0.3;
        break;
    case 2:
        p = mix(sit, crouch, 0.45);
        p.eyes = Eyes::HalfShut;
        break;
    case 3:
        p = crouch;
        break;
    case 4:
        p = mix(crouch, front(), 0.7);
        p.armB = -0.6;
        p.elbowB = -1.2;
        p.mouth = Mouth::Frown;
        break;
    case 5:
        p = front();
        p.armB = -0.3;
        p.elbowB = -1.6;
        p.armA = 0.3;
        p.elbowA = 1.6;
        break;
    case 6:
        p = front();
        p.armB = 2.5;
        p.elbowB = 1.9;
        p.lookX = 0;
        p.lookY = -0.3;
        p.mouth = Mouth::Smile;
        break;
    default:
        p = front();
        p.mouth = Mouth::Grin;
        break;
    }
    if (frame == 5) {
        puff(cr, -4, -8, 1.6, Color{0.85, 0.80, 0.70}, 0.7);
        puff(cr, 4, -5, 1.3, Color{0.85, 0.80, 0.70}, 0.6);
    }
    drawProfessor(cr, p, 1);
    dizzyStars(cr, p, frame / 6.0, frame == 0 ? 1.0 : (frame == 1 ? 0.5 : 0));
}

void registerLandingAndTrampoline(Registry& r, const char* family)
{
    figure::addSeries(r, family, "proffall", 0, 5, ".tga", 13, 28, drawFalling);
    figure::addSeries(r, family, "profland", 0, 5, ".tga", 17, 36, drawLanding);
    addPair(r, family, "proftramp", 0, 6, ".tga", {20, 14}, {18, 21},
            [](cairo_t* cr, int f, int facing) { drawProfessor(cr, trampolinePress(f), facing); });
    // Flung leftward he shows the first frames of the left series, then the
    // shared sitting frames of the right one: one sprite, one size.
    auto fling = seriesFrames("proftrampflingright", 0, 8, ".tga", [](cairo_t* cr, int f) { drawFling(cr, f, 1); });
    for (Frame& frame : seriesFrames("proftrampflingleft", 0, 2, ".tga", [](cairo_t* cr, int f) { drawFling(cr, f, -1); }))
        fling.push_back(frame);
    addGroup(r, family, 18, 27, fling);
    figure::addSeries(r, family, "proftramprecover", 0, 7, ".tga", 12, 29, drawRecovery);
}

constexpr int kTubeWidth = 28, kTubeHeight = 60;

// The transport tube. Played 0..21 he leaves: waves goodbye, crouches and
// shoots up out of sight in a whirl of light; played 21..0 he arrives the
// same way and waves hello.
void drawTube(cairo_t* cr, int frame)
{
    const double top = -57;
    double glow = frame < 6 ? 0 : (frame < 11 ? (frame - 5) / 5.0 : 1 - (frame - 11) / 11.0);
    if (glow > 0) {
        cairo_pattern_t* beam = cairo_pattern_create_linear(-9, 0, 9, 0);
        cairo_pattern_add_color_stop_rgba(beam, 0, 0.7, 0.95, 1, 0);
        cairo_pattern_add_color_stop_rgba(beam, 0.5, 0.85, 1, 1, 0.55 * glow);
        cairo_pattern_add_color_stop_rgba(beam, 1, 0.7, 0.95, 1, 0);
        cairo_rectangle(cr, -9, top, 18, -top);
        cairo_set_source(cr, beam);
        cairo_fill(cr);
        cairo_pattern_destroy(beam);
    }
    Pose p = front();
    bool visible = true;
    if (frame >= 1 && frame <= 4) {
        double w = wave(frame / 4.0);
        p.armB = 2.6 + 0.25 * w;
        p.elbowB = 0.5 * w;
        p.mouth = Mouth::Grin;
        p.eyes = Eyes::Happy;
    } else if (frame >= 5 && frame <= 6) {
        p = crouching(frame == 5 ? 0.6 : 1.0);
        p.armA = -0.9;
        p.armB = 0.9;
        p.mouth = Mouth::Grin;
    } else if (frame >= 7) {
        const double rise[] = {3, 10, 21, 36, 54};
        if (frame > 11) {
            visible = false;
        } else {
            p.y = -rise[frame - 7];
            p.squash = 1.18;
            p.armA = -2.9;
            p.armB = 2.9;
            p.legA = -0.05;
            p.legB = 0.05;
            p.hairLift = 1.2;
            p.coatFlare = 0.8;
            p.eyes = Eyes::Happy;
            p.mouth = Mouth::Open;
        }
    }
    if (visible) {
        cairo_save(cr);
        cairo_rectangle(cr, -20, top, 40, 60 - top);
        cairo_clip(cr);
        drawProfessor(cr, p, 1);
        cairo_restore(cr);
    }
    // Sparkles whirling up the tube.
    if (frame >= 6) {
        double fade = frame < 12 ? 1 : 1 - (frame - 12) / 10.0;
        Noise noise(3);
        for (int i = 0; i < 6; ++i) {
            double t = std::fmod(noise.next() + frame * 0.09, 1.0);
            double x = 6.5 * std::sin(t * 9 + i * 2.1);
            double y = -4 - t * 50;
            sparkle(cr, x, y, 1.4 + 1.2 * noise.next(), withAlpha(palette::white, 0.95 * fade));
        }
    }
}

} // namespace

void registerMoves(Registry& registry, const char* family)
{
    registerStanding(registry, family);
    registerRunning(registry, family);
    registerClimbing(registry, family);
    registerPushingAndSliding(registry, family);
    registerBarrelAndCrawl(registry, family);
    registerLandingAndTrampoline(registry, family);
    // The tube frames share their sprite with the tube's own body picture,
    // so they take its size.
    addGroup(registry, family, 16, 39, seriesFrames("tube", 0, 21, ".tga", drawTube), kTubeWidth, kTubeHeight);
}

} // namespace professor
