#include "screens/GuiButtonPowerup.h"

#include "engine/Sprite.h"
#include "screens/Controller.h"
#include "screens/WidgetSprite.h"

namespace {

bool isShown(const std::unique_ptr<CSprite>& sprite) { return sprite && !sprite->isHidden(); }

void setShown(const std::unique_ptr<CSprite>& sprite, bool shown)
{
    if (sprite)
        setSpriteShown(*sprite, shown);
}

} // namespace

CGuiButtonPowerup::CGuiButtonPowerup(int x, int y, int callbackIndex, CController* owner)
    : CGuiButtonBase(x, y, callbackIndex, owner, false)
{
    clickOnRelease_ = false;
}

CGuiButtonPowerup::~CGuiButtonPowerup() = default;

void CGuiButtonPowerup::take(std::unique_ptr<CSprite>& slot, CSprite* sprite, const char* name)
{
    slot.reset(sprite);
    if (!sprite)
        return;
    sprite->setName(name);
    sprite->setLocation(x_, y_, false);
    sprite->play(true);
    sprite->hide();
}

void CGuiButtonPowerup::SetBaseSprite(CSprite* sprite) { take(base_, sprite, "GUI Powerup Button Base"); }
void CGuiButtonPowerup::SetRolloverSprite(CSprite* sprite) { take(rollover_, sprite, "GUI Powerup Button Rollover"); }
void CGuiButtonPowerup::SetClickSprite(CSprite* sprite) { take(click_, sprite, "GUI Powerup Button Click"); }
void CGuiButtonPowerup::SetTextSprite(CSprite* sprite) { take(text_, sprite, "GUI Powerup Button Text"); }

void CGuiButtonPowerup::Arm(CSprite* base, CSprite* rollover, CSprite* click, CSprite* text, int value)
{
    SetBaseSprite(base);
    SetRolloverSprite(rollover);
    SetClickSprite(click);
    SetTextSprite(text);
    setShown(base_, true);
    setShown(text_, true);
    armed_ = true;
    used_ = false;
    pendingValue_ = value;
}

void CGuiButtonPowerup::Clear()
{
    base_.reset();
    rollover_.reset();
    click_.reset();
    text_.reset();
    armed_ = false;
    used_ = false;
}

void CGuiButtonPowerup::Update()
{
    if (!armed_ || hidden_)
        return;
    if (used_) {
        // The click plays out, then the button lets go of everything.
        if (isShown(click_) && !click_->isFinished())
            return;
        Clear();
        return;
    }
    if (!IsMouseOver() || GetHotId() != -1) {
        hovered_ = false;
        setShown(base_, true);
        setShown(text_, true);
        setShown(rollover_, false);
        setShown(click_, false);
        return;
    }
    // Once per hover, even while the base still plays.
    if (!hovered_)
        CController::PlaySound(InterfaceSound::Rollover);
    hovered_ = true;
    SetHotId(id_);
    if (!base_ || base_->isFinished()) {
        setShown(base_, false);
        setShown(rollover_, true);
    }
}

bool CGuiButtonPowerup::Click(char, bool forced)
{
    if (id_ != GetHotId() && !forced)
        return false;
    used_ = true;
    setShown(rollover_, false);
    setShown(text_, false);
    setShown(click_, true);
    CController::PlaySound(InterfaceSound::Click);
    owner_->GUICallback(callbackIndex_, pendingValue_, false);
    pendingValue_ = 0;
    return true;
}

void CGuiButtonPowerup::Hide()
{
    for (const std::unique_ptr<CSprite>* sprite : {&base_, &rollover_, &click_, &text_})
        setShown(*sprite, false);
    hidden_ = true;
}

void CGuiButtonPowerup::Show()
{
    setShown(base_, true);
    setShown(text_, true);
    hidden_ = false;
}

bool CGuiButtonPowerup::IsMouseOver() { return armed_ && !hidden_ && base_ && pointerOver(*base_); }

void CGuiButtonPowerup::WarpMouseTo()
{
    if (base_)
        warpPointerOnto(*base_);
}
