#include "screens/ControllerOptionsPassword.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "engine/TextLayout.h"
#include "levels/Profile.h"
#include "screens/GuiButton.h"
#include "screens/GuiTextbox.h"
#include "screens/ScreenParts.h"
#include "screens/WidgetSprite.h"
#include "text/TextIds.h"

#include <cstring>

namespace {

const char* const PICTURE = "baseOptionsPasswordController.png";
constexpr int PANEL_X = 150, PANEL_Y = 88;

// A held key repeats in the 11th frame after its press, then every third.
constexpr int REPEAT_AFTER = 10;
constexpr int REPEAT_AGAIN = 8;

std::unique_ptr<CGuiTextbox> makeBox(int y)
{
    return std::make_unique<CGuiTextbox>(CProfileBase::PASSWORD_LENGTH_MAX, 422, y, 15, 8, "password_entry.png",
                                         "profilenternamecursor.png", false, false, false);
}

} // namespace

CControllerOptionsPassword::CControllerOptionsPassword(const char* current)
    : CController(CONTROLLER_OPTIONS_PASSWORD), current_(current)
{
    LoadSprites();
    oldBox_->WarpMouseTo();
}

CControllerOptionsPassword::~CControllerOptionsPassword()
{
    logMessage(LOG_DESTRUCT, "CControllerOptionsPassword:  Destroying CControllerOptionsPassword...\n");
    UnloadSprites();
}

void CControllerOptionsPassword::LoadSprites()
{
    if (loaded_)
        return;
    dimmer_ = makeDimmer(KIND_SCREEN_BACKGROUND, "Message Controller (OPTIONSPASSWORD_LSPRITE_DIMMER)");
    int panel = CDraw::CopyImage("confirmation_parch.png", PICTURE, 0);
    int width = CDraw::getImageWidth(panel);
    CFontSystem::DrawString(TEXT_PASSWORD_TITLE, panel, ALIGN_CENTRE, 450, 50, (width - 450) / 2, 50);
    CFontSystem::DrawString(TEXT_PASSWORD_EXPLANATION, panel, ALIGN_CENTRE, 350, 150, (width - 350) / 2, 90);
    CFontSystem::DrawString(TEXT_PASSWORD_OLD, panel, ALIGN_LEFT, 200, 20, 100, 215);
    CFontSystem::DrawString(TEXT_PASSWORD_OLD_HINT, panel, ALIGN_LEFT, 200, 20, 100, 233);
    CFontSystem::DrawString(TEXT_PASSWORD_NEW, panel, ALIGN_LEFT, 200, 20, 100, 275);
    CFontSystem::DrawString(TEXT_PASSWORD_NEW_HINT, panel, ALIGN_LEFT, 200, 20, 100, 293);
    background_ = makeScreenSprite(KIND_SCREEN_PANEL, PICTURE,
                                   "Message Controller (OPTIONSPASSWORD_LSPRITE_BACKGROUND)", PANEL_X, PANEL_Y);
    warning_ = std::make_unique<CSprite>(KIND_SCREEN_OVERLAY, 2, false);
    warning_->setName("Message Controller (OPTIONSPASSWORD_LSPRITE_INVALID)");
    warning_->addFrames("options_password_invalid", 5, 0, ".png", 1);
    warning_->setLocation(422, 335, false);
    warning_->hide();
    oldBox_ = makeBox(303);
    newBox_ = makeBox(363);
    ok_ = std::make_unique<CGuiButton>(315, 420, BUTTON_OK, this, "confirmation_buttonokaybase.png",
                                       "confirmation_buttonokayshadow.png", "confirmation_buttonokayroll.png", nullptr,
                                       false, 0, 0);
    cancel_ = std::make_unique<CGuiButton>(410, 420, BUTTON_CANCEL, this, "confirmation_buttoncancelbase.png",
                                           "confirmation_buttoncancelshadow.png", "confirmation_buttoncancelroll.png",
                                           nullptr, false, 0, 0);
    CMousePointer::HideFor(-1);
    loaded_ = true;
}

void CControllerOptionsPassword::UnloadSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!loaded_)
        return;
    dimmer_.reset();
    background_.reset();
    warning_.reset();
    ok_.reset();
    cancel_.reset();
    oldBox_.reset();
    newBox_.reset();
    CDraw::releaseImage(PICTURE);
    loaded_ = false;
}

bool CControllerOptionsPassword::IsWarningShown() const { return warning_ && !warning_->isHidden(); }

CGuiTextbox* CControllerOptionsPassword::focusedBox() const
{
    switch (focus_) {
    case FOCUS_OLD: return oldBox_.get();
    case FOCUS_NEW: return newBox_.get();
    default: return nullptr;
    }
}

void CControllerOptionsPassword::GUICallback(int index, int, bool)
{
    SetReturnValue(0);
    if (index == BUTTON_CANCEL) {
        SetExitCode(1);
        return;
    }
    if (index != BUTTON_OK)
        return;
    if (strcmp(oldBox_->GetText(), current_ ? current_ : "") == 0) {
        SetReturnValue(1);
        GetProfile()->SetPassword(newBox_->GetText());
        SetExitCode(1);
        return;
    }
    warningCountdown_ = WARNING_FRAMES;
    warning_->resetAnimation();
    showSprite(*warning_);
    oldBox_->SetText("");
    focusStop(FOCUS_OLD);
}

void CControllerOptionsPassword::focusStop(int stop)
{
    oldBox_->HideCursor();
    newBox_->HideCursor();
    switch (stop) {
    case 0: oldBox_->WarpMouseTo(); break;
    case 1: newBox_->WarpMouseTo(); break;
    case 2: ok_->WarpMouseTo(); break;
    default: cancel_->WarpMouseTo(); break;
    }
    focus_ = stop <= 1 ? stop : FOCUS_BUTTONS;
}

void CControllerOptionsPassword::moveFocus(bool backwards)
{
    int stop = focus_;
    if (focus_ == FOCUS_BUTTONS)
        stop = CGuiButtonBase::GetHotButton() == cancel_.get() ? 3 : 2;
    focusStop((stop + (backwards ? 3 : 1)) % 4);
}

void CControllerOptionsPassword::handlePress(int key)
{
    if (CGuiTextbox* box = focusedBox())
        box->HandleKey(key, IsShiftDown());
    switch (key) {
    case SDLK_UP:
    case SDLK_LEFT: moveFocus(true); break;
    case SDLK_DOWN:
    case SDLK_RIGHT: moveFocus(false); break;
    case SDLK_TAB: moveFocus(IsShiftDown()); break;
    case SDLK_RETURN:
        if (focus_ == FOCUS_OLD)
            focusStop(FOCUS_NEW);
        else if (focus_ == FOCUS_NEW)
            focusStop(2);
        else if (CGuiButtonBase::GetHotButton())
            CGuiButtonBase::ClickAll(1);
        else
            CController::PlaySound(InterfaceSound::EmptyClick);
        break;
    case SDLK_ESCAPE: GUICallback(BUTTON_CANCEL, 0, false); break;
    default: break;
    }
}

void CControllerOptionsPassword::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    if (released) {
        if (key == repeatKey_)
            repeatKey_ = -1;
    } else {
        repeatKey_ = key;
        repeatCounter_ = 0;
        handlePress(key);
    }
    InputScreenCapture(released, key);
}

void CControllerOptionsPassword::InputMouseMotion(int, int)
{
    CMousePointer::Tick();
    if (!loaded_)
        return;
    if (oldBox_->IsMouseOver()) {
        focus_ = FOCUS_OLD;
        newBox_->HideCursor();
    } else if (newBox_->IsMouseOver()) {
        focus_ = FOCUS_NEW;
        oldBox_->HideCursor();
    } else if (CGuiButtonBase::GetHotButton()) {
        focus_ = FOCUS_BUTTONS;
        oldBox_->HideCursor();
        newBox_->HideCursor();
    }
}

void CControllerOptionsPassword::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    playEmptyClick(released, left);
}

void CControllerOptionsPassword::Pump()
{
    ProcessInput();
    if (repeatKey_ != -1 && ++repeatCounter_ > REPEAT_AFTER) {
        repeatCounter_ = REPEAT_AGAIN;
        handlePress(repeatKey_);
    }
    if (!IsActive() || GetExitCode() != 0)
        return;
    if (warningCountdown_ > 0 && --warningCountdown_ == 0)
        warning_->play(true);
    CGuiButtonBase::UpdateAll();
    if (CGuiTextbox* box = focusedBox())
        box->BlinkCursor();
}
