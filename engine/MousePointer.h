#pragma once

// The game draws its own mouse pointer (the system cursor is hidden) and an
// hourglass shown while a screen loads or waits: two sprites in front of
// everything that live from start-up to shut-down. Screens hide the pointer
// for a while (typing, loading) and it comes back on its own once the
// countdown of frames has run out.
//
// One object exists (a local of the program's start-up); the sprites and the
// countdown are module-level, so the static operations work from anywhere.
// Before the object exists or after it is gone they only keep the countdown.
class CMousePointer
{
public:
    // Creates the pointer ("mousepointer.tga") and the hourglass
    // ("hourglass.tga"), both hidden, and keeps them on top across the
    // renderer's sprite-list swaps.
    CMousePointer();
    ~CMousePointer();
    CMousePointer(const CMousePointer&) = delete;
    CMousePointer& operator=(const CMousePointer&) = delete;

    // Once per frame: both sprites follow the input module's pointer
    // position; the pointer's hot spot is its top-left corner, the hourglass
    // is centred on it.
    static void Update();
    // Once per pump of every screen: the countdown. Once it has run below
    // zero the pointer shows and the hourglass hides.
    static void Tick();
    // Hides both; the pointer stays away for frames + 1 ticks at least
    // (-1: until the next tick).
    static void HideFor(int frames);
    // Shows the hourglass in place of a visible pointer and, with drawNow,
    // puts it on display at once (screens call it while the next one loads).
    static void ShowHourglass(bool drawNow);
    static bool IsHidden();
    // Moves the mouse to (x, y), kept within 0..800 x 0..600, and queues a
    // motion event so that the screen hears of it.
    static void WarpMouse(int x, int y);
    // Take both sprites out of the live sprite list and put them back.
    static void UnregisterSprites();
    static void RegisterSprites();
};
