// The bots: every animation of the enemy robots, drawn from the rig in
// BotRig.cpp. A bot sleeps upside down under the ceiling like a bat, drops
// and lands when it wakes, runs, climbs, pushes, crawls, slips on ice, gets
// crushed, stunned by an EMP, held by a magnet, frozen, heated until it
// glows and cools into a burnt-out shell, and catches the professor.
#include "BotRig.h"
#include "CatchScene.h"

#include <cmath>
#include <string>

using namespace figure;

namespace bot {

namespace {

const Color kSpark{0.75, 0.95, 1.0};

std::string side(int facing) { return facing < 0 ? "left" : "right"; }

// prefix + side + rest + N + suffix for both sides.
void addPair(Registry& registry, const char* family, const std::string& prefix, const std::string& rest, int first,
             int last, Origin left, Origin right, FacingDraw draw)
{
    addSides(registry, family, prefix + "left" + rest, prefix + "right" + rest, first, last, ".png", left, right,
             draw);
}

void dust(cairo_t* cr, double spread, double alpha)
{
    puff(cr, -6 - spread, -1.5, 2.0 + spread * 0.3, Color{0.92, 0.88, 0.80}, alpha);
    puff(cr, 6 + spread, -1.5, 2.0 + spread * 0.3, Color{0.92, 0.88, 0.80}, alpha);
}

void sparks(cairo_t* cr, const Pose& p, int frame, double amount)
{
    Point c = bodyCentre(p, 1);
    Noise noise(21 + frame);
    for (int i = 0; i < 3; ++i) {
        double a = 2 * M_PI * (noise.next() + i / 3.0);
        double r0 = 7.5, r1 = 11.5 + 2 * noise.next();
        zigzag(cr, c.x + r0 * std::cos(a), c.y + r0 * std::sin(a), c.x + r1 * std::cos(a), c.y + r1 * std::sin(a), 3,
               0.9, withAlpha(kSpark, amount), 0.7);
    }
}

// --- sleeping, waking, dropping and landing ------------------------------

Pose hanging()
{
    Pose p = standing();
    p.turn = 0;
    p.spin = M_PI;
    p.y = -0.8;
    p.eye = Eye::Closed;
    p.glow = 0;
    p.wrap = 1;
    p.armA = 0.9;
    p.armB = -0.9;
    p.elbowA = -1.2;
    p.elbowB = 1.2;
    p.earLift = -0.2;
    return p;
}

Pose fallingLoop(int frame)
{
    Pose p = standing();
    p.turn = 0.2;
    const double flap[] = {1.0, 0.55, 0.2};
    p.wings = flap[frame % 3];
    p.armA = -2.5 + 0.3 * p.wings;
    p.armB = 2.5 - 0.3 * p.wings;
    p.elbowA = 0.3;
    p.elbowB = -0.3;
    p.legA = -0.35;
    p.legB = 0.35;
    p.kneeA = -0.4;
    p.kneeB = 0.4;
    p.eye = Eye::Wide;
    p.glow = 1;
    p.earLift = 1;
    p.lookY = -0.5;
    p.lookX = 0;
    return p;
}

void drawFall(cairo_t* cr, int frame)
{
    if (frame <= 3) {
        Pose p = hanging();
        const Eye eyes[] = {Eye::Closed, Eye::Dim, Eye::Wide, Eye::Glow};
        p.eye = eyes[frame];
        p.glow = frame * 0.35;
        p.wrap = 1 - frame * 0.25;
        p.earLift = frame >= 2 ? 0.8 : -0.2;
        p.x = frame == 2 ? 0.6 : (frame == 3 ? -0.6 : 0);
        drawBot(cr, p, 1);
        if (frame >= 2)
            exclamation(cr, 0, -1.5, 2.8, palette::red);
        return;
    }
    if (frame <= 8) {
        double t = (frame - 3) / 5.0;
        Pose p = mix(hanging(), fallingLoop(0), ease(t));
        p.spin = M_PI * (1 + ease(t));
        p.wrap = 0;
        p.wings = 0.4 + 0.6 * t;
        p.eye = Eye::Wide;
        p.glow = 1;
        drawBot(cr, p, 1);
        return;
    }
    if (frame <= 11) {
        Pose p = fallingLoop(frame - 9);
        speedLines(cr, -7, 7, -28, 8, frame * 4.0, 5);
        drawBot(cr, p, 1);
        return;
    }
    const double squash[] = {0.7, 0.8, 1.12, 0.95, 1.03, 1.0, 1.0};
    int k = frame - 12;
    Pose p = standing();
    p.turn = 0.2;
    p.squash = squash[k];
    double bend = clamp01((1 - p.squash) / 0.3);
    p.legA = -0.5 * bend;
    p.kneeA = -0.9 * bend;
    p.legB = 0.5 * bend;
    p.kneeB = 0.9 * bend;
    p.armA = k < 2 ? -1.6 : -0.4;
    p.armB = k < 2 ? 1.6 : 0.4;
    p.eye = k < 2 ? Eye::Wide : Eye::Glow;
    p.earLift = k == 2 ? 1 : 0;
    p.glow = 0.8;
    p.lookX = 0;
    if (k < 3)
        dust(cr, k * 1.5, 1.0 - k * 0.3);
    drawBot(cr, p, 1);
}

// --- getting about --------------------------------------------------------

Pose climbing(int frame)
{
    Pose p = standing();
    p.back = true;
    p.turn = 0;
    // Played 0, 1, 0, 2: between reaches, one arm up, between, the other.
    double s = frame == 1 ? 1 : (frame == 2 ? -1 : 0);
    double highA = 0.5 + 0.5 * s, highB = 0.5 - 0.5 * s;
    p.armA = lerp(-2.0, -2.8, highA);
    p.elbowA = lerp(0.9, 0.3, highA);
    p.armB = lerp(2.0, 2.8, highB);
    p.elbowB = -lerp(0.9, 0.3, highB);
    p.legA = -0.7 * highB;
    p.kneeA = -1.4 * highB;
    p.legB = 0.7 * highA;
    p.kneeB = 1.4 * highA;
    p.y = -0.6 * std::fabs(s);
    return p;
}

Pose pushing(int frame)
{
    Pose p = stepping(frame / 12.0);
    p.spin = 0.38;
    p.legA = p.legA * 0.7 - 0.3;
    p.legB = p.legB * 0.7 - 0.3;
    p.armA = 1.5;
    p.armB = 1.7;
    p.elbowA = 0.2;
    p.elbowB = 0.1;
    p.lookX = 1;
    p.earLift = -0.6;
    return p;
}

Pose crawling(int frame)
{
    Pose p = stepping(frame / 6.0);
    p.squash = 0.74;
    p.legA *= 0.6;
    p.legB *= 0.6;
    p.spin = 0.3;
    p.armA = 1.2 + 0.3 * wave(frame / 6.0);
    p.armB = 1.2 - 0.3 * wave(frame / 6.0);
    p.earLift = -1;
    p.eye = Eye::Dim;
    p.wings = 0;
    return p;
}

void drawSliding(cairo_t* cr, int frame, int facing)
{
    double phase = frame / 6.0;
    Pose p = stepping(phase);
    p.legA *= 1.3;
    p.legB *= 1.3;
    p.spin = -0.22;
    p.armA = 2 * M_PI * phase + 1.2;
    p.armB = 2 * M_PI * phase + 1.2 + M_PI;
    p.elbowA = 0.2;
    p.elbowB = 0.2;
    p.eye = Eye::Wide;
    p.earLift = 0.8;
    cairo_save(cr);
    cairo_scale(cr, facing, 1);
    motionLines(cr, -13, -2, 5, 2, 2.5, 0.7);
    cairo_restore(cr);
    drawBot(cr, p, facing);
}

Pose crushed(int frame)
{
    const double squash[] = {0.82, 0.68, 0.58};
    Pose p = standing();
    p.turn = 0.8;
    p.squash = squash[frame];
    p.legA = -0.6;
    p.legB = 0.6;
    p.kneeA = -0.3;
    p.kneeB = 0.3;
    p.armA = -1.4 - 0.2 * frame;
    p.armB = 1.4 + 0.2 * frame;
    p.eye = frame == 2 ? Eye::Spiral : (frame == 1 ? Eye::Wide : Eye::Glow);
    p.earLift = -1;
    return p;
}

Pose empStunned(int frame)
{
    Pose p = standing();
    p.turn = 0.8;
    const double wobble[] = {-0.15, 0, 0.15};
    p.spin = wobble[frame];
    p.eye = Eye::Spiral;
    p.glow = frame == 1 ? 0.9 : 0.2;
    p.earLift = -0.9;
    p.armA = -0.2;
    p.armB = 0.25;
    p.elbowA = 0;
    p.elbowB = 0;
    p.legB = 0.2;
    p.kneeB = 0.4;
    return p;
}

void drawStunned(cairo_t* cr, const Pose& p, int frame, int facing)
{
    drawBot(cr, p, facing);
    sparks(cr, p, frame, 1);
}

// Held by a magnet at its back: feet off the floor, kicking.
void drawMagnetHeld(cairo_t* cr, int frame, int facing)
{
    Pose p = standing();
    p.y = -2.5;
    p.spin = -0.18 + 0.08 * frame;
    p.legA = 0.5 + 0.3 * frame;
    p.legB = 0.2 - 0.3 * frame;
    p.kneeA = 0.5;
    p.kneeB = 0.3;
    p.armA = 1.6 - 0.4 * frame;
    p.armB = 2.0 + 0.4 * frame;
    p.elbowA = 0.6;
    p.elbowB = 0.6;
    p.eye = Eye::Wide;
    p.earLift = 1;
    drawBot(cr, p, facing);
    cairo_save(cr);
    cairo_scale(cr, facing, 1);
    for (int i = 0; i < 2; ++i) {
        double y = -16 + i * 7 + frame;
        zigzag(cr, -9.5, y, -13, y - 1.5, 3, 0.8, kSpark, 0.7);
    }
    cairo_restore(cr);
}

// --- frozen, heated, cooling ---------------------------------------------

void drawIced(cairo_t* cr, bool burntOut)
{
    Pose p = standing();
    p.turn = 0.5;
    if (burntOut) {
        p.scorch = 1;
        p.melt = 0.35;
        p.eye = Eye::Off;
        p.earLift = -1;
        p.legsHidden = true;
    } else {
        p.eye = Eye::Wide;
        p.armA = -1.0;
        p.armB = 1.0;
        p.earLift = 0.8;
    }
    art::drawFrozen(cr, [&](cairo_t* c) { drawBot(c, p, 1); }, -11.5, -26, 23, 27, burntOut ? 72 : 71);
}

// A heated bot: its pose and how hot it glows.
struct Hot {
    Pose pose;
    double heat;
};

Hot heated(int step) // 0..4: warming up to red hot
{
    Pose p = standing();
    p.turn = 0.8;
    double t = (step + 1) / 5.0;
    p.melt = 0.3 * smooth(t);
    p.eye = Eye::Wide;
    p.earLift = -0.6 * t;
    p.armA = -0.4 - 0.6 * t;
    p.armB = 0.4 + 0.6 * t;
    p.glow = 1;
    return {p, t};
}

Hot cooling(int step) // 0..6: from red hot to a burnt-out shell
{
    Pose p = heated(4).pose;
    double t = step / 6.0;
    p.scorch = smooth(t);
    p.eye = step < 2 ? Eye::Dim : (step < 5 ? Eye::Off : Eye::Cross);
    p.glow = 1 - t;
    p.earLift = -0.8;
    p.armA = -0.1;
    p.armB = 0.1;
    p.elbowA = 0;
    p.elbowB = 0;
    return {p, 1 - smooth(t * 1.2)};
}

// Glowing like any hot metal object, with steam rising off it.
void drawHot(cairo_t* cr, const Hot& hot, int facing, int frame)
{
    art::drawHeated(cr, [&](cairo_t* c) { drawBot(c, hot.pose, facing); }, hot.heat);
    double steam = hot.heat * 0.8 + hot.pose.scorch * 0.4;
    if (steam > 0.2)
        art::drawSteamWisps(cr, 0, -16, 8, 12, frame / 6.0, steam, 31 + frame);
}

Pose tilted(Pose p, double direction)
{
    p.spin += direction * 0.38;
    return p;
}

Hot tilted(Hot hot, double direction)
{
    hot.pose = tilted(hot.pose, direction);
    return hot;
}

Hot squashed(Hot hot, int step)
{
    const double squash[] = {0.8, 0.62, 0.9};
    hot.pose.squash = squash[step];
    return hot;
}

// --- the catch ------------------------------------------------------------

// Drawn for a bot on the professor's left, facing right.
void drawCatch(cairo_t* cr, int frame, int facing)
{
    using namespace catchscene;
    Pose p = standing();
    p.turn = 0.85;
    p.armBHidden = true;
    p.lookX = 1;
    if (frame <= 4) {
        p.squash = 1 - 0.05 * frame;
        p.eye = Eye::Wide;
        p.glow = 0.6 + 0.15 * frame;
        p.earLift = 1;
        p.legA = -0.1 * frame;
        p.kneeA = 0.1 * frame;
    } else if (frame < kHeld) {
        double pull = smooth((frame - 10) / 8.0);
        p.spin = -0.08 - 0.16 * pull;
        p.legA = -0.45;
        p.legB = 0.35;
        p.kneeB = 0.4;
        p.eye = Eye::Glow;
        p.glow = 1;
        p.earLift = 0.5;
        p.armA = -0.6 - 0.5 * pull;
    } else if (frame <= 24) {
        double t = (frame - kHeld) / 6.0;
        p.y = -1.8 * hop(t);
        p.spin = -0.2;
        p.legA = -0.3 + 0.2 * hop(t);
        p.legB = 0.3 - 0.2 * hop(t);
        p.eye = Eye::Happy;
        p.glow = 0.9;
        p.earLift = 0.6 + 0.4 * std::sin(t * 2 * M_PI);
        p.armA = -1.2 - 0.8 * hop(t);
        p.elbowA = 0.8;
    } else {
        p.spin = -0.2;
        p.eye = Eye::Wide;
        p.glow = frame == 25 ? 1.4 : 1.0;
        p.earLift = 1;
        p.armA = -2.8;
        p.elbowA = 0.2;
    }
    drawBot(cr, p, facing);
    cairo_save(cr);
    cairo_scale(cr, facing, 1);
    Point socket = armSocket(p, 1);
    Point border{12.5, borderY(frame)};
    double out = clamp01((frame - 2) / 3.0);
    if (out > 0) {
        Point tip{lerp(socket.x + 2, border.x, out), lerp(socket.y, border.y, out)};
        drawArm(cr, socket, tip);
        if (out < 1)
            drawClaw(cr, tip, std::atan2(tip.y - socket.y, tip.x - socket.x), 1);
    }
    if (frame >= 1 && frame <= 4)
        exclamation(cr, 0, -30, 3.2, palette::red);
    cairo_restore(cr);
}

void registerBots(Registry& r, const char* family)
{
    addSingle(r, family, "bothang.png", 25, 27, [](cairo_t* cr) { drawBot(cr, hanging(), 1); });
    addSeries(r, family, "botfall", 0, 18, ".png", 25, 25, drawFall);
    addSeries(r, family, "botclimb", 0, 2, ".png", 16, 14, [](cairo_t* cr, int f) { drawBot(cr, climbing(f), 1); });
    addPair(r, family, "botrun", "", 0, 11, {14, 23}, {18, 22},
            [](cairo_t* cr, int f, int facing) { drawBot(cr, running(f / 12.0), facing); });
    addPair(r, family, "botpush", "", 0, 11, {16, 19}, {14, 18},
            [](cairo_t* cr, int f, int facing) { drawBot(cr, pushing(f), facing); });
    addPair(r, family, "botcrawl", "", 0, 5, {18, 13}, {15, 12},
            [](cairo_t* cr, int f, int facing) { drawBot(cr, crawling(f), facing); });
    addPair(r, family, "botsliding", "", 0, 5, {14, 20}, {15, 19}, drawSliding);
    addPair(r, family, "botcrushed", "", 0, 2, {17, 20}, {18, 19},
            [](cairo_t* cr, int f, int facing) { drawBot(cr, crushed(f), facing); });
    for (int facing : {-1, 1}) {
        Origin o = facing < 0 ? Origin{14, 20} : Origin{18, 19};
        addSingle(r, family, "botstand" + side(facing) + ".png", o.x, o.y, [facing](cairo_t* cr) {
            drawBot(cr, standing(), facing);
        });
        for (int tilt : {-1, 1}) {
            addSingle(r, family, "batstunned" + side(facing) + "tilt" + side(tilt) + ".png", o.x, o.y,
                      [facing, tilt](cairo_t* cr) { drawStunned(cr, tilted(empStunned(1), tilt), 1, facing); });
        }
    }
    addPair(r, family, "botstunned", "", 0, 2, {14, 20}, {18, 19},
            [](cairo_t* cr, int f, int facing) { drawStunned(cr, empStunned(f), f, facing); });
    addPair(r, family, "botmagnet", "", 0, 1, {14, 19}, {18, 20}, drawMagnetHeld);
    addSingle(r, family, "botfrozen.png", 22, 16, [](cairo_t* cr) { drawIced(cr, false); });
    addSingle(r, family, "botfrozenmelted.png", 22, 16, [](cairo_t* cr) { drawIced(cr, true); });

    // Heat. The landing squashes share a sprite with the glowing stand (or
    // the burnt-out one), so each pair of series is one group.
    for (int facing : {-1, 1}) {
        Origin o = facing < 0 ? Origin{11, 22} : Origin{16, 20};
        std::string s = side(facing);
        auto hot = seriesFrames("botmelting" + s, 0, 4, ".png",
                                [facing](cairo_t* cr, int f) { drawHot(cr, heated(f), facing, f); });
        for (Frame& frame : seriesFrames("botheated" + s + "squash", 0, 2, ".png", [facing](cairo_t* cr, int f) {
                 drawHot(cr, squashed(heated(4), f), facing, 4);
             }))
            hot.push_back(frame);
        addGroup(r, family, o.x, o.y, hot);
        auto cool = seriesFrames("botcooling" + s, 0, 6, ".png",
                                 [facing](cairo_t* cr, int f) { drawHot(cr, cooling(f), facing, f); });
        for (Frame& frame : seriesFrames("botcooled" + s + "squash", 0, 2, ".png", [facing](cairo_t* cr, int f) {
                 drawHot(cr, squashed(cooling(6), f), facing, 6);
             }))
            cool.push_back(frame);
        addGroup(r, family, o.x, o.y, cool);
        for (int tilt : {-1, 1}) {
            std::string t = side(tilt);
            addSingle(r, family, "botheated" + s + "tilt" + t + ".png", o.x, o.y,
                      [facing, tilt](cairo_t* cr) { drawHot(cr, tilted(heated(4), tilt), facing, 2); });
            addSeries(r, family, "botcooling" + s + "tilted" + t, 0, 6, ".png", o.x, o.y,
                      [facing, tilt](cairo_t* cr, int f) { drawHot(cr, tilted(cooling(f), tilt), facing, f); });
            addSingle(r, family, "botcooled" + s + "tilt" + t + ".png", o.x, o.y,
                      [facing, tilt](cairo_t* cr) { drawHot(cr, tilted(cooling(6), tilt), facing, 6); });
        }
    }
    // "catch right": the bot on the professor's left reaching right.
    addPair(r, family, "botcatchprof", "", 0, 26, {17, 33}, {17, 32}, drawCatch);
}

FamilyRegistration bots("bots", registerBots);

} // namespace

} // namespace bot
