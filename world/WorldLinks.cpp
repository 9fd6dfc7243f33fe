#include "world/WorldLinks.h"

#include "engine/Draw.h"
#include "world/ElementAIBot.h"
#include "world/ElementDeviceButton.h"
#include "world/ElementDeviceGate.h"
#include "world/ElementDeviceGunshot.h"
#include "world/ElementDevicePowerup.h"
#include "world/ElementDeviceTeleport.h"
#include "world/ElementDeviceTrampoline.h"
#include "world/ElementDeviceTube.h"
#include "world/ElementLadder.h"
#include "world/ElementObjectBarrel.h"
#include "world/ElementObjectCrate.h"
#include "world/ElementObjectMagnet.h"
#include "world/ElementTerrainBridge.h"
#include "world/ElementTutorial.h"

namespace {

// What the power-ups make during play: (x, y, material, level modifier,
// facing or building to the left).
template <class Made>
CElement* spawn(int x, int y, int material, int modifier, bool left)
{
    return new Made(x, y, material, modifier, left);
}

// Each element class enters its queries and its class-wide state here when it
// joins the world. The class states go in this order: bots, buttons, gates,
// power-ups, teleports, trampolines, the tube, magnets, ladders, tutorial
// markers.
WorldLinks makeLinks()
{
    WorldLinks links;
    links.currentFrame = &CDraw::getFrame;
    links.findTeleportPartner = &CElementDeviceTeleport::FindPartner;
    links.isTeleportAt = &CElementDeviceTeleport::IsTeleportAt;
    links.isTeleportTopAt = [](int x, int y) {
        return CElementDeviceTeleport::IsTopAt(x, y, false) || CElementDeviceTeleport::IsTopAt(x, y, true);
    };
    links.teleportHasRoomAt = &CElementDeviceTeleport::HasRoomAt;
    links.makeTeleport = [](int x, int y, int colour, int inflatable) -> CElement* {
        return new CElementDeviceTeleport(x, y, colour, inflatable != 0);
    };
    links.isTrampolineAt = &CElementDeviceTrampoline::IsTrampolineAt;
    links.powerupAt = &CElementDevicePowerup::GetTypeAt;
    links.collectPowerupAt = &CElementDevicePowerup::RemoveAt;
    links.isExitAt = &CElementDeviceTube::IsExitAt;
    links.makeGunshot = [](int x, int y, int kind, bool facingLeft) -> CElement* {
        return new CElementDeviceGunshot(x, y, kind, facingLeft);
    };
    links.stunAllBots = &CElementAIBot::StunAll;
    links.wakeAllBots = &CElementAIBot::WakeAll;
    links.handleTutorial = [](int x, int y, bool) { CElementTutorial::HandleTutorial(x, y); };
    links.isLadderAt = &CElementLadder::IsLadderAt;
    links.isLadderPlatformAt = &CElementLadder::IsLadderPlatformAt;
    links.attractMagnets = &CElementObjectMagnet::AttractAll;
    links.makeCrate = &spawn<CElementObjectCrate>;
    links.makeBarrel = &spawn<CElementObjectBarrel>;
    links.makeMagnet = &spawn<CElementObjectMagnet>;
    links.makeBridge = &spawn<CElementTerrainBridge>;
    links.activateEmp = &CElementObjectMagnet::ActivateEMP;
    links.classStates.push_back({"bots", &CElementAIBot::ResetList, nullptr, nullptr, nullptr});
    links.classStates.push_back(CElementDeviceButton::classState());
    links.classStates.push_back({"gates", &CElementDeviceGate::ResetAll, nullptr, nullptr, nullptr});
    links.classStates.push_back(CElementDevicePowerup::classState());
    links.classStates.push_back(CElementDeviceTeleport::classState());
    links.classStates.push_back(CElementDeviceTrampoline::classState());
    links.classStates.push_back(CElementDeviceTube::classState());
    links.classStates.push_back(CElementObjectMagnet::classState());
    links.classStates.push_back({"ladders", &CElementLadder::ClearLadderGrid, nullptr, nullptr, nullptr});
    links.classStates.push_back(CElementTutorial::classState());
    return links;
}

} // namespace

WorldLinks& worldLinks()
{
    static WorldLinks links = makeLinks();
    return links;
}
