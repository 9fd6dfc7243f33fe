#pragma once

#include "screens/Controller.h"
#include "screens/WidgetPlace.h"

#include <memory>

class CGuiButton;
class CSprite;

// The illustrated story told between chapters, over a dimmed copy of the
// screen as it stood when the story opened. Stories 0 (the arrival) and 11
// (the end) have two pages with previous and next; the ten stories between
// them have one page. Done or Escape closes the screen; the opener only
// learns that it closed.
class CControllerStory : public CController
{
public:
    static constexpr int STORY_COUNT = 12;

    // A two-page story turns its pages with previous and next; Done takes
    // next's place on the last page. A one-page story has Done alone.
    static constexpr WidgetPlace PREVIOUS_PAGE{257, 538, STORY_BUTTON};
    static constexpr WidgetPlace NEXT_PAGE{454, 538, STORY_BUTTON};
    static constexpr WidgetPlace ONE_PAGE_DONE{345, 397, STORY_BUTTON};

    explicit CControllerStory(int storyNumber);
    ~CControllerStory() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    static bool IsTwoPageStory(int storyNumber);

private:
    enum Button { BUTTON_PREVIOUS = 0, BUTTON_DONE = 1, BUTTON_NEXT = 2 };

    void LoadPanels();
    void LoadSprites();
    void UnloadSprites();
    void UpdatePageButtons();

    std::unique_ptr<CSprite> panel_;
    // Two-page story: previous, next, done; one-page story: done only.
    std::unique_ptr<CGuiButton> buttons_[3];
    bool spritesLoaded_ = false;
    int storyNumber_;
};
