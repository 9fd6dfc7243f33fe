#include "engine/SpriteReport.h"

#include "engine/Log.h"
#include "engine/Sprite.h"

#include <string>
#include <vector>

void reportLiveSprites(int channel, const char* caller, bool byTile)
{
    const std::string equals(82, '=');
    const std::string stars(82, '*');
    logMessage(channel, "%s\n%s\n", equals.c_str(), stars.c_str());
    const std::vector<CSprite*>& live = CSprite::getAllSprites();
    if (live.empty()) {
        logMessage(channel, "%s  All sprites have been properly unloaded\n", caller);
    } else {
        logMessage(channel, "%s  WARNING:  All sprites have not been properly unloaded:\n", caller);
        for (const CSprite* sprite : live)
            logMessage(channel, "   %s  (%i,%i)\n", sprite->getName(), byTile ? sprite->getTileX() : sprite->getX(false),
                       byTile ? sprite->getTileY() : sprite->getY(false));
    }
    logMessage(channel, "%s\n%s\n", stars.c_str(), equals.c_str());
}
