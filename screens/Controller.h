#pragma once

#include "engine/Input.h"

#include <functional>

class CProfile;

// The number each screen class carries. Parents learn from it which child
// has just closed.
enum ControllerId {
    CONTROLLER_NONE = 0,
    CONTROLLER_INTRO = 2,
    CONTROLLER_MAIN = 3,
    CONTROLLER_GAME = 5,
    CONTROLLER_EDITOR = 6,
    CONTROLLER_EDITOR_PALETTE = 7,
    CONTROLLER_EDITOR_LOAD = 8,
    CONTROLLER_EDITOR_SAVE = 9,
    CONTROLLER_MESSAGE = 10,
    CONTROLLER_EDITOR_HELP = 11,
    CONTROLLER_MAP = 13,
    CONTROLLER_STORY = 14,
    CONTROLLER_INSTRUCTIONS = 15,
    CONTROLLER_CREDITS = 16,
    CONTROLLER_PROFILES = 17,
    CONTROLLER_OPTIONS = 18,
    CONTROLLER_TEXT_ENTRY = 20,
    CONTROLLER_IN_GAME = 21,
    CONTROLLER_MANAGER = 22,
    CONTROLLER_SCOREBOARD = 23,
    CONTROLLER_PASSWORD = 25,
    CONTROLLER_OPTIONS_CONTROLS = 26,
    CONTROLLER_OPTIONS_PASSWORD = 27,
    CONTROLLER_SET_SELECT = 29,
    CONTROLLER_MESSAGE_TUTORIAL = 31,
};

// Close codes a screen may set besides n > 0 (close n screens).
constexpr int EXIT_QUIT = -1;          // close every screen and end the program
constexpr int EXIT_QUIT_FOR_WEB = -2;  // the same, after a web page was opened

// The interface sounds every screen and widget shares.
enum class InterfaceSound { Rollover, Click, EmptyClick };

// The base of every screen. Screens form a stack: the current screen is the
// only one that is pumped and gets input; it may open a child, which is
// current until it closes. A screen closes by setting an exit code; the
// stack applies it right after the screen's Pump (see PumpCurrent).
//
// Ownership: a screen owns the child it opened and deletes it when it learns
// that the child closed (TakeClosedChildId). The root screen belongs to the
// program's start-up.
//
// The stack's state (current screen, current and previous id, running flag,
// modifier keys, the shared sounds, the profile) is program-wide; main
// thread only.
class CController : public CInputTarget
{
public:
    ~CController() override;
    CController(const CController&) = delete;
    CController& operator=(const CController&) = delete;

    // A widget of this screen was activated: index is the widget's callback
    // index; value and dclick depend on the widget.
    virtual void GUICallback(int index, int value, bool dclick);
    // key is an SDL key code; modifier keys never arrive here.
    void InputKey(bool released, int key) override = 0;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    // Once per frame while this screen is current. Begins with ProcessInput.
    virtual void Pump() = 0;

    // ---- The stack.
    // Makes this screen current without touching any other (start-up uses
    // it for the root); a non-null parent becomes this screen's parent.
    void Activate(CController* parent);
    // Opens child over this screen: this one goes inactive, the child is
    // current. The caller made the child and keeps it in a field of its own.
    void LoadController(CController* child);
    // Once per frame from the main loop: pumps the current screen, then
    // applies its exit code. A closing screen hands n - 1 to its parent
    // (-1 and -2 unchanged), so a code travels one level per frame; the
    // frame in which a screen closes is not presented. When the root closes
    // the running flag is cleared.
    static void PumpCurrent();

    // 0 stays open; n > 0 closes this screen and n - 1 ancestors; EXIT_QUIT
    // and EXIT_QUIT_FOR_WEB close everything.
    void SetExitCode(int code) override { exitCode_ = code; }
    int GetExitCode() const { return exitCode_; }
    int GetReturnValue() const { return returnValue_; }
    int GetID() const { return id_; }
    bool IsActive() const override { return active_; }
    CController* GetParent() const { return parent_; }

    static CController* GetCurrent();
    static int GetCurrentId();
    static int GetPreviousId();
    static bool IsRunning();
    // No current screen, running again, no modifiers held.
    static void resetStackForTesting();

    // The one player profile of the run, handed over at start-up.
    static void SetProfile(CProfile* profile);
    static CProfile* GetProfile();

    // ---- Keyboard routines shared by the screens.
    // Polls and dispatches the pending input events to this screen.
    void ProcessInput();
    // Tracks the Shift, Ctrl and Alt keys (303-308) and takes them (true);
    // every other key is left to the screen (false). The state is shared by
    // all screens.
    bool InputModKey(bool released, int key) override;
    static bool IsShiftDown();
    static bool IsCtrlDown();
    static bool IsAltDown();
    // Widgets by keyboard: Return and Space click, the arrows (and Tab when
    // allowed) move the focus, Escape (when allowed) closes screen with 1.
    // Presses act; releases are ignored.
    static void InputGuiKey(CController* screen, bool released, int key, bool allowEscape, bool allowTab);
    // Keypad 0 writes the screen to "capture_<date>_<time>.bmp" in the
    // working folder (a counter is added when that name is taken). True
    // when the key was keypad 0.
    static bool InputScreenCapture(bool released, int key);

    // ---- The shared interface sounds.
    static void LoadSounds();
    static void UnloadSounds();
    static void PlaySound(InterfaceSound sound);
    // Tests hear every interface sound played; an empty function stops it.
    static void setSoundObserverForTesting(std::function<void(InterfaceSound)> observer);

protected:
    explicit CController(int id);

    // On the pump after a child of this screen closed: that child's id,
    // once. 0 otherwise, also on a screen's first pump, when the previous
    // id still names the screen that opened it. Afterwards the previous id
    // is this screen's own.
    int TakeClosedChildId();

    void SetReturnValue(int value) { returnValue_ = value; }
    // The log lines that frame the opening of a screen.
    static void LogLoadingController(const char* displayName);
    // The pointer position when this screen was made.
    int GetStartPointerX() const { return startPointerX_; }
    int GetStartPointerY() const { return startPointerY_; }

private:
    static void resetInputState();

    CController* parent_ = nullptr;
    bool active_ = false;
    int id_;
    int startPointerX_;
    int startPointerY_;
    int exitCode_ = 0;
    int returnValue_ = 0;
    bool childOpen_ = false;
};
