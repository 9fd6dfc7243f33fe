#include "world/WorldLinks.h"

#include "engine/Draw.h"
#include "world/ElementAIBot.h"
#include "world/ElementLadder.h"
#include "world/ElementObjectBarrel.h"
#include "world/ElementObjectCrate.h"
#include "world/ElementObjectMagnet.h"
#include "world/ElementTerrainBridge.h"
#include "world/ElementTutorial.h"

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
    links.makeCrate = &CElementObjectCrate::Spawn;
    links.makeBarrel = &CElementObjectBarrel::Spawn;
    links.makeMagnet = &CElementObjectMagnet::Spawn;
    links.makeBridge = &CElementTerrainBridge::Spawn;
    links.activateEmp = &CElementObjectMagnet::ActivateEMP;
    links.classStates.push_back({"bots", &CElementAIBot::ResetList, nullptr, nullptr});
    links.classStates.push_back({"magnets", &CElementObjectMagnet::ClearMagnetLists,
                                 &CElementObjectMagnet::SaveMagnetLists, &CElementObjectMagnet::RestoreMagnetLists});
    links.classStates.push_back({"ladders", &CElementLadder::ClearLadderGrid, nullptr, nullptr});
    links.classStates.push_back({"tutorial markers", &CElementTutorial::ClearTutorialGrid, nullptr, nullptr});
    return links;
}

} // namespace

WorldLinks& worldLinks()
{
    static WorldLinks links = makeLinks();
    return links;
}
