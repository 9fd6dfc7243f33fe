#pragma once

// The catch: a bot shoots its telescopic grabber at the professor in the
// next cell, clamps his collar and hoists him up. The bot's and the
// professor's sprites play side by side and frame for frame (both start on
// the same tick with the same frame delay), so the arm is split at the
// border of their cells: the bot's pictures draw it up to that border, the
// professor's from there to his collar. Frames from kHeld on keep
// everything still but the kicking and the bot's bouncing, which lets the
// two animations loop out of step.

#include "Figure.h"

namespace catchscene {

constexpr int kHeld = 19;

// How far the professor has been lifted, in pixels.
inline double lift(int frame)
{
    return 9.0 * figure::smooth((frame - 11) / 8.0);
}

// 0 while the arm is still inside the bot, 1 once the claw holds the collar.
inline double armOut(int frame)
{
    return figure::clamp01((frame - 5) / 4.0);
}

// Height of the arm where it crosses the border between the two cells,
// in the stage space of either (the cell floors are level).
inline double borderY(int frame)
{
    return -15.0 - lift(frame) * 0.7;
}

// The collar the claw holds, in the professor's stage space with the bot on
// his left (mirror x for a bot on his right).
inline figure::Point collar(int frame)
{
    return {-1.5, -19.5 - lift(frame)};
}

} // namespace catchscene

namespace catchscene {

// A length of telescopic arm (metal tube with collars) between two points.
void drawArm(cairo_t* cr, figure::Point from, figure::Point to);

// The two-fingered claw at the end of the arm, pointing along `angle`
// (radians, 0 = +x); `open` 0 shut, 1 wide.
void drawClaw(cairo_t* cr, figure::Point at, double angle, double open);

} // namespace catchscene
