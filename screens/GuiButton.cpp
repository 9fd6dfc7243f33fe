#include "screens/GuiButton.h"

#include "engine/Sprite.h"
#include "screens/Controller.h"
#include "screens/WidgetSprite.h"

namespace {

const char* const BASE_NAME = "GUI Button Base";
const char* const ROLLOVER_NAME = "GUI Button Rollover";
const char* const SHADOW_NAME = "GUI Button Shadow";
const char* const DISABLE_NAME = "GUI Button Disable";
const char* const CLICK_NAME = "GUI Button Click";
const char* const TEXT_NAME = "GUI Button Text";

// The held button shows the rollover this far right and down when there is
// no click image.
constexpr int PRESS_SHIFT = 2;

void hideIf(const std::unique_ptr<CSprite>& sprite)
{
    if (sprite)
        sprite->hide();
}

void showIf(const std::unique_ptr<CSprite>& sprite)
{
    if (sprite)
        showSprite(*sprite);
}

// A new sprite with another image in place of an old one, as visible as it.
void replaceImage(std::unique_ptr<CSprite>& sprite, int layer, const char* image, const char* name, int x, int y)
{
    bool shown = sprite && !sprite->isHidden();
    sprite.reset();
    sprite = makeWidgetSprite(layer, image, name, x, y, shown);
}

} // namespace

CGuiButton::CGuiButton(int x, int y, int callbackIndex, CController* owner, const char* baseImage,
                       const char* shadowImage, const char* rolloverImage, const char* clickImage, bool isDefault,
                       int shadowDx, int shadowDy)
    : CGuiButtonBase(x, y, callbackIndex, owner, isDefault), shadowDx_(shadowDx), shadowDy_(shadowDy)
{
    base_ = makeWidgetSprite(KIND_WIDGET_BASE, baseImage, BASE_NAME, x, y, true);
    rollover_ = makeWidgetSprite(KIND_WIDGET_ROLLOVER, rolloverImage, ROLLOVER_NAME, x, y, false);
    if (shadowImage)
        shadow_ = makeWidgetSprite(KIND_WIDGET_SHADOW, shadowImage, SHADOW_NAME, x + shadowDx, y + shadowDy, true);
    if (clickImage)
        click_ = makeWidgetSprite(KIND_WIDGET_ROLLOVER, clickImage, CLICK_NAME, x, y, false);
}

CGuiButton::~CGuiButton() = default;

void CGuiButton::SetText(const char* image, int dx, int dy, int hoverDdx, int hoverDdy, int pressDdx, int pressDdy)
{
    text_.reset();
    if (!image)
        return;
    textDx_ = dx;
    textDy_ = dy;
    hoverTextDx_ = dx + hoverDdx;
    hoverTextDy_ = dy + hoverDdy;
    pressTextDx_ = dx + pressDdx;
    pressTextDy_ = dy + pressDdy;
    text_ = makeWidgetSprite(KIND_WIDGET_OVERLAY, image, TEXT_NAME, x_ + dx, y_ + dy, true);
}

void CGuiButton::SetDisableImage(const char* image, int dx, int dy)
{
    disableDx_ = dx;
    disableDy_ = dy;
    disable_ = makeWidgetSprite(KIND_WIDGET_OVERLAY, image, DISABLE_NAME, x_ + dx, y_ + dy, false);
}

void CGuiButton::Disable()
{
    if (disabled_)
        return;
    Hide();
    showSprite(*base_);
    showIf(shadow_);
    showIf(text_);
    showIf(disable_);
    disabled_ = true;
}

void CGuiButton::Enable()
{
    if (!disabled_)
        return;
    disabled_ = false;
    hideIf(disable_);
    Show();
}

void CGuiButton::SetPosition(int x, int y)
{
    x_ = x;
    y_ = y;
    base_->setLocation(x, y, false);
    rollover_->setLocation(x, y, false);
    if (click_)
        click_->setLocation(x, y, false);
    if (shadow_)
        shadow_->setLocation(x + shadowDx_, y + shadowDy_, false);
    placeText(textDx_, textDy_);
    if (disable_)
        disable_->setLocation(x + disableDx_, y + disableDy_, false);
}

void CGuiButton::SetBaseImage(const char* image) { replaceImage(base_, KIND_WIDGET_BASE, image, BASE_NAME, x_, y_); }

void CGuiButton::SetRolloverImage(const char* image)
{
    replaceImage(rollover_, KIND_WIDGET_ROLLOVER, image, ROLLOVER_NAME, x_, y_);
}

void CGuiButton::SetClickImage(const char* image)
{
    replaceImage(click_, KIND_WIDGET_ROLLOVER, image, CLICK_NAME, x_, y_);
}

int CGuiButton::GetCenterX() const { return x_ + base_->getWidth(false) / 2; }

int CGuiButton::GetCenterY() const { return y_ + base_->getHeight(false) / 2; }

void CGuiButton::placeText(int dx, int dy)
{
    if (text_)
        text_->setLocation(x_ + dx, y_ + dy, false);
}

void CGuiButton::Update()
{
    if (hidden_)
        return;
    if (!IsMouseOver() || GetHotId() != -1) {
        showSprite(*base_);
        rollover_->hide();
        hideIf(click_);
        placeText(textDx_, textDy_);
        return;
    }
    bool hoverBegins = rollover_->isHidden() && (!click_ || click_->isHidden());
    if (hoverBegins)
        CController::PlaySound(InterfaceSound::Rollover);
    SetHotId(id_);
    base_->hide();
    showSprite(*rollover_);
    if (IsMouseButtonDown()) {
        if (click_) {
            rollover_->hide();
            showSprite(*click_);
        } else {
            rollover_->setLocation(x_ + PRESS_SHIFT, y_ + PRESS_SHIFT, false);
        }
        placeText(pressTextDx_, pressTextDy_);
    } else {
        rollover_->setLocation(x_, y_, false);
        placeText(hoverTextDx_, hoverTextDy_);
        hideIf(click_);
    }
}

void CGuiButton::Hide()
{
    if (!hidden_) {
        base_->hide();
        hideIf(shadow_);
        rollover_->hide();
        hideIf(click_);
        hideIf(text_);
    }
    hidden_ = true;
}

void CGuiButton::Show()
{
    if (hidden_) {
        showSprite(*base_);
        showIf(shadow_);
        showIf(text_);
    }
    hidden_ = disabled_;
}

bool CGuiButton::IsMouseOver() { return !hidden_ && pointerOver(*base_); }

void CGuiButton::WarpMouseTo() { warpPointerOnto(*base_); }
