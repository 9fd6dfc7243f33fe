#pragma once

#include "screens/Controller.h"
#include "screens/WidgetPlace.h"

#include <memory>

class CGuiButton;
class CSprite;

// What made the game: a parchment over the dimmed menu with the credit lines
// drawn once into one picture, and Done.
class CControllerCredits : public CController
{
public:
    static constexpr WidgetPlace DONE{345, 538, STORY_BUTTON};

    CControllerCredits();
    ~CControllerCredits() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

private:
    void LoadSprites();
    void UnloadSprites();

    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> background_;
    std::unique_ptr<CGuiButton> done_;
    bool loaded_ = false;
};
