#include "screens/ControllerTextEntryBase.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "screens/GuiButton.h"
#include "screens/GuiTextbox.h"
#include "screens/WidgetSprite.h"

#include <SDL.h>

#include <cstring>

namespace {

const char* const BASE_IMAGE = "baseTextEntryController.png";

// A held key types again in the 10th frame after its press, then every 3rd.
constexpr int REPEAT_AFTER = 10;
constexpr int REPEAT_AGAIN_FROM = 8;

bool holdsNonSpace(const char* text)
{
    for (; *text; ++text)
        if (*text != ' ')
            return true;
    return false;
}

} // namespace

CControllerTextEntryBase::CControllerTextEntryBase(int id) : CController(id) {}

CControllerTextEntryBase::~CControllerTextEntryBase()
{
    logMessage(LOG_DESTRUCT, "CControllerTextEntryBase:  Destroying CControllerTextEntryBase...\n");
    UnloadSprites();
}

void CControllerTextEntryBase::BuildSprites(const Layout& layout)
{
    int base = CDraw::copyScreen(BASE_IMAGE);
    CDraw::drawImageOnto("dimmer.png", base, 0, 0);
    CDraw::drawImageOnto(layout.panelImage, base, layout.panelX, layout.panelY);
    CFontSystem::DrawString(layout.promptString, base, ALIGN_CENTRE, layout.promptWidth, layout.promptHeight,
                            layout.promptX, layout.promptY);
    background_ = makeWidgetSprite(KIND_SCREEN_DIMMER, BASE_IMAGE, layout.backgroundName, 0, 0, true);

    const Layout::Pictures& pictures = layout.pictures;
    okButton_ = std::make_unique<CGuiButton>(layout.okX, layout.okY, BUTTON_OK, this, pictures.okBase,
                                             pictures.okShadow, pictures.okRollover, nullptr, layout.okIsDefault, 0,
                                             0);
    cancelButton_ = std::make_unique<CGuiButton>(layout.cancelX, layout.cancelY, BUTTON_CANCEL, this,
                                                 pictures.cancelBase, pictures.cancelShadow, pictures.cancelRollover,
                                                 nullptr, false, 0, 0);
    textbox_ = std::make_unique<CGuiTextbox>(layout.maxLength, layout.boxX, layout.boxY, pictures.textDx,
                                             pictures.textDy, pictures.textbox, "profilenternamecursor.png",
                                             layout.spaces, layout.punctuation, layout.lineBreaks);
    CMousePointer::HideFor(-1);
    spritesLoaded_ = true;
}

void CControllerTextEntryBase::UnloadSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!spritesLoaded_)
        return;
    background_.reset();
    okButton_.reset();
    cancelButton_.reset();
    textbox_.reset();
    CDraw::releaseImage(BASE_IMAGE);
    spritesLoaded_ = false;
}

void CControllerTextEntryBase::SetText(const char* text)
{
    if (textbox_)
        textbox_->SetText(text);
}

const char* CControllerTextEntryBase::GetEnteredText() const
{
    if (GetReturnValue() == 0 || !textbox_ || textbox_->GetText()[0] == '\0')
        return nullptr;
    return textbox_->GetText();
}

void CControllerTextEntryBase::GUICallback(int index, int, bool)
{
    if (index == BUTTON_CANCEL) {
        SetReturnValue(0);
        SetExitCode(1);
    } else if (index == BUTTON_OK) {
        if (textbox_ && holdsNonSpace(textbox_->GetText())) {
            SetReturnValue(1);
            SetExitCode(1);
        } else {
            PlaySound(InterfaceSound::EmptyClick);
        }
    }
}

void CControllerTextEntryBase::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    if (released && key == repeatKey_) {
        repeatKey_ = -1;
        repeatCounter_ = 0;
    } else if (!released && key != repeatKey_) {
        repeatKey_ = key;
        repeatCounter_ = 0;
    }
    if (!released) {
        if (textboxHasFocus_ && textbox_)
            textbox_->HandleKey(key, IsShiftDown());
        switch (key) {
        case SDLK_UP:
        case SDLK_LEFT: MoveFocus(true); break;
        case SDLK_DOWN:
        case SDLK_RIGHT: MoveFocus(false); break;
        case SDLK_TAB: MoveFocus(IsShiftDown()); break;
        case SDLK_RETURN: CGuiButtonBase::ClickAll(1); break;
        case SDLK_ESCAPE: GUICallback(BUTTON_CANCEL, 0, false); break;
        default: break;
        }
    }
    InputScreenCapture(released, key);
}

void CControllerTextEntryBase::MoveFocus(bool backwards)
{
    if (!spritesLoaded_)
        return;
    int hot = CGuiButtonBase::GetHotId();
    bool onOk = hot == okButton_->GetId();
    bool onCancel = hot == cancelButton_->GetId();
    // The cycle runs text box, OK, Cancel.
    CGuiButton* target = nullptr;
    if (backwards)
        target = onCancel ? okButton_.get() : onOk ? nullptr : cancelButton_.get();
    else
        target = onOk ? cancelButton_.get() : onCancel ? nullptr : textboxHasFocus_ ? okButton_.get() : nullptr;
    if (target) {
        target->WarpMouseTo();
        LoseTextboxFocus();
    } else {
        FocusTextbox();
    }
}

void CControllerTextEntryBase::FocusTextbox()
{
    textbox_->WarpMouseTo();
    textboxHasFocus_ = true;
}

void CControllerTextEntryBase::LoseTextboxFocus()
{
    textboxHasFocus_ = false;
    textbox_->HideCursor();
}

void CControllerTextEntryBase::InputMouseMotion(int, int)
{
    CMousePointer::Tick();
    if (!spritesLoaded_)
        return;
    if (textbox_->IsMouseOver())
        textboxHasFocus_ = true;
    else if (CGuiButtonBase::GetHotId() != -1)
        LoseTextboxFocus();
}

void CControllerTextEntryBase::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    if (left && !released && !CGuiButtonBase::GetHotButton())
        PlaySound(InterfaceSound::EmptyClick);
}

void CControllerTextEntryBase::Pump()
{
    ProcessInput();
    if (repeatKey_ != -1 && ++repeatCounter_ > REPEAT_AFTER) {
        InputKey(false, repeatKey_);
        repeatCounter_ = REPEAT_AGAIN_FROM;
    }
    if (!IsActive() || GetExitCode() != 0)
        return;
    PumpExtra();
    CGuiButtonBase::UpdateAll();
    if (textboxHasFocus_ && textbox_)
        textbox_->BlinkCursor();
}
