#pragma once

#include "engine/Motion.h"

#include <vector>

class CSprite;

// Repaints, once per frame, only the parts of the screen that changed.
// Sprites report their changed areas as dirty rectangles; the renderer merges
// and clips them, and for each rectangle draws the visible sprites that
// overlap it, in depth order, clipped to it. The frame end (CDraw::present)
// puts exactly those rectangles on display and clears the list.
//
// One object lives for the whole run (it hands the list to the display);
// all state is module-level, so the static operations work from anywhere.
class CRender
{
public:
    CRender();
    // Clears the lists, frees a swap picture still shown and unhooks the
    // display.
    ~CRender();
    CRender(const CRender&) = delete;
    CRender& operator=(const CRender&) = delete;

    static void AddDirtyRect(int x, int y, int w, int h);
    // The sprite's drawn box.
    static void MarkChanged(const CSprite* sprite);
    // The sprite's old and new box: their union when they overlap, else
    // both.
    static void MarkMoved(const CSprite* sprite);
    // The whole screen.
    static void InvalidateAll();
    static const std::vector<DirtyRect>& GetDirtyRects();
    static void Clear();

    // Updates the sprites (when asked), then optimises and draws the list.
    static void Render(bool updateSprites);
    // Benchmarks time the frames of the real program: each Render passes
    // its duration in milliseconds here.
    static void setRenderTimerForTesting(void (*timer)(double milliseconds));
    static void OptimizeDirtyRects();
    static void DrawDirty();

    // The first call keeps the screen as a still picture behind everything
    // and parks the live sprites (withImage false parks them only); the next
    // call draws a last frame, drops the picture and brings them back.
    static void Swap(bool withImage);
    static bool IsSwapped();

    // The current screen's controller id, or -1 while none is current. The
    // screen stack registers the answer; until then there is no screen.
    using ControllerIdSource = int (*)();
    static void setControllerIdSource(ControllerIdSource source);
    static int currentControllerId();
};
