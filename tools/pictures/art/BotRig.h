#pragma once

// The bot as a small rig: a round metal body with one glowing eye, bat ears,
// little folded wings, stubby legs and claw hands. drawBot draws a pose in
// stage space (see Figure.h), feet on the stage origin.

#include "Figure.h"

namespace bot {

enum class Eye { Glow, Dim, Closed, Wide, Happy, Spiral, Cross, Off };

struct Pose {
    double turn = 1;     // 0 faces the viewer, 1 the right-hand profile
    bool back = false;   // seen from behind (ladders)
    double x = 0, y = 0; // body offset, +y down
    double spin = 0;     // whole bot about its body centre, clockwise
    double squash = 1;   // height scale about the feet
    // Angles from straight down, + toward +x; A is the far or screen-left
    // limb, B the near or screen-right one.
    double legA = 0, kneeA = 0, legB = 0, kneeB = 0;
    double legReach = 1; // leg length: the legs telescope out of the body to run
    double armA = 0, elbowA = 0, armB = 0, elbowB = 0;
    Eye eye = Eye::Glow;
    double lookX = 0.4, lookY = 0;
    double glow = 0.6;      // brightness of the eye's halo
    double earLift = 0;     // + perked up, - drooping
    double wings = 0;       // 0 folded, 1 spread
    double wrap = 0;        // wings wrapped round the body (asleep upside down)
    double scorch = 0;      // burnt out and blackened
    double melt = 0;        // sagging with heat (the glow itself is a wash
                            // over the whole drawing, as for hot objects)
    bool legsHidden = false;
    bool armBHidden = false; // arm B replaced by the grabber of the catch
};

Pose mix(const Pose& a, const Pose& b, double t);

// facing +1 right, -1 left (mirrored about the stage origin).
void drawBot(cairo_t* cr, const Pose& pose, int facing);

// Stage-space points of the pose, for effects and the catch arm.
figure::Point bodyCentre(const Pose& pose, int facing);
figure::Point armSocket(const Pose& pose, int facing); // where arm B leaves the body

Pose standing();
// Short quick steps (phase 0..1 a cycle): the base of pushing, crawling and
// sliding.
Pose stepping(double phase);
// A full running stride (phase 0..1 a cycle of both legs).
Pose running(double phase);

} // namespace bot
