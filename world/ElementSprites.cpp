#include "world/ElementSprites.h"

#include "world/Element.h"

#include <set>

std::unique_ptr<CSprite> makeElementSprite(ImageClass images, int originX, int originY, int type, int frameDelay,
                                           const char* name)
{
    auto sprite = std::make_unique<CSprite>(originX, originY, type, frameDelay, imagesCached(images), 1, 1);
    sprite->setName(name);
    return sprite;
}

const char* internName(const std::string& name)
{
    static std::set<std::string> names;
    return names.insert(name).first->c_str();
}

void swapShownSprite(CElement& element, CSprite* choice)
{
    if (!choice || choice == element.shownSprite)
        return;
    element.DumpLine();
    if (CSprite* shown = element.shownSprite) {
        shown->resetAnimation();
        shown->hide();
        shown->reset();
    }
    choice->show(element.prevPixelX, element.prevPixelY);
    choice->play(true);
    element.sprite = element.shownSprite = choice;
}

void placeElementSprites(CElement& element)
{
    CElement::CreateTeleportGhost(&element);
    if (element.teleporting)
        CElement::PositionSprites(&element);
    else if (element.sprite)
        element.sprite->setLocation(element.pixelX, element.pixelY, false);
}
