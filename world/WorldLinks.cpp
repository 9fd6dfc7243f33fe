#include "world/WorldLinks.h"

#include "engine/Draw.h"
#include "world/ElementDeviceGunshot.h"
#include "world/ElementDevicePowerup.h"
#include "world/ElementDeviceTube.h"

namespace {

// Each element class enters its queries and its class-wide state here when it
// joins the world. The class states go in this order: bots, buttons, gates,
// power-ups, teleports, trampolines, the tube, magnets, ladders, tutorial
// markers.
WorldLinks makeLinks()
{
    WorldLinks links;
    links.currentFrame = &CDraw::getFrame;
    links.spawnGunshot = [](int x, int y, int type, bool facingLeft) -> CElement* {
        return new CElementDeviceGunshot(x, y, type, facingLeft);
    };
    links.classStates.push_back(CElementDevicePowerup::classState());
    links.classStates.push_back(CElementDeviceTube::classState());
    return links;
}

} // namespace

WorldLinks& worldLinks()
{
    static WorldLinks links = makeLinks();
    return links;
}
