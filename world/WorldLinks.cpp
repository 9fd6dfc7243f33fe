#include "world/WorldLinks.h"

#include "engine/Draw.h"
#include "world/ElementDeviceButton.h"
#include "world/ElementDeviceGate.h"
#include "world/ElementDeviceTeleport.h"
#include "world/ElementDeviceTrampoline.h"

namespace {

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
    links.isTrampolineAt = &CElementDeviceTrampoline::IsTrampolineAt;
    links.classStates = {
        {"buttons", &CElementDeviceButton::ResetAll, &CElementDeviceButton::SaveAll, &CElementDeviceButton::RestoreAll},
        {"gates", &CElementDeviceGate::ResetAll, nullptr, nullptr},
        {"teleports", &CElementDeviceTeleport::ResetAll, &CElementDeviceTeleport::SaveAll,
         &CElementDeviceTeleport::RestoreAll},
        {"trampolines", &CElementDeviceTrampoline::ResetAll, &CElementDeviceTrampoline::SaveAll,
         &CElementDeviceTrampoline::RestoreAll},
    };
    return links;
}

} // namespace

WorldLinks& worldLinks()
{
    static WorldLinks links = makeLinks();
    return links;
}
