#pragma once

#include "levels/Level.h"

#include <string>
#include <vector>

namespace corvelle_test {

// A level that uses every part of the file: terrain runs, a frozen and a
// heated cell, a ladder with a platform, teleports of two colours in an
// order of their own, a tutorial text, a marker without text, a teleport
// power-up, a background other than the default and a solution.
inline void fillSampleLevel(CLevel& level)
{
    level.Reset();
    level.SetHeading("Sample Room");
    level.SetBackground(6);
    for (int x = 0; x < LEVEL_WIDTH; ++x)
        level.SetTile(EC_TERRAIN_GRASS, x, 22);
    level.SetTile(EC_DEVICE_TUBE_START, 2, 21);
    level.SetTile(EC_DEVICE_TUBE_END, 29, 21);
    level.SetTile(EC_OBJECT_WCRATE, 5, 21);
    level.SetModifier(MODIFIER_FROZEN, 5, 21);
    level.SetTile(EC_OBJECT_MCRATE, 6, 21);
    level.SetModifier(MODIFIER_HEATED, 6, 21);
    level.SetTile(EC_POWERUP_TELEPORT, 8, 21);
    for (int y = 15; y <= 21; ++y)
        level.SetLadder(EC_LADDER, 12, y);
    level.SetTile(EC_PLATFORM, 12, 16);
    level.SetTile(EC_TUTORIAL, 3, 21);
    level.SetTutorialText(3, 21, "Walk \"right\", then up.");
    level.SetTile(EC_TUTORIAL, 4, 21);
    level.SetTeleport(EC_DEVICE_LTELEPORT_R, 20, 21);
    level.SetTeleport(EC_DEVICE_LTELEPORT_B, 14, 21);
    level.SetTeleport(EC_DEVICE_LTELEPORT_R, -1, 10);
    level.SetTeleport(EC_DEVICE_LTELEPORT_B, 31, 3);
    level.AddReplayKey(10, 275, false);
    level.AddReplayKey(30, 275, true);
    level.AddReplayKey(31, 32, false);
    level.SetSolutionRecorded();
}

inline std::vector<unsigned char> bodyOf(const CLevel& level)
{
    return level.ToBytes(0);
}

} // namespace corvelle_test
