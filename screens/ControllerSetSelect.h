#pragma once

#include "screens/Controller.h"
#include "screens/WidgetPlace.h"

#include <memory>

class CGuiButton;
class CSprite;

// Asks a player who has not yet finished the first level of any set which
// level set to play. It opens over the map's picture and closes only through
// one of its three buttons; the answer, the chosen level-set index (0 regular,
// 1 advanced, 2 kids), is its return value.
class CControllerSetSelect : public CController
{
public:
    // lvlset_button{regular,advanced,kids}_base.png, one below the other.
    static constexpr WidgetSize SET_BUTTON{120, 54};
    static constexpr WidgetPlace SetPlace(int set) { return {200, 239 + 70 * set, SET_BUTTON}; }

    CControllerSetSelect();
    ~CControllerSetSelect() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

private:
    void LoadSprites();
    void UnloadSprites();

    std::unique_ptr<CSprite> dimmer_, background_, professor_;
    std::unique_ptr<CGuiButton> buttons_[3];
    bool spritesLoaded_ = false;
};
