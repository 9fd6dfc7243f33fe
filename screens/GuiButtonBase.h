#pragma once

#include "engine/SpriteKinds.h"

class CController;

// The base of every clickable widget. All live widgets of all screens sit
// in one program-wide registry, in creation order, which is also the
// keyboard focus order. Once per frame the current screen calls UpdateAll,
// in which the first widget under the pointer becomes hot; mouse buttons
// and Return/Space reach the widgets through ClickAll, and a widget that
// takes a click calls its screen's GUICallback(callbackIndex, value,
// dclick). Keyboard focus is the pointer itself: MoveFocus warps it onto the
// next widget and the next update makes that widget hot.
//
// A widget's id is its position in the registry when it was made; ids are
// never renumbered, so after removals two widgets may share one, and a
// lookup by id finds the first.
class CGuiButtonBase
{
public:
    CGuiButtonBase(int x, int y, int callbackIndex, CController* owner, bool isDefault);
    virtual ~CGuiButtonBase();
    CGuiButtonBase(const CGuiButtonBase&) = delete;
    CGuiButtonBase& operator=(const CGuiButtonBase&) = delete;

    // Once per frame: a visible widget under the pointer claims the hot id
    // while it is free and shows its hovered look; otherwise its normal look.
    virtual void Update() = 0;
    // Takes a click when hot (or forced as the default widget): plays the
    // click sound and calls the owner's GUICallback(callbackIndex, 0, false).
    virtual bool Click(char key, bool forced);
    virtual void Hide() = 0;
    virtual void Show() = 0;
    virtual bool IsMouseOver();
    // Puts the pointer onto the widget (the base does nothing).
    virtual void WarpMouseTo();

    int GetId() const { return id_; }
    bool IsHidden() const { return hidden_; }
    bool IsDisabled() const { return disabled_; }
    int GetX() const { return x_; }
    int GetY() const { return y_; }
    int GetCallbackIndex() const { return callbackIndex_; }

    // -1 when no widget is hot.
    static int GetHotId();
    // The first registered widget with the hot id; null when there is none.
    static CGuiButtonBase* GetHotButton();
    // The first registered widget with that id; null when there is none.
    static CGuiButtonBase* GetById(int id);
    static void UpdateAll();
    // key 0: a mouse button changed: offered to the widgets that click on
    // that edge (release or press). key 1: Return or Space: offered like a
    // mouse click, then to the first visible default widget.
    static void ClickAll(char key);
    // Tracks the left button; a change with dispatch set offers the click.
    static void SetMouseButton(bool released, bool dispatch);
    static bool IsMouseButtonDown();
    // Focus on the previous or next visible, enabled widget, wrapping round.
    // With no such widget the focus stays where it was.
    static void MoveFocus(bool backwards);

protected:
    static void SetHotId(int id);

    int id_;
    CController* owner_;
    bool clickOnRelease_ = true;
    bool hidden_ = false;
    bool disabled_ = false;
    bool isDefault_;
    int x_, y_;
    int callbackIndex_;
};
