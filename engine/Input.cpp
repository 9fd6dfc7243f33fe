#include "engine/Input.h"

#include "engine/Draw.h"
#include "engine/Log.h"

#include <SDL.h>

namespace {

struct InputState {
    int mouseX = 0;
    int mouseY = 0;
    float mouseXf = 0.0f;
    float mouseYf = 0.0f;
    float mouseSpeed = 1.0f;
    bool freePointer = true;
    std::function<void()> toggleFullscreen;
    CInput::MouseButtonHook mouseButtonHook = nullptr;
};

InputState g;

float clampTo(float value, float high)
{
    return value < 0.0f ? 0.0f : (value > high ? high : value);
}

void setMouseButton(bool released)
{
    if (g.mouseButtonHook)
        g.mouseButtonHook(released, true);
}

void keyEvent(CInputTarget* screen, const SDL_KeyboardEvent& key, bool released)
{
    const int symbol = key.keysym.sym;
    if (!released && symbol == SDLK_RETURN && (key.keysym.mod & KMOD_ALT)) {
        if (g.toggleFullscreen)
            g.toggleFullscreen();
        return;
    }
    if (!screen->InputModKey(released, symbol))
        screen->InputKey(released, symbol);
}

void motionEvent(CInputTarget* screen, const SDL_MouseMotionEvent& motion)
{
    if (g.freePointer) {
        if (motion.x == g.mouseX && motion.y == g.mouseY)
            return;
        g.mouseX = motion.x;
        g.mouseY = motion.y;
    } else {
        if (motion.xrel == 0 && motion.yrel == 0)
            return;
        g.mouseXf = clampTo(g.mouseXf + motion.xrel * g.mouseSpeed, SCREEN_WIDTH);
        g.mouseYf = clampTo(g.mouseYf + motion.yrel * g.mouseSpeed, SCREEN_HEIGHT);
        g.mouseX = static_cast<int>(g.mouseXf);
        g.mouseY = static_cast<int>(g.mouseYf);
    }
    screen->InputMouseMotion(g.mouseX, g.mouseY);
}

void buttonPressed(CInputTarget* screen, int button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        setMouseButton(false);
        screen->InputMouseButton(false, true, false, false, false);
        break;
    case SDL_BUTTON_MIDDLE: logMessage(LOG_DEBUG, "Mouse Location:  (%i,%i)\n", g.mouseX, g.mouseY); break;
    case SDL_BUTTON_RIGHT: screen->InputMouseButton(false, false, true, false, false); break;
    case SDL_BUTTON_WHEELUP: screen->InputMouseButton(false, false, false, true, false); break;
    case SDL_BUTTON_WHEELDOWN: screen->InputMouseButton(false, false, false, false, true); break;
    }
}

void buttonReleased(CInputTarget* screen, int button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        setMouseButton(true);
        screen->InputMouseButton(true, true, false, false, false);
        break;
    case SDL_BUTTON_RIGHT: screen->InputMouseButton(true, false, true, false, false); break;
    }
}

void dispatch(CInputTarget* screen, const SDL_Event& event)
{
    switch (event.type) {
    case SDL_ACTIVEEVENT:
        if (event.active.gain)
            CDraw::present(false, false);
        break;
    case SDL_KEYDOWN: keyEvent(screen, event.key, false); break;
    case SDL_KEYUP: keyEvent(screen, event.key, true); break;
    case SDL_MOUSEMOTION: motionEvent(screen, event.motion); break;
    case SDL_MOUSEBUTTONDOWN: buttonPressed(screen, event.button.button); break;
    case SDL_MOUSEBUTTONUP: buttonReleased(screen, event.button.button); break;
    case SDL_QUIT: screen->SetExitCode(-1); break;
    }
}

} // namespace

CInput::CInput()
{
    SDL_EnableUNICODE(0);
}

void CInput::ProcessEvents(CInputTarget* screen)
{
    if (!screen)
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (!screen->IsActive())
            return;
        dispatch(screen, event);
    }
}

int CInput::GetMouseX() { return g.mouseX; }
int CInput::GetMouseY() { return g.mouseY; }
void CInput::SetMouseX(int x) { g.mouseX = x; }
void CInput::SetMouseY(int y) { g.mouseY = y; }
void CInput::SetMouseXf(int x) { g.mouseXf = static_cast<float>(x); }
void CInput::SetMouseYf(int y) { g.mouseYf = static_cast<float>(y); }
void CInput::SetMouseSpeed(float factor) { g.mouseSpeed = factor; }
bool CInput::IsRelativeMouse() { return g.freePointer; }
void CInput::SetRelativeMouse(bool freePointer) { g.freePointer = freePointer; }
void CInput::SetFullscreenToggle(std::function<void()> toggle) { g.toggleFullscreen = std::move(toggle); }
void CInput::SetMouseButtonHook(MouseButtonHook hook) { g.mouseButtonHook = hook; }
