#include "screens/GuiSlider.h"

#include "engine/Sprite.h"
#include "screens/GuiButtonBase.h"
#include "screens/WidgetSprite.h"

#include <algorithm>

namespace {

// The grey overlay reaches this far left of the slider.
constexpr int GREY_DX = -18;

} // namespace

CGuiSlider::CGuiSlider(int x, int y)
{
    shadow_ = makeWidgetSprite(KIND_WIDGET_SHADOW, "slider_shadow.png", "GUI Slider Shadow", x, y, true);
    frame_ = makeWidgetSprite(KIND_WIDGET_ROLLOVER, "slider_frame.png", "GUI Slider Frame", x, y, true);
    bar_ = makeWidgetSprite(KIND_WIDGET_BASE, "slider_value.png", "GUI Slider Base", x, y, true);
    grey_ = makeWidgetSprite(KIND_WIDGET_OVERLAY, "slider_greyout.png", "GUI Slider Gray", x + GREY_DX, y, false);
}

CGuiSlider::~CGuiSlider() = default;

void CGuiSlider::SetValue(int value)
{
    value_ = value;
    UpdateBar();
}

void CGuiSlider::Increase() { step(1); }

void CGuiSlider::Decrease() { step(-1); }

void CGuiSlider::step(int delta)
{
    if (!greyed_)
        SetValue(std::clamp(value_ + delta, 0, MAX_VALUE));
}

void CGuiSlider::SetGreyed(bool greyed)
{
    greyed_ = greyed;
    setSpriteShown(*grey_, greyed);
}

void CGuiSlider::UpdateBar()
{
    if (value_ == 0)
        bar_->setWidth(0);
    else if (value_ == MAX_VALUE)
        bar_->setWidth(bar_->getWidth(true));
    else
        bar_->setWidth(102 - (10 - value_) * 10);
}
