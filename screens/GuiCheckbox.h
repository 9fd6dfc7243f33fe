#pragma once

#include "screens/GuiButtonBase.h"

#include <memory>

class CSprite;

// A check box: clicked on release, it toggles and calls the owner's
// GUICallback(callbackIndex, 1 when now checked else 0, false). It starts
// checked.
class CGuiCheckbox : public CGuiButtonBase
{
public:
    CGuiCheckbox(int x, int y, int callbackIndex, CController* owner);
    ~CGuiCheckbox() override;

    // Sets the state without a callback or a sound.
    void SetChecked(bool checked);
    bool IsChecked() const { return checked_; }

    void Update() override;
    bool Click(char key, bool forced) override;
    void Hide() override;
    void Show() override;
    bool IsMouseOver() override;
    void WarpMouseTo() override;

private:
    CSprite& base() const { return checked_ ? *checkedBase_ : *uncheckedBase_; }
    CSprite& rollover() const { return checked_ ? *checkedRollover_ : *uncheckedRollover_; }
    void hideAll();
    // The base of the state shown, every other sprite hidden.
    void showState();

    std::unique_ptr<CSprite> uncheckedBase_;
    std::unique_ptr<CSprite> uncheckedRollover_;
    std::unique_ptr<CSprite> checkedBase_;
    std::unique_ptr<CSprite> checkedRollover_;
    bool checked_ = true;
    bool pointerInside_ = false; // the rollover sound has played for this entry
};
