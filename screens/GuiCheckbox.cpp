#include "screens/GuiCheckbox.h"

#include "engine/Sprite.h"
#include "screens/Controller.h"
#include "screens/WidgetSprite.h"

namespace {

// The held button shows the rollover this far right and down.
constexpr int PRESS_SHIFT = 2;

} // namespace

CGuiCheckbox::CGuiCheckbox(int x, int y, int callbackIndex, CController* owner)
    : CGuiButtonBase(x, y, callbackIndex, owner, false)
{
    uncheckedBase_ = makeWidgetSprite(KIND_WIDGET_BASE, "checkbox_base.png", "GUI Checkbox Unchecked", x, y, false);
    uncheckedRollover_ =
        makeWidgetSprite(KIND_WIDGET_ROLLOVER, "checkbox_rollover.png", "GUI Checkbox Unchecked Rollover", x, y, false);
    checkedBase_ = makeWidgetSprite(KIND_WIDGET_BASE, "checkbox_basecheck.png", "GUI Checkbox Checked", x, y, true);
    checkedRollover_ = makeWidgetSprite(KIND_WIDGET_ROLLOVER, "checkbox_rollovercheck.png",
                                        "GUI Checkbox Checked Rollover", x, y, false);
}

CGuiCheckbox::~CGuiCheckbox() = default;

void CGuiCheckbox::hideAll()
{
    for (CSprite* sprite : {uncheckedBase_.get(), uncheckedRollover_.get(), checkedBase_.get(), checkedRollover_.get()})
        sprite->hide();
}

void CGuiCheckbox::showState()
{
    hideAll();
    showSprite(base());
}

void CGuiCheckbox::SetChecked(bool checked)
{
    checked_ = checked;
    if (!hidden_)
        showState();
}

bool CGuiCheckbox::Click(char, bool forced)
{
    if (id_ != GetHotId() && !forced)
        return false;
    checked_ = !checked_;
    showState();
    CController::PlaySound(InterfaceSound::Click);
    owner_->GUICallback(callbackIndex_, checked_ ? 1 : 0, false);
    return true;
}

void CGuiCheckbox::Update()
{
    if (hidden_)
        return;
    if (!IsMouseOver() || GetHotId() != -1) {
        showSprite(base());
        rollover().hide();
        pointerInside_ = false;
        return;
    }
    // Once per entry of the pointer: a click's new look is no new entry.
    if (!pointerInside_)
        CController::PlaySound(InterfaceSound::Rollover);
    pointerInside_ = true;
    SetHotId(id_);
    base().hide();
    int shift = IsMouseButtonDown() ? PRESS_SHIFT : 0;
    rollover().setLocation(x_ + shift, y_ + shift, false);
    showSprite(rollover());
}

void CGuiCheckbox::Hide()
{
    hideAll();
    hidden_ = true;
    pointerInside_ = false;
}

void CGuiCheckbox::Show()
{
    showSprite(base());
    hidden_ = false;
}

bool CGuiCheckbox::IsMouseOver() { return !hidden_ && pointerOver(*uncheckedBase_); }

void CGuiCheckbox::WarpMouseTo() { warpPointerOnto(*uncheckedBase_); }
