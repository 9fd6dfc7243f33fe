#include "world/WorldLinks.h"

#include "engine/Draw.h"
#include "world/ElementLadder.h"
#include "world/ElementObjectMagnet.h"

namespace {

// Each element class enters its queries and its class-wide state here when it
// joins the world. The class states go in this order: bots, buttons, gates,
// power-ups, teleports, trampolines, the tube, magnets, ladders, tutorial
// markers.
WorldLinks makeLinks()
{
    WorldLinks links;
    links.currentFrame = &CDraw::getFrame;
    links.isLadderAt = &CElementLadder::IsLadderAt;
    links.isLadderPlatformAt = &CElementLadder::IsLadderPlatformAt;
    links.attractMagnets = &CElementObjectMagnet::AttractAll;
    links.classStates.push_back({"magnets", &CElementObjectMagnet::ClearMagnetLists,
                                 &CElementObjectMagnet::SaveMagnetLists, &CElementObjectMagnet::RestoreMagnetLists});
    links.classStates.push_back({"ladders", &CElementLadder::ClearLadderGrid, nullptr, nullptr});
    return links;
}

} // namespace

WorldLinks& worldLinks()
{
    static WorldLinks links = makeLinks();
    return links;
}
