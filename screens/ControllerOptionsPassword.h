#pragma once

#include "screens/ControllerDialog.h"
#include "screens/WidgetPlace.h"

#include <memory>

class CGuiButton;
class CGuiTextbox;
class CSprite;

// Changes the profiles' password: the old one (checked exactly, letter case
// included) and the new one, OK and Cancel. A wrong old password shows a
// warning that fades, and empties the old box. The keys are the dialog
// base's, the focus going round the old box, the new box, OK and Cancel.
// The answer (return value) is 1 after a change, else 0.
class CControllerOptionsPassword : public CControllerDialog
{
public:
    // current is the profile's own text, read at each check.
    explicit CControllerOptionsPassword(const char* current);
    ~CControllerOptionsPassword() override;

    void GUICallback(int index, int value, bool dclick) override;

    enum Focus { FOCUS_BUTTONS = NO_BOX, FOCUS_OLD = 0, FOCUS_NEW = 1 };
    // Frames the warning stands still before it fades.
    static constexpr int WARNING_FRAMES = 40;
    static constexpr WidgetPlace OK{315, 420, CONFIRMATION_BUTTON};
    static constexpr WidgetPlace CANCEL{410, 420, CONFIRMATION_BUTTON};

    CGuiTextbox* GetOldBox() const { return oldBox_.get(); }
    CGuiTextbox* GetNewBox() const { return newBox_.get(); }
    int GetFocus() const { return GetFocusedBox(); }
    bool IsWarningShown() const;

private:
    void LoadSprites();
    void UnloadSprites();
    // The warning's count down to its fading.
    void PumpExtra() override;

    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> background_;
    std::unique_ptr<CSprite> warning_;
    std::unique_ptr<CGuiButton> ok_, cancel_;
    std::unique_ptr<CGuiTextbox> oldBox_, newBox_;
    bool loaded_ = false;
    const char* current_;
    int warningCountdown_ = 0;
};
