#pragma once

// The professor as a small rig: a pose (limb angles, lean, squash, view,
// expression, what he holds) is drawn by drawProfessor in stage space (see
// Figure.h), his feet on the stage origin. Series are made by moving poses
// along curves; left-facing pictures are the right-facing ones mirrored.

#include "Figure.h"

namespace professor {

enum class Eyes { Open, HalfShut, Closed, Wide, Happy, Squint, Dizzy, Worried };
enum class Mouth { Smile, Grin, Open, Shout, Frown, Grimace, Whistle, Puffed, Wobbly };
enum class Prop { None, Inflator, FrostGun, HeatGun, Whistle, EmpDevice, Flask, YoYo, Magnifier };

struct Pose {
    double turn = 1;      // 0 faces the viewer, 1 shows the right-hand profile
    bool back = false;    // seen from behind (on ladders)
    double x = 0, y = 0;  // pelvis offset from its resting place, +y down
    double spin = 0;      // whole figure about the pelvis, clockwise
    double lean = 0;      // torso forward (+) or backward (-), radians
    double squash = 1;    // height scale about the feet (width makes up for it)
    // Angles from straight down, + turns toward +x; knees bend back, elbows
    // forward. A is the far limb in profile, the screen-left one from the
    // front or back; B the near or screen-right one.
    double legA = 0, kneeA = 0, legB = 0, kneeB = 0;
    double armA = 0, elbowA = 0, armB = 0, elbowB = 0;
    double headTilt = 0;  // + nods the head forward
    double lookX = 0.5, lookY = 0;
    Eyes eyes = Eyes::Open;
    Mouth mouth = Mouth::Smile;
    double brows = 0;     // + raised, - knitted
    double hairLift = 0;  // tufts blown upward (falls, frights)
    double frazzle = 0;   // singed hair
    double soot = 0;      // blackened skin and coat
    double coatFlare = 0; // coat tails flying out
    double blush = 0;
    Prop prop = Prop::None; // held in hand B (the whistle sits at the mouth)
    double propAngle = 0;   // radians, 0 points the prop forward (+x)
    double propValue = 0;   // what the prop does: pump stroke, glow, drop...
};

Pose mix(const Pose& a, const Pose& b, double t);

// facing +1 right, -1 left (the picture mirrored about the stage origin).
void drawProfessor(cairo_t* cr, const Pose& pose, int facing);

// Where hand B (or A) ends up, in stage space, for effects that follow it.
figure::Point handPosition(const Pose& pose, bool handB, int facing);
figure::Point footPosition(const Pose& pose, bool footB, int facing);
figure::Point headCentre(const Pose& pose, int facing);

// Sets the arm's two angles so its hand reaches the target (stage space of
// a right-facing, unsquashed figure); bend +1 keeps the elbow below the line
// to the target, -1 above it.
void reach(Pose& pose, bool handB, figure::Point target, double bend = 1);

// His gadgets, drawn about the hand that holds them (pointing along +x);
// the inventory icons draw them too.
void drawRayGun(cairo_t* cr, bool frost, double glow);
void drawEmpGadget(cairo_t* cr, double charge);

// Common poses.
Pose standing(double turn);
Pose walking(double phase, double turn); // phase 0..1 of a two-step cycle
Pose front();
// From the front, knees bent outward and squashed down; depth 0..1.
Pose crouching(double depth);

} // namespace professor
