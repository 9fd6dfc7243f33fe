#pragma once

#include "screens/GuiButtonBase.h"

#include <memory>

class CSprite;

// An image button armed with animated sprites handed in by its screen: a
// base that plays once before the rollover may show, a rollover, a click
// animation and a text. It takes one click on the left-button press, sends
// the value it was armed with, plays its click animation and then disarms
// itself, deleting its sprites. Unarmed it is never hot.
class CGuiButtonPowerup : public CGuiButtonBase
{
public:
    CGuiButtonPowerup(int x, int y, int callbackIndex, CController* owner);
    ~CGuiButtonPowerup() override;

    // Takes the sprites (any may be null), replacing those it had, and the
    // value the next click sends.
    void Arm(CSprite* base, CSprite* rollover, CSprite* click, CSprite* text, int value);
    void SetBaseSprite(CSprite* sprite);
    void SetRolloverSprite(CSprite* sprite);
    void SetClickSprite(CSprite* sprite);
    void SetTextSprite(CSprite* sprite);
    // Deletes the sprites and disarms.
    void Clear();
    bool IsArmed() const { return armed_; }

    void Update() override;
    bool Click(char key, bool forced) override;
    void Hide() override;
    void Show() override;
    bool IsMouseOver() override;
    void WarpMouseTo() override;

private:
    void take(std::unique_ptr<CSprite>& slot, CSprite* sprite, const char* name);

    std::unique_ptr<CSprite> base_, rollover_, click_, text_;
    bool armed_ = false;
    bool used_ = false;
    bool hovered_ = false;
    int pendingValue_ = 0;
};
