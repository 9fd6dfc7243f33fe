#include "screens/Controller.h"

#include "engine/Draw.h"
#include "engine/Log.h"
#include "engine/SoundObject.h"
#include "screens/GuiButtonBase.h"

#include <SDL.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace {

// Each combined state is true while either of its two keys is down.
struct ModifierState {
    bool shift = false, ctrl = false, alt = false;
    // Indexed by key code - SDLK_RSHIFT: right and left Shift, Ctrl, Alt.
    bool keys[6] = {};
};

struct StackState {
    CController* current = nullptr;
    int currentId = CONTROLLER_NONE;
    int previousId = CONTROLLER_NONE;
    bool running = true;
    ModifierState modifiers;
    CProfile* profile = nullptr;
    std::function<void(InterfaceSound)> soundObserver;
};

// Rollover, click and empty click, in the order of InterfaceSound.
constexpr const char* INTERFACE_SOUND_FILES[] = {"rollover_v1-2.ogg", "click_v1-2.ogg", "click_v1-3.ogg"};
std::unique_ptr<SoundObject> interfaceSounds[3];

StackState stack;

bool fileExists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// "capture_<stamp>.bmp", or with "_2", "_3" ... when that file exists.
std::string freeCaptureName(const char* stamp)
{
    std::string base = std::string("capture_") + stamp;
    std::string name = base + ".bmp";
    for (int n = 2; fileExists(name); ++n)
        name = base + "_" + std::to_string(n) + ".bmp";
    return name;
}

} // namespace

CController::CController(int id) : id_(id), startPointerX_(CInput::GetMouseX()), startPointerY_(CInput::GetMouseY())
{
}

CController::~CController() = default;

void CController::GUICallback(int index, int value, bool dclick)
{
    logMessage(LOG_DEBUG, "CController::GUICallback(index=%i,value=%i,dclick=%i) to controller %i (VIRTUAL METHOD)\n",
               index, value, dclick ? 1 : 0, id_);
}

void CController::InputMouseMotion(int, int) {}

void CController::InputMouseButton(bool released, bool left, bool right, bool, bool)
{
    if (left)
        logMessage(LOG_DEBUG, "Left Mouse Click:  Released?  %i\n", released ? 1 : 0);
    else if (right)
        logMessage(LOG_DEBUG, "Right Mouse Click:  Released?  %i\n", released ? 1 : 0);
}

// ---- The stack.

void CController::resetInputState()
{
    stack.modifiers = ModifierState();
    CGuiButtonBase::SetMouseButton(true, false);
}

void CController::Activate(CController* parent)
{
    active_ = true;
    stack.previousId = stack.currentId;
    stack.currentId = id_;
    stack.current = this;
    resetInputState();
    if (parent)
        parent_ = parent;
}

void CController::LoadController(CController* child)
{
    exitCode_ = 0;
    active_ = false;
    childOpen_ = true;
    CDraw::setGameSpeed(-1);
    child->active_ = true;
    stack.current = child;
    stack.previousId = stack.currentId;
    stack.currentId = child->id_;
    resetInputState();
    child->parent_ = this;
}

void CController::PumpCurrent()
{
    if (!stack.current)
        return;
    stack.current->Pump();

    // The pump may have opened a child: that one is current now.
    CController* screen = stack.current;
    int code = screen->exitCode_;
    CDraw::setPresentDisabled(code != 0);
    if (code == 0)
        return;

    screen->exitCode_ = 0;
    screen->active_ = false;
    CDraw::setGameSpeed(-1);
    CController* parent = screen->parent_;
    if (!parent) {
        stack.running = false;
        return;
    }
    parent->exitCode_ = code > 0 ? code - 1 : code;
    parent->active_ = true;
    stack.current = parent;
    stack.previousId = screen->id_;
    stack.currentId = parent->id_;
    resetInputState();
}

int CController::TakeClosedChildId()
{
    // A child opened earlier in this very pump is still open.
    if (stack.current != this)
        return CONTROLLER_NONE;
    int closed = childOpen_ ? stack.previousId : CONTROLLER_NONE;
    childOpen_ = false;
    stack.previousId = id_;
    return closed;
}

void CController::LogLoadingController(const char* displayName)
{
    logMessage(LOG_DEBUG, "=============================================\n");
    logMessage(LOG_DEBUG, "Loading Controller:  %s\n", displayName);
    logMessage(LOG_DEBUG, "=============================================\n");
}

CController* CController::GetCurrent() { return stack.current; }
int CController::GetCurrentId() { return stack.currentId; }
int CController::GetPreviousId() { return stack.previousId; }
bool CController::IsRunning() { return stack.running; }

void CController::resetStackForTesting()
{
    CProfile* profile = stack.profile;
    stack = StackState();
    stack.profile = profile;
}
void CController::SetProfile(CProfile* profile) { stack.profile = profile; }
CProfile* CController::GetProfile() { return stack.profile; }

// ---- Keyboard.

void CController::ProcessInput() { CInput::ProcessEvents(this); }

bool CController::InputModKey(bool released, int key)
{
    if (key < SDLK_RSHIFT || key > SDLK_LALT)
        return false;
    ModifierState& m = stack.modifiers;
    m.keys[key - SDLK_RSHIFT] = !released;
    m.shift = m.keys[0] || m.keys[1];
    m.ctrl = m.keys[2] || m.keys[3];
    m.alt = m.keys[4] || m.keys[5];
    logMessage(LOG_DEBUG, "CController::InputModKey:  Modifier Updates:  ALT=%i  CTRL=%i  SHIFT=%i\n", m.alt ? 1 : 0,
               m.ctrl ? 1 : 0, m.shift ? 1 : 0);
    return true;
}

bool CController::IsShiftDown() { return stack.modifiers.shift; }
bool CController::IsCtrlDown() { return stack.modifiers.ctrl; }
bool CController::IsAltDown() { return stack.modifiers.alt; }

void CController::InputGuiKey(CController* screen, bool released, int key, bool allowEscape, bool allowTab)
{
    if (released)
        return;
    switch (key) {
    case SDLK_SPACE:
    case SDLK_RETURN:
        CGuiButtonBase::ClickAll(1);
        break;
    case SDLK_ESCAPE:
        if (allowEscape)
            screen->SetExitCode(1);
        break;
    case SDLK_TAB:
        if (allowTab)
            CGuiButtonBase::MoveFocus(stack.modifiers.shift);
        break;
    case SDLK_UP:
    case SDLK_LEFT:
        CGuiButtonBase::MoveFocus(true);
        break;
    case SDLK_DOWN:
    case SDLK_RIGHT:
        CGuiButtonBase::MoveFocus(false);
        break;
    default:
        break;
    }
}

bool CController::InputScreenCapture(bool released, int key)
{
    if (key != SDLK_KP0)
        return false;
    if (released)
        return true;
    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    // The year in two digits: capture_251231_235959.bmp.
    char stamp[32];
    snprintf(stamp, sizeof stamp, "%02d%02d%02d_%02d%02d%02d", local.tm_year % 100, local.tm_mon + 1, local.tm_mday,
             local.tm_hour, local.tm_min, local.tm_sec);
    std::string name = freeCaptureName(stamp);
    CDraw::saveScreenBMP(name.c_str());
    printf("Screen captured:  %s\n", name.c_str());
    return true;
}

// ---- Sounds.

void CController::LoadSounds()
{
    for (int i = 0; i < 3; ++i)
        interfaceSounds[i] = std::make_unique<SoundObject>(INTERFACE_SOUND_FILES[i], false);
}

void CController::UnloadSounds()
{
    for (std::unique_ptr<SoundObject>& sound : interfaceSounds)
        sound.reset();
}

void CController::PlaySound(InterfaceSound sound)
{
    if (stack.soundObserver)
        stack.soundObserver(sound);
    if (SoundObject* object = interfaceSounds[static_cast<int>(sound)].get())
        object->play(false, 0, 0.0f);
}

void CController::setSoundObserverForTesting(std::function<void(InterfaceSound)> observer)
{
    stack.soundObserver = std::move(observer);
}
