#include "screens/WidgetSprite.h"

#include "engine/Input.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"

std::unique_ptr<CSprite> makeWidgetSprite(int layer, const char* image, const char* name, int x, int y, bool shown)
{
    auto sprite = std::make_unique<CSprite>(layer, 0, false);
    sprite->setName(name);
    sprite->addFrame(image);
    sprite->setLocation(x, y, false);
    setSpriteShown(*sprite, shown);
    return sprite;
}

void showSprite(CSprite& sprite) { sprite.show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION); }

void setSpriteShown(CSprite& sprite, bool shown)
{
    if (shown)
        showSprite(sprite);
    else
        sprite.hide();
}

void warpPointerOnto(const CSprite& sprite)
{
    CMousePointer::WarpMouse(sprite.getX(false) + sprite.getWidth(false) / 2,
                             sprite.getY(false) + sprite.getHeight(false) / 2);
    CMousePointer::HideFor(1);
}

bool pointerOver(const CSprite& sprite)
{
    return sprite.isOnScreenNear(CInput::GetMouseX(), CInput::GetMouseY(), 0, 0);
}
