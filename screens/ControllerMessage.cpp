#include "screens/ControllerMessage.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sprite.h"
#include "screens/GuiButton.h"
#include "screens/ScreenParts.h"
#include "screens/WidgetSprite.h"

#include <SDL.h>

namespace {

constexpr const char* PANEL_IMAGE = "baseMessageController.png";
constexpr int PANEL_X = 150, PANEL_Y = 88;
constexpr int TITLE_W = 450, TITLE_H = 50, TITLE_Y = 50;
constexpr int BODY_W = 350, BODY_H = 120, BODY_Y = 200;
constexpr int ANSWER_NO = 0, ANSWER_YES = 1;

std::unique_ptr<CGuiButton> makeButton(CController* owner, const WidgetPlace& place, int callback, const char* kind,
                                       bool isDefault)
{
    std::string base = std::string("confirmation_button") + kind;
    return std::make_unique<CGuiButton>(place.x, place.y, callback, owner, (base + "base.png").c_str(),
                                        (base + "shadow.png").c_str(), (base + "roll.png").c_str(), nullptr,
                                        isDefault, 0, 0);
}

} // namespace

CControllerMessage::CControllerMessage(int titleString, int bodyString, bool yesNo, const char* bodyArgument)
    : CController(CONTROLLER_MESSAGE), titleString_(titleString), bodyString_(bodyString), yesNo_(yesNo)
{
    std::vector<std::string> arguments;
    if (bodyArgument)
        arguments.push_back(bodyArgument);
    loadSprites(titleString, bodyString, arguments);
}

CControllerMessage::CControllerMessage(int titleString, int bodyString, const std::vector<std::string>& bodyArguments)
    : CController(CONTROLLER_MESSAGE), titleString_(titleString), bodyString_(bodyString), yesNo_(false)
{
    loadSprites(titleString, bodyString, bodyArguments);
}

CControllerMessage::~CControllerMessage()
{
    logMessage(LOG_DESTRUCT, "CControllerMessage:  Destroying CControllerMessage...\n");
    CMousePointer::ShowHourglass(true);
    if (!loaded_)
        return;
    dimmer_.reset();
    panel_.reset();
    okButton_.reset();
    cancelButton_.reset();
    CDraw::releaseImage(PANEL_IMAGE);
}

void CControllerMessage::loadSprites(int titleString, int bodyString, const std::vector<std::string>& bodyArguments)
{
    if (loaded_)
        return;
    dimmer_ = makeWidgetSprite(KIND_SCREEN_BACKGROUND, "dimmer.png", "Message Controller (MESSAGE_LSPRITE_DIMMER)", 0,
                               0, true);

    int image = CDraw::CopyImage("confirmation_parch.png", PANEL_IMAGE, 0);
    CDraw::drawImageOnto("parchment_confirmation.png", image, 180, 100);
    int width = CDraw::getImageWidth(image);
    if (titleString != NO_TEXT)
        CFontSystem::DrawString(titleString, image, ALIGN_CENTRE, TITLE_W, TITLE_H, (width - TITLE_W) / 2, TITLE_Y);
    if (bodyString != NO_TEXT) {
        const char* argument[6] = {};
        for (size_t i = 0; i < bodyArguments.size() && i < 6; ++i)
            argument[i] = bodyArguments[i].c_str();
        CFontSystem::DrawString(bodyString, image, ALIGN_CENTRE, BODY_W, BODY_H, (width - BODY_W) / 2, BODY_Y,
                                argument[0], argument[1], argument[2], argument[3], argument[4], argument[5]);
    }
    panel_ = makeWidgetSprite(KIND_SCREEN_PANEL, PANEL_IMAGE, "Message Controller (MESSAGE_LSPRITE_BACKGROUND)",
                              PANEL_X, PANEL_Y, true);

    // The default button answers Return when no button is focused: a
    // question defaults to Cancel, a notice to OK.
    if (yesNo_) {
        okButton_ = makeButton(this, QUESTION_OK, ANSWER_YES, "okay", false);
        cancelButton_ = makeButton(this, QUESTION_CANCEL, ANSWER_NO, "cancel", true);
    } else {
        okButton_ = makeButton(this, NOTICE_OK, ANSWER_YES, "okay", true);
    }
    CMousePointer::HideFor(-1);
    loaded_ = true;
}

void CControllerMessage::GUICallback(int index, int, bool)
{
    if (index == ANSWER_YES || index == ANSWER_NO) {
        SetReturnValue(index);
        SetExitCode(1);
    } else {
        SetReturnValue(ANSWER_NO);
    }
}

void CControllerMessage::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    if (!released && key == SDLK_ESCAPE)
        SetReturnValue(yesNo_ ? ANSWER_NO : ANSWER_YES);
    InputGuiKey(this, released, key, true, true);
    InputScreenCapture(released, key);
}

void CControllerMessage::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerMessage::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    playEmptyClick(released, left);
}

void CControllerMessage::Pump()
{
    ProcessInput();
    if (IsActive())
        CGuiButtonBase::UpdateAll();
}
