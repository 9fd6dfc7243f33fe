#pragma once

#include <memory>

class CSprite;

// A volume slider of twelve steps (0 to 11, 11 at start): a bar whose shown
// width follows the value, in a frame with a shadow, and a grey overlay
// while it cannot be changed. It has no mouse handling of its own: its
// screen changes it with buttons or keys. Not a registered widget.
class CGuiSlider
{
public:
    static constexpr int MAX_VALUE = 11;

    CGuiSlider(int x, int y);
    ~CGuiSlider();
    CGuiSlider(const CGuiSlider&) = delete;
    CGuiSlider& operator=(const CGuiSlider&) = delete;

    // Takes any value, greyed or not.
    void SetValue(int value);
    // One step, the result kept within 0..11; nothing while greyed.
    void Increase();
    void Decrease();
    int GetValue() const { return value_; }
    void SetGreyed(bool greyed);
    bool IsGreyed() const { return greyed_; }
    // The bar's width for the value: none at 0, all of it at 11, else
    // 12 pixels at 1 growing by 10 a step.
    void UpdateBar();

private:
    void step(int delta);

    std::unique_ptr<CSprite> shadow_;
    std::unique_ptr<CSprite> frame_;
    std::unique_ptr<CSprite> bar_;
    std::unique_ptr<CSprite> grey_;
    bool greyed_ = false;
    int value_ = MAX_VALUE;
};
