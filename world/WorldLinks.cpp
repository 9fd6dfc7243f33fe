#include "world/WorldLinks.h"

#include "engine/Draw.h"
#include "world/ElementAIBot.h"
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
    links.stunAllBots = &CElementAIBot::StunAll;
    links.wakeAllBots = &CElementAIBot::WakeAll;
    links.handleTutorial = [](int x, int y, bool) { CElementTutorial::HandleTutorial(x, y); };
    links.classStates.push_back({"bots", &CElementAIBot::ResetList, nullptr, nullptr});
    links.classStates.push_back({"tutorial markers", &CElementTutorial::ClearTutorialGrid, nullptr, nullptr});
    return links;
}

} // namespace

WorldLinks& worldLinks()
{
    static WorldLinks links = makeLinks();
    return links;
}
