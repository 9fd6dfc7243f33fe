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

std::unique_ptr<CGuiTextbox> makeBox(int y)
{
    return std::make_unique<CGuiTextbox>(CProfileBase::PASSWORD_LENGTH_MAX, 422, y, 15, 8, "password_entry.png",
                                         "profilenternamecursor.png", false, false, false);
}

} // namespace

CControllerOptionsPassword::CControllerOptionsPassword(const char* current)
    : CControllerDialog(CONTROLLER_OPTIONS_PASSWORD), current_(current)
{
    LoadSprites();
    FocusStop(FOCUS_OLD);
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
    ok_ = std::make_unique<CGuiButton>(OK.x, OK.y, BUTTON_OK, this, "confirmation_buttonokaybase.png",
                                       "confirmation_buttonokayshadow.png", "confirmation_buttonokayroll.png", nullptr,
                                       false, 0, 0);
    cancel_ = std::make_unique<CGuiButton>(CANCEL.x, CANCEL.y, BUTTON_CANCEL, this, "confirmation_buttoncancelbase.png",
                                           "confirmation_buttoncancelshadow.png", "confirmation_buttoncancelroll.png",
                                           nullptr, false, 0, 0);
    SetRing({oldBox_.get(), newBox_.get()}, {ok_.get(), cancel_.get()}, ReturnKey::NextStop);
    CMousePointer::HideFor(-1);
    loaded_ = true;
}

void CControllerOptionsPassword::UnloadSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!loaded_)
        return;
    ClearRing();
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
    FocusStop(FOCUS_OLD);
}

void CControllerOptionsPassword::PumpExtra()
{
    if (warningCountdown_ > 0 && --warningCountdown_ == 0)
        warning_->play(true);
}
