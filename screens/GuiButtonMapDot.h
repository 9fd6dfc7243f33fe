#pragma once

#include "screens/GuiButtonBase.h"
#include "screens/WidgetPlace.h"

#include <memory>

class CSprite;
class SoundObject;

// One level's dot on the map. Its look tells the level's state; it can
// shrink and grow back, grow in after a delay, or grow in and come up
// selected; the selected dot pulses. Star dots (the tutorial levels) are a
// star floating above the dot's place.
//
// Map dots take clicks on the left-button press. A click on a locked dot
// sends value -1; any other click selects the dot and sends 1 for a
// completed level, 0 for an open one, with dclick set for a second press
// within 15 frames.
class CGuiButtonMapDot : public CGuiButtonBase
{
public:
    enum State { LOCKED = 0, LOCKED_GHOSTED = 1, COMPLETED = 2, OPEN = 3 };
    enum Mode { IDLE = 0, ROLLOVER = 1, SHRINKING = 3, GROWING = 4, SELECTED = 5, APPEARING = 6 };

    // Frames within which a second press counts as a double click.
    static constexpr int DOUBLE_CLICK_FRAMES = 15;

    // The pictures: a regular dot's stand on its place (mapdotregular*.png),
    // a tutorial's star floats above it (star_base<n>.png, one pixel left
    // and 28 up).
    static constexpr WidgetSize DOT{18, 18};
    static constexpr WidgetSize STAR{20, 28};
    // Where the dot made at a map place (x, y) takes the pointer.
    static constexpr WidgetPlace HitPlace(int x, int y, bool star)
    {
        return star ? WidgetPlace{x, y - 27, {17, 13}} : WidgetPlace{x, y + 1, {17, 17}};
    }

    // animation is the starting mode; appearDelay the frames a growing or
    // appearing dot waits before it starts.
    CGuiButtonMapDot(int x, int y, int callbackIndex, CController* owner, bool star, int state, int animation,
                     int appearDelay, bool isDefault);
    ~CGuiButtonMapDot() override;

    // The callback index of the selected dot; -1 when no dot is selected.
    static int GetSelectedValue();

    int GetMode() const { return mode_; }
    int GetState() const { return state_; }
    bool IsStar() const { return star_; }
    // Where the sprite on show stands.
    int GetX() const;
    int GetY() const;

    void Update() override;
    bool Click(char key, bool forced) override;
    void Hide() override;
    void Show() override;
    bool IsMouseOver() override;
    void WarpMouseTo() override;

private:
    void buildRegularSprites(int x, int y);
    void buildStarSprites(int x, int y);
    int adjustStarMode(int mode) const;
    void startMode(int mode);
    // `next` takes the place of the sprite on show, at its frame.
    void replaceCurrent(CSprite* next);
    // Counts the delay down; once over, starts the (hidden) sprite and
    // true when its animation has finished.
    bool runDelayed(CSprite* sprite);
    void startLoops();
    void updateHover();
    int value() const { return state_ == COMPLETED ? 1 : 0; }
    int centreX() const;
    int centreY() const;

    std::unique_ptr<SoundObject> sound_;
    CSprite* current_ = nullptr;
    std::unique_ptr<CSprite> base_, rollover_, shrink_, grow_, pulse_, appear_;
    bool star_;
    int state_;
    int mode_ = IDLE;
    int appearDelay_;
    int doubleClickCountdown_ = 0;
    bool playForward_ = true;
    bool delayedStart_ = false;
    int delayedStartCountdown_ = 0;
};
