#pragma once

#include "screens/Controller.h"

#include <memory>

class CGuiButton;
class CGuiTextbox;
class CSprite;

// Changes the profiles' password: the old one (checked exactly, letter case
// included) and the new one, OK and Cancel. A wrong old password shows a
// warning that fades, and empties the old box. The answer (return value) is
// 1 after a change, else 0.
class CControllerOptionsPassword : public CController
{
public:
    // current is the profile's own text, read at each check.
    explicit CControllerOptionsPassword(const char* current);
    ~CControllerOptionsPassword() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    enum Focus { FOCUS_BUTTONS = -1, FOCUS_OLD = 0, FOCUS_NEW = 1 };
    static constexpr int BUTTON_CANCEL = 0;
    static constexpr int BUTTON_OK = 1;
    // Frames the warning stands still before it fades.
    static constexpr int WARNING_FRAMES = 40;

    CGuiTextbox* GetOldBox() const { return oldBox_.get(); }
    CGuiTextbox* GetNewBox() const { return newBox_.get(); }
    int GetFocus() const { return focus_; }
    bool IsWarningShown() const;

private:
    void LoadSprites();
    void UnloadSprites();
    CGuiTextbox* focusedBox() const;
    // Focus stops: old box, new box, OK, Cancel, round again.
    void moveFocus(bool backwards);
    void focusStop(int stop);
    void handlePress(int key);

    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> background_;
    std::unique_ptr<CSprite> warning_;
    std::unique_ptr<CGuiButton> ok_, cancel_;
    std::unique_ptr<CGuiTextbox> oldBox_, newBox_;
    bool loaded_ = false;
    const char* current_;
    int warningCountdown_ = 0;
    int focus_ = FOCUS_OLD;
    int repeatKey_ = -1;
    int repeatCounter_ = 0;
};
