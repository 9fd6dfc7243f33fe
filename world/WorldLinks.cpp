#include "world/WorldLinks.h"

#include "engine/Draw.h"

namespace {

// Each element class enters its queries and its class-wide state here when it
// joins the world. The class states go in this order: bots, buttons, gates,
// power-ups, teleports, trampolines, the tube, magnets, ladders, tutorial
// markers.
WorldLinks makeLinks()
{
    WorldLinks links;
    links.currentFrame = &CDraw::getFrame;
    return links;
}

} // namespace

WorldLinks& worldLinks()
{
    static WorldLinks links = makeLinks();
    return links;
}
