#pragma once

class CSprite;

// The picture behind a level ("background%i.jpg"), drawn behind every other
// sprite, and a debugging grid over it that starts hidden. The game screen
// owns one while a level is loaded.
class CBackground
{
public:
    explicit CBackground(int number);
    // Both sprites go; a visible one leaves its area to be repainted.
    ~CBackground();
    CBackground(const CBackground&) = delete;
    CBackground& operator=(const CBackground&) = delete;

    void ToggleGrid();

private:
    CSprite* picture_;
    CSprite* grid_;
};
