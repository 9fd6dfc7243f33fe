#pragma once

#include "screens/Controller.h"

#include <vector>

class CGuiButton;
class CGuiTextbox;

// The base of the small modal dialogs made of text boxes and buttons (the
// text entries, the password change, the editor's save-as). It owns their
// keyboard: the focus ring, typing into the focused box, Return, Escape and
// key repeat, and the pointer's part in the focus.
//
// The ring runs over the dialog's boxes, then its buttons, in the order the
// dialog hands them to SetRing. Down, Right and Tab move forward, Up, Left
// and Shift+Tab back, round from the last stop to the first; with no stop
// focused (the pointer left the buttons) forward lands on the first stop and
// back on the last. A focused box types every key it knows. Return on a box
// moves on to the next stop; on a button it clicks the button under the
// pointer, or sounds the empty click when there is none. A one-box dialog
// whose OK is the default button asks for ReturnKey::Click instead: Return
// clicks everywhere, the default button when the pointer is on none. Escape
// answers as Cancel. A held key acts again on the 11th frame after its
// press and then on every third. The pointer over a box gives the box the
// focus; over a button it takes the focus from the boxes.
class CControllerDialog : public CController
{
public:
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    // Input, key repeat, PumpExtra, the widgets, the focused box's cursor.
    void Pump() override;

    // Callback indexes of the two buttons every dialog has.
    static constexpr int BUTTON_CANCEL = 0;
    static constexpr int BUTTON_OK = 1;
    // GetFocusedBox when the focus is on the buttons (or nowhere).
    static constexpr int NO_BOX = -1;
    // Key repeat: the first repeat comes REPEAT_AFTER + 1 frames after the
    // press, then one every REPEAT_AFTER - REPEAT_AGAIN_FROM frames.
    static constexpr int REPEAT_AFTER = 10;
    static constexpr int REPEAT_AGAIN_FROM = 8;

    // What Return does: on a box, move on to the next stop (and click on a
    // button), or click everywhere (the default button when the pointer is
    // on none).
    enum class ReturnKey { NextStop, Click };

    // The index (in SetRing's order) of the box with the focus, or NO_BOX.
    int GetFocusedBox() const { return focusedBox_; }
    // The stop with the focus: the focused box, else the button the keys
    // chose, else the button under the pointer; -1 for none.
    int GetFocusStop() const;

protected:
    explicit CControllerDialog(int id);

    // The widgets of the ring; the dialog owns them and calls ClearRing
    // before it drops them. The first box (if any) has the focus.
    void SetRing(std::vector<CGuiTextbox*> boxes, std::vector<CGuiButton*> buttons, ReturnKey returnKey);
    void ClearRing();
    bool HasRing() const { return !boxes_.empty() || !buttons_.empty(); }
    // Moves the focus (and the pointer) to a stop: the boxes count from 0,
    // the buttons follow them.
    void FocusStop(int stop);
    // A held key stops repeating (the dialog hides behind a message).
    void StopKeyRepeat();
    // Per-frame work of the dialog, while it is open and current.
    virtual void PumpExtra() {}

private:
    void pressKey(int key);
    void pressReturn();
    void moveFocus(bool backwards);
    int stopCount() const;
    void hideCursors();

    std::vector<CGuiTextbox*> boxes_;
    std::vector<CGuiButton*> buttons_;
    ReturnKey returnKey_ = ReturnKey::NextStop;
    int focusedBox_ = NO_BOX;
    // The button the keys moved the focus to, until the pointer moves: the
    // warp onto it reaches the pointer only with the next input events.
    int keyButton_ = -1;
    int repeatKey_ = -1;
    int repeatCounter_ = 0;
};
