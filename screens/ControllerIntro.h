#pragma once

#include "screens/Controller.h"

#include <cstdint>
#include <memory>

class CSprite;

// The first screen and the root of the screen stack: the maker's logo fades
// in (its eyes blink when the parameters allow it), up to two further
// splash pictures follow three seconds apart, then the main menu opens over
// it for the rest of the run. A key or button release skips ahead once the
// logo is in. The picture on screen at the hand-over stays as the kept
// splash sprite, which the main menu fades out and frees.
class CControllerIntro : public CController
{
public:
    CControllerIntro();
    ~CControllerIntro() override;

    void InputKey(bool released, int key) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // Opens another screen over the intro in place of the main menu (the
    // test programs' probe screens); the intro owns it until it closes.
    void OpenChild(std::unique_ptr<CController> child, const char* displayName);

private:
    void LoadSprites();
    void ReleaseSprites(bool keepKept);
    void updateSprites();
    // Fades a splash in over the one before it; true while it is fading.
    bool bringIn(CSprite* splash);
    void OpenMainMenu();

    std::unique_ptr<CSprite> logo_;
    std::unique_ptr<CSprite> eyes_;
    std::unique_ptr<CSprite> splash1_;
    std::unique_ptr<CSprite> splash2_;
    bool spritesLoaded_ = false;
    static constexpr uint32_t NOT_STARTED = 0xFFFFFFFFu;
    uint32_t startTick_ = NOT_STARTED;
    std::unique_ptr<CController> child_;
    bool firstPumpDone_ = false;
};

// The last splash picture the intro showed, handed on to the main menu.
void SetKeptSplashSprite(CSprite* sprite);
CSprite* GetKeptSplashSprite();
