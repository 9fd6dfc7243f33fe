#include "support/WalkLevel.h"

#include "levels/Level.h"
#include "platform/Folders.h"

#include <gtest/gtest.h>

namespace corvelle_test {

void buildWalkLevel(CLevel& level, int startX, int exitX)
{
    for (int x = 4; x <= 20; ++x)
        level.SetTile(EC_TERRAIN_GRASS, x, 21);
    level.SetTile(EC_DEVICE_TUBE_START, startX, 20);
    level.SetTile(EC_DEVICE_TUBE_END, exitX, 20);
}

void saveWalkLevel(const std::string& name, const std::string& heading, int startX, int exitX)
{
    initDirectories();
    CLevel level;
    buildWalkLevel(level, startX, exitX);
    ASSERT_TRUE(level.SaveAs(name.c_str(), heading.c_str()));
}

} // namespace corvelle_test
