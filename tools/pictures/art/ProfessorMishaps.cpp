// Things that happen to the professor: hot floors and hot crates, being
// crushed, frozen and thawed, singed, and caught by a bot.
#include "CatchScene.h"
#include "ProfessorSeries.h"

#include <cmath>

using namespace figure;

namespace professor {

namespace {

using Keys = std::vector<std::pair<double, Pose>>;

const Color kFrostWash{0.55, 0.80, 1.0};
constexpr double kBlockX = -12.5, kBlockY = -34, kBlockW = 25, kBlockH = 35;
constexpr uint32_t kBlockSeed = 57;

// --- hot floor ----------------------------------------------------------

Pose hotStepPose(int frame)
{
    Pose stand = standing(1);
    Pose tiptoe = stand;
    tiptoe.legB = 0.75;
    tiptoe.kneeB = 0.25;
    tiptoe.legA = -0.15;
    tiptoe.lean = -0.06;
    tiptoe.armA = -0.5;
    tiptoe.armB = 0.6;
    tiptoe.lookY = 0.9;
    tiptoe.brows = 0.3;
    tiptoe.mouth = Mouth::Open;
    Pose touch = tiptoe;
    touch.legB = 0.8;
    touch.kneeB = 0.05;
    touch.y = 0.6;
    Pose yelp = stand;
    yelp.y = -5;
    yelp.legB = 1.2;
    yelp.kneeB = 1.9;
    yelp.legA = -0.25;
    yelp.kneeA = 0.4;
    yelp.armA = 2.7;
    yelp.armB = 2.4;
    yelp.elbowA = 0.3;
    yelp.elbowB = 0.3;
    yelp.hairLift = 1.7;
    yelp.coatFlare = 0.8;
    yelp.eyes = Eyes::Wide;
    yelp.mouth = Mouth::Shout;
    yelp.brows = 1;
    Pose hold = stand;
    hold.legB = 1.85;
    hold.kneeB = 1.85;
    hold.legA = -0.05;
    hold.lean = 0.3;
    hold.eyes = Eyes::Squint;
    hold.mouth = Mouth::Grimace;
    hold.brows = 0.6;
    hold.hairLift = 0.6;
    hold.lookY = 0.6;
    Pose blow = hold;
    blow.eyes = Eyes::Closed;
    blow.mouth = Mouth::Whistle;
    blow.hairLift = 0.2;
    Pose relief = stand;
    relief.eyes = Eyes::Happy;
    relief.mouth = Mouth::Smile;
    relief.y = 0.4;
    Pose glare = stand;
    glare.lookY = 0.9;
    glare.lookX = 0.9;
    glare.brows = -0.8;
    glare.mouth = Mouth::Frown;
    static const Keys keys = {{0, stand},   {3, tiptoe},  {5, touch},   {7, yelp},     {10, hold},
                              {27, hold},   {30, blow},   {37, blow},   {41, relief},  {44, relief},
                              {46, glare},  {48, glare}};
    Pose p = keyed(keys, frame);
    if (frame >= 10 && frame < 28) {
        // Hopping on one foot.
        double t = std::fmod((frame - 10) / 6.0, 1.0);
        p.y = -2.6 * hop(t);
        p.hairLift = 0.6 + 0.5 * hop(t);
    }
    if (frame >= 9 && frame < 38) {
        // Both hands on the burnt shoe, or one fanning it.
        Point foot = footPosition(p, true, 1);
        reach(p, false, {foot.x - 0.8, foot.y - 2.2}, 1);
        if (frame < 28)
            reach(p, true, {foot.x + 0.8, foot.y - 1.6}, 1);
        else
            reach(p, true, {foot.x + 2.5, foot.y - 5.0 + 2.0 * wave(frame / 3.0)}, 1);
    }
    return p;
}

void drawHotStep(cairo_t* cr, int frame, int facing)
{
    Pose p = hotStepPose(frame);
    drawProfessor(cr, p, facing);
    cairo_save(cr);
    cairo_scale(cr, facing, 1);
    if (frame >= 5 && frame < 38) {
        Point foot = footPosition(p, true, 1);
        art::drawSteamWisps(cr, foot.x + 1, foot.y, 3, 10, (frame % 7) / 7.0, 1.0, 41);
    }
    if (frame >= 6 && frame <= 13) {
        Point head = headCentre(p, 1);
        exclamation(cr, head.x + 5, head.y - 11, 3.2, palette::red);
    }
    if (frame >= 12 && frame < 38)
        sweatDrop(cr, -7.5, -30 + (frame % 4) * 0.6, 1.1);
    cairo_restore(cr);
}

Pose hotPushPose(int frame)
{
    Pose stand = standing(1);
    Pose reachOut = stand;
    reach(reachOut, true, {11.0, -14.5}, 1);
    reachOut.lean = 0.12;
    reachOut.legB = 0.35;
    reachOut.legA = -0.2;
    reachOut.lookY = 0.2;
    Pose touch = reachOut;
    reach(touch, true, {12.0, -14.5}, 1);
    Pose yank = stand;
    yank.y = -3.5;
    yank.lean = -0.2;
    yank.legA = -0.3;
    yank.legB = 0.4;
    yank.kneeB = 1.0;
    reach(yank, true, {-1.0, -25.0}, 1);
    yank.armA = -0.7;
    yank.hairLift = 1.6;
    yank.eyes = Eyes::Wide;
    yank.mouth = Mouth::Shout;
    yank.brows = 1;
    Pose shake = stand;
    shake.eyes = Eyes::Squint;
    shake.mouth = Mouth::Grimace;
    shake.brows = 0.6;
    shake.hairLift = 0.5;
    Pose blow = stand;
    reach(blow, true, {6.0, -21.5}, 1);
    blow.eyes = Eyes::Closed;
    blow.mouth = Mouth::Whistle;
    blow.headTilt = 0.1;
    Pose glare = stand;
    glare.lookX = 1;
    glare.brows = -0.8;
    glare.mouth = Mouth::Frown;
    static const Keys keys = {{0, stand},  {3, reachOut}, {5, touch},  {7, yank},   {10, shake},
                              {21, shake}, {24, blow},    {28, blow},  {30, glare}, {32, glare}};
    Pose p = keyed(keys, frame);
    if (frame >= 10 && frame <= 21) {
        double w = wave((frame - 10) / 4.0);
        reach(p, true, {4.5, -17.0 + 3.5 * w}, 1);
        p.y = -1.2 * std::fabs(w);
    }
    return p;
}

void drawHotPush(cairo_t* cr, int frame, int facing)
{
    Pose p = hotPushPose(frame);
    drawProfessor(cr, p, facing);
    cairo_save(cr);
    cairo_scale(cr, facing, 1);
    Point hand = handPosition(p, true, 1);
    if (frame >= 4 && frame <= 28)
        art::drawSteamWisps(cr, hand.x, hand.y - 1, 3, 9, (frame % 6) / 6.0, 1.0, 43);
    if (frame >= 6 && frame <= 12) {
        Point head = headCentre(p, 1);
        exclamation(cr, head.x + 5, head.y - 11, 3.2, palette::red);
    }
    if (frame >= 10 && frame <= 21) {
        // Shaking lines around the hand.
        for (double side : {-1.0, 1.0}) {
            cairo_move_to(cr, hand.x + side * 2.5, hand.y - 2);
            cairo_line_to(cr, hand.x + side * 3.5, hand.y + 1);
        }
        setColor(cr, withAlpha(palette::white, 0.9));
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

// --- crushed, frozen, thawing, singed ----------------------------------

Pose crushed(int frame)
{
    const double squash[] = {0.86, 0.75, 0.66};
    Pose p = standing(0.8);
    p.squash = squash[frame];
    double bend = (1 - p.squash) * 2.5;
    p.legA = -0.4 * bend;
    p.kneeA = -0.2 * bend;
    p.legB = 0.5 * bend;
    p.kneeB = 1.0 * bend;
    p.armA = -0.9 - 0.4 * frame;
    p.armB = 0.9 + 0.4 * frame;
    p.elbowA = 0.4;
    p.elbowB = -0.4;
    p.eyes = frame == 2 ? Eyes::Dizzy : Eyes::Squint;
    p.mouth = frame == 2 ? Mouth::Wobbly : Mouth::Grimace;
    p.brows = 0.7;
    return p;
}

Pose frozenPose()
{
    Pose p = standing(0.3);
    p.armA = -0.9;
    p.armB = 0.9;
    p.elbowA = -0.6;
    p.elbowB = 0.6;
    p.eyes = Eyes::Wide;
    p.mouth = Mouth::Open;
    p.brows = 1;
    p.hairLift = 0.5;
    p.squash = 0.94;
    p.lookX = 0.2;
    return p;
}

// Caught in a block of ice, the same ice as frozen crates and bots.
void drawFrozen(cairo_t* cr)
{
    art::drawFrozen(cr, [](cairo_t* c) { drawProfessor(c, frozenPose(), 1); }, kBlockX, kBlockY, kBlockW, kBlockH,
                    kBlockSeed);
}

// The ice bursts apart and drops away; he shivers and shakes it off.
void drawThawing(cairo_t* cr, int frame)
{
    Pose p = frozenPose();
    const double wash[] = {0.5, 0.4, 0.28, 0.16, 0.05};
    if (frame >= 2) {
        p = standing(0.3);
        reach(p, false, {2.5, -16.5}, 1);
        reach(p, true, {-2.5, -16.0}, 1);
        p.eyes = frame == 4 ? Eyes::Closed : Eyes::Worried;
        p.mouth = Mouth::Wobbly;
        p.x = frame % 2 ? 0.6 : -0.6;
        p.lookX = 0;
    }
    art::drawWashed(cr, [&](cairo_t* c) { drawProfessor(c, p, 1); }, kFrostWash, wash[frame]);
    auto block = [](cairo_t* c) {
        art::drawFrozen(c, [](cairo_t*) {}, kBlockX, kBlockY, kBlockW, kBlockH, kBlockSeed);
    };
    art::Shatter shatter{kBlockX, kBlockY, kBlockW, kBlockH, 3, 4, 9, 2, 10, 2.5, 0.9, kBlockSeed};
    // Shards leaving past the picture's left edge (fixed by the sprite's
    // origin) are cut off there rather than moving him off his cell.
    cairo_save(cr);
    cairo_rectangle(cr, -10, -60, 60, 70);
    cairo_clip(cr);
    art::drawShattered(cr, block, shatter, frame * 0.24);
    cairo_restore(cr);
    if (frame >= 3) {
        // Shiver lines.
        for (double side : {-1.0, 1.0}) {
            cairo_move_to(cr, side * 10, -22);
            cairo_line_to(cr, side * 11.5, -19);
            cairo_move_to(cr, side * 10, -15);
            cairo_line_to(cr, side * 11.5, -12);
        }
        setColor(cr, withAlpha(palette::white, 0.9));
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
    }
}

// Heat got him: a flash, a cloud, and a sooty, frizzled professor blinking
// and coughing out a puff of smoke.
void drawSinged(cairo_t* cr, int frame)
{
    Pose p = front();
    p.soot = frame == 0 ? 0.3 : 0.7;
    p.frazzle = frame == 0 ? 0.3 : 1;
    p.hairLift = frame <= 1 ? 1.6 : 1.0;
    p.eyes = frame == 4 ? Eyes::Closed : Eyes::Wide;
    p.mouth = frame == 6 ? Mouth::Open : Mouth::Wobbly;
    p.brows = 0.8;
    p.armA = -0.35;
    p.armB = 0.35;
    p.coatFlare = frame <= 1 ? 0.5 : 0;
    p.lookX = 0;
    if (frame == 0) {
        drawSoftGlow(cr, 0, -16, 12, withAlpha(palette::flame, 0.95));
        drawSoftGlow(cr, 0, -16, 8, withAlpha(palette::white, 0.9));
    }
    drawProfessor(cr, p, 1);
    if (frame == 0) {
        for (int i = 0; i < 8; ++i) {
            double a = i * M_PI / 4;
            cairo_move_to(cr, 8 * std::cos(a), -16 + 9 * std::sin(a));
            cairo_line_to(cr, 11 * std::cos(a), -16 + 14 * std::sin(a));
        }
        setColor(cr, palette::flame);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        return;
    }
    if (frame <= 3) {
        double k = (frame - 1) / 3.0;
        Color smoke{0.45, 0.43, 0.42};
        puff(cr, -5 - 1.5 * k, -12 - 6 * k, 4 - k, smoke, 0.9 - 0.5 * k);
        puff(cr, 6 + 3 * k, -16 - 6 * k, 4.5 - k, smoke, 0.9 - 0.5 * k);
        puff(cr, 0, -30 - 8 * k, 5 - k, smoke, 0.8 - 0.5 * k);
    }
    if (frame >= 6) {
        Point head = headCentre(p, 1);
        puff(cr, head.x + (frame - 6) * 2, head.y + 8 - (frame - 6) * 4, 1.8, Color{0.5, 0.48, 0.47}, 0.9);
    }
    smokeWisp(cr, -4, -32, 10, frame / 8.0, 0.8);
    smokeWisp(cr, 4, -31, 9, frame / 8.0 + 0.4, 0.8);
}

// --- caught by a bot ----------------------------------------------------

// Drawn for a bot on his left; the other side is the mirror image.
void drawCaught(cairo_t* cr, int frame, int mirror)
{
    using namespace catchscene;
    Pose stand = standing(0.8);
    Pose startled = stand;
    startled.y = -3.5;
    startled.armA = 2.4;
    startled.armB = 2.7;
    startled.elbowA = 0.6;
    startled.elbowB = 0.6;
    startled.legB = 0.5;
    startled.kneeB = 1.0;
    startled.hairLift = 1.6;
    startled.eyes = Eyes::Wide;
    startled.mouth = Mouth::Shout;
    startled.brows = 1;
    Pose cower = stand;
    cower.lean = -0.25;
    cower.x = 1.5;
    cower.armA = 1.6;
    cower.armB = 1.9;
    cower.elbowA = 1.2;
    cower.elbowB = 1.2;
    cower.eyes = Eyes::Wide;
    cower.mouth = Mouth::Grimace;
    cower.brows = 1;
    cower.hairLift = 0.8;
    static const Keys keys = {{0, stand}, {2, startled}, {4, cower}, {9, cower}, {11, startled}};
    Pose p = keyed(keys, std::min(frame, 11));
    p.y = std::min(p.y, 0.0) - lift(frame);
    if (frame >= 11) {
        // Dangling from the collar, kicking and flailing.
        double k = frame >= 27 ? (frame - 27) / 3.0 : 0.5 + 0.5 * wave(frame / 5.0);
        p.x = 0;
        p.lean = -0.1;
        p.legA = -0.7 + 1.2 * k;
        p.legB = 0.6 - 1.2 * k;
        p.kneeA = 0.6 + 0.5 * k;
        p.kneeB = 1.1 - 0.5 * k;
        p.armA = 1.8 + 0.8 * k;
        p.armB = 2.4 - 0.8 * k;
        p.elbowA = 0.6;
        p.elbowB = 0.6;
        p.coatFlare = 0.4;
        p.mouth = frame % 6 < 3 ? Mouth::Shout : Mouth::Grimace;
        p.eyes = frame % 6 < 3 ? Eyes::Wide : Eyes::Squint;
    }
    cairo_save(cr);
    cairo_scale(cr, mirror, 1);
    // He faces the bot, which stands on his left.
    drawProfessor(cr, p, -1);
    double r = armOut(frame);
    if (r > 0) {
        Point border{-12.5, borderY(frame)};
        Point target = collar(frame);
        Point claw{lerp(border.x, target.x, r), lerp(border.y, target.y, r)};
        drawArm(cr, border, claw);
        double angle = std::atan2(claw.y - border.y, claw.x - border.x);
        drawClaw(cr, claw, angle, r < 1 ? 1 : 0.1);
    }
    if (frame >= 1 && frame <= 6) {
        Point head = headCentre(p, -1);
        exclamation(cr, head.x + 1, head.y - 12, 3.4, palette::red);
    }
    if (frame >= 14)
        sweatDrop(cr, 6.5, -34 - lift(frame) + (frame % 3) * 0.6, 1.1);
    cairo_restore(cr);
}

} // namespace

void registerMishaps(Registry& registry, const char* family)
{
    addPair(registry, family, "profhotstep", 0, 48, ".png", {20, 35}, {12, 36}, drawHotStep);
    addPair(registry, family, "profpushhot", 0, 32, ".png", {14, 37}, {16, 36}, drawHotPush);
    addPair(registry, family, "profstun", 0, 2, ".tga", {15, 23}, {15, 23},
            [](cairo_t* cr, int f, int facing) { drawProfessor(cr, crushed(f), facing); });
    figure::addSingle(registry, family, "proffrozen0.tga", 16, 17, drawFrozen);
    figure::addSeries(registry, family, "profthawing", 0, 4, ".png", 12, 36, drawThawing);
    figure::addSeries(registry, family, "profsinged", 0, 7, ".png", 13, 25, drawSinged);
    // "caught right": the bot on his left caught him moving right.
    figure::addSeries(registry, family, "profcaughtright", 0, 30, ".png", 18, 34,
                      [](cairo_t* cr, int f) { drawCaught(cr, f, 1); });
    figure::addSeries(registry, family, "profcaughtleft", 0, 30, ".png", 37, 35,
                      [](cairo_t* cr, int f) { drawCaught(cr, f, -1); });
}


} // namespace professor
