#include "screens/GuiCounter.h"

#include "engine/Sprite.h"
#include "screens/GuiButtonBase.h"
#include "screens/WidgetSprite.h"

#include <algorithm>

namespace {

constexpr int DIGIT_SPACING = 13;
constexpr int CELL = 20;              // one digit of the strip, in pixels and in steps
constexpr int TURN = 10 * CELL;       // a whole turn of a digit: "0" again
constexpr int ROLLING_OVER = TURN - CELL; // beyond this a digit rolls from 9 to 0

} // namespace

CGuiCounter::CGuiCounter() = default;

CGuiCounter::~CGuiCounter() = default;

void CGuiCounter::Init(int x, int y, int digits, const char* frameImage, int frameDx, int frameDy)
{
    Release();
    x_ = x;
    y_ = y;
    digitCount_ = std::min(digits, MAX_DIGITS);
    position_ = 0;
    target_ = 0;
    Build(frameImage, frameDx, frameDy);
}

void CGuiCounter::Build(const char* frameImage, int frameDx, int frameDy)
{
    if (frameImage)
        frame_ =
            makeWidgetSprite(KIND_COUNTER_FRAME, frameImage, "GUI Counter Frame", x_ + frameDx, y_ + frameDy, true);
    for (int i = 0; i < digitCount_; ++i) {
        digits_[i] = makeWidgetSprite(KIND_WIDGET_OVERLAY, "counterdigitsA_faded.png", "GUI Counter Digit",
                                      x_ + DIGIT_SPACING * i, y_, true);
        digits_[i]->setHeight(CELL);
    }
    if (digitCount_ > 0)
        digits_[digitCount_ - 1]->setClipY(TURN);
}

void CGuiCounter::SetValue(int value) { target_ = std::clamp(value, 0, MAX_VALUE); }

void CGuiCounter::Update() { Animate(); }

void CGuiCounter::Animate()
{
    const int goal = target_ * CELL;
    if (position_ == goal)
        return;
    int step = (goal - position_) / CELL;
    if (position_ > goal)
        step = std::min(step, -1);
    else
        step = std::max(step, 1);
    position_ += step;

    // Digits from the rightmost leftwards; a digit rolls along while its
    // right neighbour rolls from 9 to 0. Positions are never negative, so
    // the divisions floor.
    long long unit = 1;
    int neighbourRoll = 0;
    for (int i = 0; i < digitCount_; ++i, unit *= 10) {
        int q = static_cast<int>(position_ / unit);
        bool rolling = i == 0 || neighbourRoll > ROLLING_OVER;
        int v = CELL * (q / CELL) + (rolling ? position_ % CELL : 0);
        int clip = (v - CELL) % TURN + CELL;
        if (i == 0 && position_ < CELL)
            clip = position_ + TURN;
        CSprite& digit = *digits_[digitCount_ - 1 - i];
        digit.setClipY(clip);
        digit.invalidate();
        neighbourRoll = v % TURN;
    }
}

void CGuiCounter::Hide()
{
    if (frame_)
        frame_->hide();
    for (int i = 0; i < digitCount_; ++i)
        digits_[i]->hide();
}

void CGuiCounter::Show()
{
    if (frame_)
        showSprite(*frame_);
    for (int i = 0; i < digitCount_; ++i)
        showSprite(*digits_[i]);
}

void CGuiCounter::Release()
{
    frame_.reset();
    for (std::unique_ptr<CSprite>& digit : digits_)
        digit.reset();
    digitCount_ = 0;
}
