#include "ObjectPose.h"

#include <cmath>

namespace art {

void drawPosed(cairo_t* cr, const Paint& body, const Pose& pose, const Box& ice)
{
    cairo_save(cr);
    if (pose.tilt != 0) {
        cairo_translate(cr, 12, 12);
        cairo_rotate(cr, pose.tilt);
        cairo_translate(cr, -12, -12);
    }
    if (pose.squash != 1)
        scaleAbout(cr, 12, 24, 1 / std::sqrt(pose.squash), pose.squash);
    if (pose.frozen)
        drawFrozen(cr, body, ice.x, ice.y, ice.w, ice.h, pose.seed);
    else if (pose.heat > 0)
        drawHeated(cr, body, pose.heat);
    else
        body(cr);
    cairo_restore(cr);
    if (pose.steam >= 0)
        drawSteamWisps(cr, 12, 2, 16, 9, pose.steam, 0.8 * (1 - pose.steam * 0.6), pose.seed);
}

Pose posed(double squash, double tilt, double heat, bool frozen, uint32_t seed)
{
    Pose pose;
    pose.squash = squash;
    pose.tilt = tilt;
    pose.heat = heat;
    pose.frozen = frozen;
    pose.seed = seed;
    return pose;
}

void drawBlownUp(cairo_t* cr, const Paint& body, double scaleX, double scaleY)
{
    cairo_save(cr);
    scaleAbout(cr, 12, 24, scaleX, scaleY);
    body(cr);
    cairo_restore(cr);
}

double coolingHeat(int step)
{
    return 0.9 * (1 - (step + 1) / 8.0);
}

double landingSquash(int frame)
{
    switch (frame) {
    case 0:
        return 0.86;
    case 1:
        return 0.74;
    default:
        return 0.95;
    }
}

} // namespace art
