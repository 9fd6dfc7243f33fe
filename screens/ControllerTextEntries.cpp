#include "screens/ControllerTextEntries.h"

#include "engine/Log.h"
#include "engine/Sprite.h"
#include "levels/ProfileBase.h"
#include "screens/GuiTextbox.h"
#include "screens/WidgetSprite.h"
#include "text/TextIds.h"

#include <cstring>

namespace {
constexpr int MARKER_FRAME_DELAY = 2;
constexpr int MARKER_X = 227, MARKER_Y = 215;

constexpr int NAME_LENGTH = 15;
constexpr int PASSWORD_LENGTH = CProfileBase::PASSWORD_LENGTH_MAX;

// The big panel of the online name and the password: the prompt above the
// box, OK and Cancel below it.
CControllerTextEntryBase::Layout bigPanel(int prompt, const char* spriteName, int maxLength, bool spaces)
{
    return {"profile_entername_mainbig.png",
            212,
            205,
            prompt,
            227,
            240,
            300,
            60,
            spriteName,
            maxLength,
            290,
            285,
            spaces,
            false,
            false,
            BIG_PANEL_OK,
            BIG_PANEL_CANCEL,
            true};
}

} // namespace

// ---- Profile name.

CControllerProfileName::CControllerProfileName() { LoadSprites(); }

CControllerProfileName::~CControllerProfileName() = default;

void CControllerProfileName::LoadSprites()
{
    if (SpritesLoaded())
        return;
    BuildSprites({"profile_entername_mainsmall.png", 283, 369, TEXT_PROMPT_PROFILE_NAME, 293, 379, 210, 60,
                  "Profile Name Controller (PROFILENAME_LSPRITE_BACKGROUND)", NAME_LENGTH, 314, 407, true, false,
                  false, OK, CANCEL, true});
}

// ---- The refusal marker.

RefusalMarker::RefusalMarker(const char* framePrefix, bool shown)
    : sprite_(std::make_unique<CSprite>(KIND_SCREEN_BACKGROUND, MARKER_FRAME_DELAY, false))
{
    sprite_->setName("Text Entry Controller (ptrSInvalid)");
    sprite_->addFrames(framePrefix, 5, 0, ".png", 1);
    sprite_->setLocation(MARKER_X, MARKER_Y, false);
    sprite_->hide();
    if (shown)
        Restart();
}

RefusalMarker::~RefusalMarker() = default;

void RefusalMarker::Restart()
{
    countdown_ = HOLD_FRAMES;
    sprite_->stopAnimation();
    sprite_->resetAnimation();
    showSprite(*sprite_);
}

void RefusalMarker::Pump()
{
    if (countdown_ >= 1 && --countdown_ == 0)
        sprite_->play(true);
}

bool RefusalMarker::IsShown() const { return !sprite_->isHidden(); }

bool RefusalMarker::IsFading() const { return !sprite_->isStopped(); }

// ---- Online name.

CControllerScoreboardName::CControllerScoreboardName(bool invalid) : invalid_(invalid) { LoadSprites(); }

CControllerScoreboardName::~CControllerScoreboardName() { marker_.reset(); }

void CControllerScoreboardName::LoadSprites()
{
    if (SpritesLoaded())
        return;
    BuildSprites(bigPanel(TEXT_PROMPT_ONLINE_NAME, "Text Entry Controller (SCOREBOARDNAME_LSPRITE_BACKGROUND)",
                          NAME_LENGTH, true));
    if (invalid_)
        marker_ = std::make_unique<RefusalMarker>("scoreboard_user_invalid", true);
}

void CControllerScoreboardName::PumpExtra()
{
    if (marker_)
        marker_->Pump();
}

// ---- Password.

CControllerPassword::CControllerPassword(const char* expected)
    : CControllerTextEntryBase(CONTROLLER_PASSWORD), expected_(expected ? expected : "")
{
    LoadSprites();
}

CControllerPassword::~CControllerPassword() { marker_.reset(); }

void CControllerPassword::LoadSprites()
{
    if (SpritesLoaded())
        return;
    BuildSprites(bigPanel(TEXT_PROMPT_PASSWORD, "Text Entry Controller (PASSWORD_LSPRITE_BACKGROUND)", PASSWORD_LENGTH,
                          false));
    marker_ = std::make_unique<RefusalMarker>("password_invalid", false);
    GetTextbox()->SetMasked(true);
}

void CControllerPassword::PumpExtra() { marker_->Pump(); }

void CControllerPassword::GUICallback(int index, int, bool)
{
    if (index == BUTTON_CANCEL) {
        SetReturnValue(0);
        SetExitCode(1);
    } else if (index == BUTTON_OK) {
        if (strcmp(GetTextbox()->GetText(), expected_) == 0) {
            SetReturnValue(1);
            SetExitCode(1);
            return;
        }
        marker_->Restart();
        GetTextbox()->SetText("");
        FocusTextbox();
    }
}
