#pragma once

#include "screens/Controller.h"
#include "screens/WidgetPlace.h"

#include <memory>

class CGuiButton;
class CSprite;

// The map's explanation of the tutorial stars: a fixed panel with a turning
// star and one OK button.
class CControllerMessageTutorial : public CController
{
public:
    static constexpr WidgetPlace OK{498, 408, CONFIRMATION_BUTTON};

    CControllerMessageTutorial();
    ~CControllerMessageTutorial() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

private:
    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> panel_;
    std::unique_ptr<CSprite> star_;
    std::unique_ptr<CGuiButton> okButton_;
};
