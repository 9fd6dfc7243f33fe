#pragma once

#include "screens/GuiButtonBase.h"

#include <memory>

class CSprite;

// The image button of every screen: a base image with an optional drop
// shadow, a rollover image while the pointer is over it, an optional click
// image while the left button is held over it (without one the rollover
// shifts by two pixels), an optional text image that moves with the state
// and an optional overlay shown while disabled. Images are named preloaded
// (or registered) images.
//
// A click while hot, or forced as the default widget, plays the click sound
// and calls the owner's GUICallback(callbackIndex, 0, false). A disabled
// button stays drawn but counts as hidden: never hot, clicked or focused.
class CGuiButton : public CGuiButtonBase
{
public:
    // shadowImage and clickImage may be null.
    CGuiButton(int x, int y, int callbackIndex, CController* owner, const char* baseImage, const char* shadowImage,
               const char* rolloverImage, const char* clickImage, bool isDefault, int shadowDx, int shadowDy);
    ~CGuiButton() override;

    // A text image at (x + dx, y + dy), moved by the hover and press offsets
    // in those states; null removes the text.
    void SetText(const char* image, int dx, int dy, int hoverDdx, int hoverDdy, int pressDdx, int pressDdy);
    // The overlay at (x + dx, y + dy) shown while the button is disabled.
    void SetDisableImage(const char* image, int dx, int dy);
    void Disable();
    void Enable();
    void SetPosition(int x, int y);
    void SetBaseImage(const char* image);
    void SetRolloverImage(const char* image);
    void SetClickImage(const char* image);
    int GetCenterX() const;
    int GetCenterY() const;

    void Update() override;
    void Hide() override;
    void Show() override;
    bool IsMouseOver() override;
    void WarpMouseTo() override;

private:
    void placeText(int dx, int dy);

    int shadowDx_, shadowDy_;
    int textDx_ = 0, textDy_ = 0;
    int hoverTextDx_ = 0, hoverTextDy_ = 0;
    int pressTextDx_ = 0, pressTextDy_ = 0;
    int disableDx_ = 0, disableDy_ = 0;
    std::unique_ptr<CSprite> base_;
    std::unique_ptr<CSprite> rollover_;
    std::unique_ptr<CSprite> shadow_;
    std::unique_ptr<CSprite> disable_;
    std::unique_ptr<CSprite> click_;
    std::unique_ptr<CSprite> text_;
};
