#include "screens/ScreenParts.h"

#include "engine/Sprite.h"
#include "screens/Controller.h"
#include "screens/GuiButton.h"
#include "screens/WidgetSprite.h"

#include <string>

std::unique_ptr<CSprite> makeScreenSprite(int layer, const char* image, const char* name, int x, int y)
{
    return makeWidgetSprite(layer, image, name, x, y, true);
}

std::unique_ptr<CSprite> makeDimmer(int layer, const char* name)
{
    return makeScreenSprite(layer, "dimmer.png", name, 0, 0);
}

std::unique_ptr<CGuiButton> makeStripButton(const WidgetPlace& place, int callbackIndex, CController* owner,
                                            const char* captionImage, bool isDefault)
{
    auto button = std::make_unique<CGuiButton>(place.x, place.y, callbackIndex, owner, "krvl_button_base.png", nullptr,
                                               "krvl_button_select.png", "krvl_button_select.png", isDefault, 0, 0);
    button->SetText(captionImage, 0, 0, 0, 0, 0, 0);
    return button;
}

std::unique_ptr<CGuiButton> makeStoryButton(const WidgetPlace& place, int callbackIndex, CController* owner,
                                            const char* word, bool isDefault)
{
    std::string prefix = std::string("story_button") + word;
    return std::make_unique<CGuiButton>(place.x, place.y, callbackIndex, owner, (prefix + "base.png").c_str(),
                                        (prefix + "shadow.png").c_str(), (prefix + "rollover.png").c_str(), nullptr,
                                        isDefault, 2, 2);
}

void playEmptyClick(bool released, bool left)
{
    if (left && !released && !CGuiButtonBase::GetHotButton())
        CController::PlaySound(InterfaceSound::EmptyClick);
}
