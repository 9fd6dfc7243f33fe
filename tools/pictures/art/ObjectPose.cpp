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
    if (pose.squash != 1) {
        cairo_translate(cr, 12, 24);
        cairo_scale(cr, 1 / std::sqrt(pose.squash), pose.squash);
        cairo_translate(cr, -12, -24);
    }
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
