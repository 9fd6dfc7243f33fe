#include "screens/ControllerMessageTutorial.h"

#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "screens/GuiButton.h"
#include "screens/ScreenParts.h"
#include "screens/WidgetSprite.h"

namespace {
constexpr int STAR_FRAME_DELAY = 2;

} // namespace

CControllerMessageTutorial::CControllerMessageTutorial() : CController(CONTROLLER_MESSAGE_TUTORIAL)
{
    dimmer_ = makeWidgetSprite(KIND_SCREEN_BACKGROUND, "dimmer.png",
                               "Message Tutorial Controller (MESSAGETUT_LSPRITE_DIMMER)", 0, 0, true);
    panel_ = makeWidgetSprite(KIND_SCREEN_PANEL, "mapstar_explain.png",
                              "Message Tutorial Controller (MESSAGETUT_LSPRITE_BACKGROUND)", 199, 173, true);
    star_ = std::make_unique<CSprite>(KIND_SCREEN_PANEL, STAR_FRAME_DELAY, false);
    star_->setName("Message Tutorial Controller (MESSAGETUT_LSPRITE_TUTORIAL)");
    star_->addFrames("star_base", 0, 59, ".png", 1);
    star_->setLocation(494, 233, false);
    star_->setLooping(true);
    star_->play(true);
    showSprite(*star_);
    okButton_ = std::make_unique<CGuiButton>(OK.x, OK.y, 0, this, "confirmation_buttonokaybase.png",
                                             "confirmation_buttonokayshadow.png", "confirmation_buttonokayroll.png",
                                             nullptr, true, 0, 0);
    CMousePointer::HideFor(-1);
}

CControllerMessageTutorial::~CControllerMessageTutorial()
{
    logMessage(LOG_DESTRUCT, "CControllerMessageTutorial:  Destroying CControllerMessageTutorial...\n");
    CMousePointer::ShowHourglass(true);
}

void CControllerMessageTutorial::GUICallback(int, int, bool) { SetExitCode(1); }

void CControllerMessageTutorial::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    InputGuiKey(this, released, key, true, true);
    InputScreenCapture(released, key);
}

void CControllerMessageTutorial::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerMessageTutorial::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    playEmptyClick(released, left);
}

void CControllerMessageTutorial::Pump()
{
    ProcessInput();
    if (IsActive())
        CGuiButtonBase::UpdateAll();
}
