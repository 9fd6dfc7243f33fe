#include "screens/ControllerInGame.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Render.h"
#include "engine/Sprite.h"
#include "levels/Level.h"
#include "levels/Profile.h"
#include "screens/ControllerInstructions.h"
#include "screens/ControllerMessage.h"
#include "screens/ControllerOptions.h"
#include "screens/ControllerScoreboard.h"
#include "screens/ControllerTextEntries.h"
#include "screens/GuiButton.h"
#include "screens/ScreenParts.h"
#include "screens/WidgetSprite.h"
#include "text/TextIds.h"

#include <SDL.h>

namespace {

constexpr const char* PANEL_IMAGE = "baseInGameController.png";
constexpr int PANEL_X = 57, PANEL_Y = 23;

const char* const BUTTON_TEXTS[CControllerInGame::BUTTON_COUNT] = {
    "krvl_button_resumetext.png",  "krvl_button_restarttext.png",      "krvl_button_undotext.png",
    "krvl_button_solutiontext.png", "krvl_button_instructionstext.png", "krvl_button_settingstext.png",
    "krvl_button_scorestext.png",   "krvl_button_maptext.png",          "krvl_button_managertext.png",
    "krvl_button_maintext.png",     "krvl_button_quittext.png"};

} // namespace

CControllerInGame::CControllerInGame(int variant, CLevel* level)
    : CController(CONTROLLER_IN_GAME), variant_(variant), level_(level)
{
    loadSprites();
}

CControllerInGame::~CControllerInGame()
{
    logMessage(LOG_DESTRUCT, "CControllerInGame:  Destroying CControllerInGame...\n");
    CMousePointer::ShowHourglass(true);
    message_.reset();
    scores_.reset();
    options_.reset();
    password_.reset();
    releaseSprites();
}

void CControllerInGame::loadSprites()
{
    if (loaded_)
        return;
    dimmer_ =
        makeWidgetSprite(KIND_SCREEN_BACKGROUND, "dimmer.png", "InGame Controller (INGAME_LSPRITE_DIMMER)", 0, 0, true);

    int image = CDraw::CopyImage("parchment_professor.png", PANEL_IMAGE, 0);
    int width = CDraw::getImageWidth(image);
    // The heading is the level's own title, handed over as an argument.
    CFontSystem::DrawString(TEXT_INGAME_HEADING, image, ALIGN_CENTRE, width, 40, 0, 70,
                            level_ ? level_->GetLevelHeading() : "");
    CFontSystem::DrawString(TEXT_INGAME_HINT, image, ALIGN_CENTRE, width, 40, 0, 100);
    panel_ = makeWidgetSprite(KIND_SCREEN_PANEL, PANEL_IMAGE, "InGame Controller (INGAME_LSPRITE_BACKGROUND)", PANEL_X,
                              PANEL_Y, true);

    for (int index = 0; index < BUTTON_COUNT; ++index) {
        if (!HasButton(variant_, index))
            continue;
        const WidgetPlace place = ButtonPlace(variant_, index);
        buttons_[index] = std::make_unique<CGuiButton>(place.x, place.y, index, this, "krvl_button_base.png", nullptr,
                                                       "krvl_button_select.png", "krvl_button_select.png", false, 0,
                                                       0);
        buttons_[index]->SetText(BUTTON_TEXTS[index], 0, 0, 0, 0, 0, 0);
    }
    CMousePointer::HideFor(-1);
    loaded_ = true;
}

void CControllerInGame::unloadSprites()
{
    if (dimmer_)
        dimmer_->hide();
    CMousePointer::HideFor(-1);
    CRender::Render(true);
    CMousePointer::ShowHourglass(true);
    releaseSprites();
}

void CControllerInGame::releaseSprites()
{
    if (!loaded_)
        return;
    dimmer_.reset();
    panel_.reset();
    for (std::unique_ptr<CGuiButton>& button : buttons_)
        button.reset();
    CDraw::releaseImage(PANEL_IMAGE);
    loaded_ = false;
}

void CControllerInGame::unloadAndLog(const char* displayName)
{
    unloadSprites();
    LogLoadingController(displayName);
}

void CControllerInGame::openMessage(Question question, int titleString, int bodyString)
{
    pending_ = question;
    unloadAndLog("Message");
    message_ = std::make_unique<CControllerMessage>(titleString, bodyString, question != NOTICE_NO_SOLUTION);
    LoadController(message_.get());
}

void CControllerInGame::GUICallback(int index, int, bool)
{
    SetReturnValue(ANSWER_RESUME);
    switch (index) {
    case BUTTON_RESUME: SetExitCode(1); break;
    case BUTTON_RESTART:
        SetReturnValue(ANSWER_RESTART);
        SetExitCode(1);
        break;
    case BUTTON_UNDO:
        SetReturnValue(ANSWER_UNDO);
        SetExitCode(1);
        break;
    case BUTTON_SOLUTION:
        if (level_ && !level_->IsSolutionRecorded())
            openMessage(NOTICE_NO_SOLUTION, TEXT_NO_SOLUTION_TITLE, TEXT_NO_SOLUTION_BODY);
        else
            openMessage(QUESTION_SOLUTION, TEXT_SOLUTION_TITLE, TEXT_SOLUTION_BODY);
        break;
    case BUTTON_MAP:
    case BUTTON_MANAGER: SetExitCode(2); break;
    case BUTTON_MAIN_MENU: SetExitCode(3); break;
    case BUTTON_QUIT: openMessage(QUESTION_QUIT, TEXT_QUIT_TITLE, TEXT_QUIT_BODY); break;
    case BUTTON_INSTRUCTIONS:
        unloadAndLog("Instructions");
        instructions_ = std::make_unique<CControllerInstructions>(0);
        LoadController(instructions_.get());
        break;
    case BUTTON_SCORES:
        unloadAndLog("Scoreboard");
        scores_ = std::make_unique<CControllerScoreboard>(CControllerScoreboard::BOARD_IN_GAME, false);
        LoadController(scores_.get());
        break;
    case BUTTON_SETTINGS:
        unloadAndLog("Options");
        options_ = std::make_unique<CControllerOptions>();
        LoadController(options_.get());
        break;
    default:
        break;
    }
}

void CControllerInGame::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    InputGuiKey(this, released, key, true, true);
    // Fixed letters, whatever keys the player bound.
    if (!released && key == SDLK_r)
        GUICallback(BUTTON_RESTART, 0, false);
    else if (!released && key == SDLK_u)
        GUICallback(BUTTON_UNDO, 0, false);
    InputScreenCapture(released, key);
}

void CControllerInGame::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerInGame::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    playEmptyClick(released, left);
}

void CControllerInGame::Pump()
{
    if (int closed = TakeClosedChildId()) {
        onChildClosed(closed);
        return;
    }
    ProcessInput();
    if (IsActive())
        CGuiButtonBase::UpdateAll();
}

void CControllerInGame::onChildClosed(int childId)
{
    LogLoadingController("In Game");
    bool solutionAsked = false;
    if (childId == CONTROLLER_MESSAGE && message_) {
        if (pending_ == NOTICE_NO_SOLUTION) {
            SetReturnValue(ANSWER_RESUME);
            SetExitCode(1);
        } else if (message_->GetAnswerYes()) {
            if (pending_ == QUESTION_QUIT)
                SetExitCode(EXIT_QUIT);
            else if (pending_ == QUESTION_SOLUTION)
                solutionAsked = true;
        }
        message_.reset();
        pending_ = QUESTION_NONE;
    } else if (childId == CONTROLLER_SCOREBOARD) {
        scores_.reset();
    } else if (childId == CONTROLLER_OPTIONS) {
        options_.reset();
    } else if (childId == CONTROLLER_INSTRUCTIONS) {
        instructions_.reset();
    } else if (childId == CONTROLLER_PASSWORD && password_) {
        if (!password_->WasCancelled()) {
            SetReturnValue(ANSWER_SOLUTION);
            SetExitCode(1);
        }
        password_.reset();
    }
    if (!loaded_ && GetExitCode() == 0)
        loadSprites();
    CMousePointer::HideFor(-1);
    if (solutionAsked)
        solutionAgreed();
}

// A tutorial's solution is free to see; any other is guarded by the
// profile's password, which is asked first when there is one.
void CControllerInGame::solutionAgreed()
{
    CProfile* profile = GetProfile();
    if (!profile || !profile->HasPassword() || variant_ == VARIANT_TUTORIAL) {
        SetReturnValue(ANSWER_SOLUTION);
        SetExitCode(1);
        return;
    }
    unloadAndLog("Password");
    password_ = std::make_unique<CControllerPassword>(profile->GetPassword());
    LoadController(password_.get());
}
