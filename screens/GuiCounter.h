#pragma once

#include <memory>

class CSprite;

// The rolling step counter: up to ten digits that roll toward the value
// like a mechanical counter, covering a twentieth of the remaining distance
// a frame (at least a twentieth of a unit). Not a registered widget; its
// screen embeds it, calls Init once and Update every frame.
//
// The digit image is a strip of 20-pixel cells "0" to "9", "0", "1"; each
// digit shows one 20-pixel window of it.
class CGuiCounter
{
public:
    static constexpr int MAX_DIGITS = 10;
    static constexpr int MAX_VALUE = 99999;

    CGuiCounter();
    ~CGuiCounter();
    CGuiCounter(const CGuiCounter&) = delete;
    CGuiCounter& operator=(const CGuiCounter&) = delete;

    // digits (1 to 10, more are cut to 10) at (x, y), 13 pixels apart; the
    // frame image (may be null) at (x + frameDx, y + frameDy). Shows 0.
    void Init(int x, int y, int digits, const char* frameImage, int frameDx, int frameDy);
    // The value to roll to, within 0..99999.
    void SetValue(int value);
    // The shown position (in twentieths of a unit) or the value.
    int GetValue(bool displayed) const { return displayed ? position_ : target_; }
    void Update();
    void Hide();
    void Show();
    // Deletes the sprites.
    void Release();

private:
    void Build(const char* frameImage, int frameDx, int frameDy);
    void Animate();

    std::unique_ptr<CSprite> digits_[MAX_DIGITS];
    std::unique_ptr<CSprite> frame_;
    int x_ = 0, y_ = 0;
    int digitCount_ = 0;
    int position_ = 0;
    int target_ = 0;
};
