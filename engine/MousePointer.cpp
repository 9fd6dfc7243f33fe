#include "engine/MousePointer.h"

#include "engine/Draw.h"
#include "engine/Input.h"
#include "engine/Sprite.h"

#include <SDL.h>

#include <algorithm>

namespace {

CSprite* g_pointer = nullptr;
CSprite* g_hourglass = nullptr;
int g_timer = -1;

CSprite* makeSprite(const char* name, const char* image)
{
    CSprite* sprite = new CSprite(KIND_POINTER, 0, false);
    sprite->setName(name);
    sprite->addFrame(image);
    return sprite;
}

void queueMotion(int x, int y, int xrel, int yrel)
{
    SDL_Event event = {};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    event.motion.xrel = static_cast<Sint16>(xrel);
    event.motion.yrel = static_cast<Sint16>(yrel);
    SDL_PushEvent(&event);
}

} // namespace

CMousePointer::CMousePointer()
{
    g_timer = -1;
    g_pointer = makeSprite("Global Mouse Pointer", "mousepointer.tga");
    g_hourglass = makeSprite("Global Hourglass Pointer", "hourglass.tga");
    CSprite::setSwapKeepers(&CMousePointer::UnregisterSprites, &CMousePointer::RegisterSprites);
}

CMousePointer::~CMousePointer()
{
    CSprite::setSwapKeepers(nullptr, nullptr);
    delete g_pointer;
    g_pointer = nullptr;
    delete g_hourglass;
    g_hourglass = nullptr;
}

void CMousePointer::Update()
{
    if (!g_pointer)
        return;
    const int x = CInput::GetMouseX();
    const int y = CInput::GetMouseY();
    g_pointer->setLocation(x, y, false);
    g_hourglass->setLocation(x - g_hourglass->getWidth(false) / 2 + 6, y - g_hourglass->getHeight(false) / 2 + 1,
                             false);
}

void CMousePointer::Tick()
{
    if (g_timer >= 0) {
        --g_timer;
        return;
    }
    if (!g_pointer)
        return;
    g_pointer->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    g_hourglass->hide();
}

void CMousePointer::HideFor(int frames)
{
    g_timer = std::max(g_timer, frames);
    if (!g_pointer)
        return;
    g_pointer->hide();
    g_hourglass->hide();
}

void CMousePointer::ShowHourglass(bool drawNow)
{
    if (!g_pointer)
        return;
    g_hourglass->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    if (g_pointer->isHidden())
        return;
    g_pointer->hide();
    if (drawNow)
        g_hourglass->draw();
}

bool CMousePointer::IsHidden()
{
    return !g_pointer || (g_pointer->isHidden() && g_hourglass->isHidden());
}

void CMousePointer::WarpMouse(int x, int y)
{
    x = std::clamp(x, 0, SCREEN_WIDTH);
    y = std::clamp(y, 0, SCREEN_HEIGHT);
    if (CInput::IsRelativeMouse()) {
        SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
        queueMotion(x, y, 0, 0);
        return;
    }
    // The captured pointer moves by relative motion only: set the position,
    // then a motion of one step lets the screen's motion handler run.
    CInput::SetMouseXf(x);
    CInput::SetMouseYf(y);
    CInput::SetMouseX(x);
    CInput::SetMouseY(y);
    queueMotion(0, 0, 1, 1);
}

void CMousePointer::UnregisterSprites()
{
    if (!g_pointer)
        return;
    CSprite::unregister(g_pointer);
    CSprite::unregister(g_hourglass);
}

void CMousePointer::RegisterSprites()
{
    if (!g_pointer)
        return;
    CSprite::registerCopy(g_pointer);
    CSprite::registerCopy(g_hourglass);
}
