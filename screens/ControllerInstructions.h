#pragma once

#include "screens/Controller.h"
#include "screens/WidgetPlace.h"

#include <array>
#include <memory>

class CGuiButton;
class CSprite;

// How to play: a contents page with eighteen topic buttons and one page per
// topic, paged with Prev and Next; Done or Escape closes it. Each page is one
// picture composed when it is shown: its texts and its illustration drawn
// onto a copy of the parchment.
class CControllerInstructions : public CController
{
public:
    static constexpr int TOPIC_COUNT = 18;
    static constexpr int BUTTON_PREV = 100;
    static constexpr int BUTTON_DONE = 101;
    static constexpr int BUTTON_NEXT = 102;

    // The contents page lists its topics in two columns of nine; the paging
    // buttons stand along the bottom of every page.
    static constexpr int TOPIC_ROWS = 9;
    static constexpr WidgetPlace TopicPlace(int topic)
    {
        return {topic < TOPIC_ROWS ? 180 : 455, 170 + 30 * (topic % TOPIC_ROWS), STRIP_BUTTON};
    }
    static constexpr WidgetPlace PREV{190, 540, STORY_BUTTON};
    static constexpr WidgetPlace DONE{345, 540, STORY_BUTTON};
    static constexpr WidgetPlace NEXT{500, 540, STORY_BUTTON};

    explicit CControllerInstructions(int startPage);
    ~CControllerInstructions() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // 0 is the contents page, 1 to 18 the topics.
    int GetPage() const { return page_; }
    bool AreTopicsShown() const;
    bool IsPrevEnabled() const;
    bool IsNextEnabled() const;

private:
    void LoadSprites();
    void UnloadSprites();
    void BuildPage();
    void drawPage(int image) const;

    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> pageSprite_;
    std::array<std::unique_ptr<CGuiButton>, TOPIC_COUNT> topics_;
    std::unique_ptr<CGuiButton> prev_, done_, next_;
    bool loaded_ = false;
    int page_;
};
