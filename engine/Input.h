#pragma once

#include <functional>

// What the event pump hands events to: the current screen. The screen
// framework's base class implements it; tests use a recording screen.
class CInputTarget
{
public:
    virtual ~CInputTarget() = default;

    // False once the screen has opened a child or closed: the pump then stops
    // taking events for it.
    virtual bool IsActive() const = 0;
    // -1 ends the program through the screen stack.
    virtual void SetExitCode(int code) = 0;
    // The shared modifier-key tracking: takes Shift, Ctrl and Alt (303..308)
    // and returns true for them, false for every other key.
    virtual bool InputModKey(bool released, int key) = 0;
    virtual void InputKey(bool released, int key) = 0;
    virtual void InputMouseMotion(int x, int y) = 0;
    virtual void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) = 0;
};

// The keyboard and mouse: drains the event queue once per frame and hands
// each event to the current screen. The pointer position is kept here, in
// one of two modes: the free pointer follows the system pointer; the
// captured pointer moves by relative motion times the speed factor and stays
// within 0..800 x 0..600. Alt+Return switches between window and full
// screen, closing the window ends the program (exit code -1), and regaining
// the focus puts the whole screen on display again. Key repeat stays off.
//
// One object exists (a local of the program's start-up); all state is
// module-level.
class CInput
{
public:
    // The widgets' left-button state (they track it across screens):
    // called with (released, dispatch) before the screen hears of the click.
    using MouseButtonHook = void (*)(bool released, bool dispatch);

    // Switches Unicode translation of key events off.
    CInput();
    ~CInput() = default;
    CInput(const CInput&) = delete;
    CInput& operator=(const CInput&) = delete;

    // Takes every pending event for the screen, stopping (and dropping the
    // event just taken) once the screen is no longer active; the rest stay
    // queued for the next pump.
    static void ProcessEvents(CInputTarget* screen);

    static int GetMouseX();
    static int GetMouseY();
    static void SetMouseX(int x);
    static void SetMouseY(int y);
    // The captured pointer's own position.
    static void SetMouseXf(int x);
    static void SetMouseYf(int y);
    static void SetMouseSpeed(float factor);
    // True for the free pointer (the name is the one the callers know).
    static bool IsRelativeMouse();
    static void SetRelativeMouse(bool freePointer);

    // What Alt+Return does: the game switches its full-screen option.
    // Nothing happens while none is set.
    static void SetFullscreenToggle(std::function<void()> toggle);
    static void SetMouseButtonHook(MouseButtonHook hook);
};
