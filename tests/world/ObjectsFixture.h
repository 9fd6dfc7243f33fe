#pragma once

#include "WorldFixture.h"
#include "world/ElementLadder.h"
#include "world/ElementObjectBarrel.h"
#include "world/ElementObjectCrate.h"
#include "world/ElementObjectMagnet.h"
#include "world/ElementTerrain.h"
#include "world/ElementTerrainBridge.h"

#include <string>

namespace world_test {

// The world with the real ladders and magnets linked in, and the level's
// ground built from real terrain.
class ObjectsTest : public WorldTest
{
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        WorldLinks& links = worldLinks();
        links.isLadderAt = &CElementLadder::IsLadderAt;
        links.isLadderPlatformAt = &CElementLadder::IsLadderPlatformAt;
        links.attractMagnets = &CElementObjectMagnet::AttractAll;
    }

    static CElementTerrainGrass* grass(int x, int y, int width) { return new CElementTerrainGrass(x, y, width); }

    static CElementObjectCrate* crateOf(int material, int x, int y, int modifier = 0)
    {
        return new CElementObjectCrate(x, y, material, modifier, true);
    }

    static CElementObjectMagnet* magnet(int x, int y, bool facingLeft)
    {
        return new CElementObjectMagnet(x, y, CElementObjectMagnet::NORMAL, 0, facingLeft);
    }

    static std::string shown(const CElement* e) { return e->shownSprite ? e->shownSprite->getName() : ""; }
};

} // namespace world_test
