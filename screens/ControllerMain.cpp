#include "screens/ControllerMain.h"

#include "editor/ControllerEditor.h"
#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/Motion.h"
#include "engine/MousePointer.h"
#include "engine/Parameters.h"
#include "engine/Render.h"
#include "engine/Sound.h"
#include "engine/Sprite.h"
#include "levels/Profile.h"
#include "platform/System.h"
#include "screens/ControllerCredits.h"
#include "screens/ControllerInstructions.h"
#include "screens/ControllerIntro.h"
#include "screens/ControllerManager.h"
#include "screens/ControllerMap.h"
#include "screens/ControllerMessage.h"
#include "screens/ControllerOptions.h"
#include "screens/ControllerProfiles.h"
#include "screens/ControllerScoreboard.h"
#include "screens/DamageNotice.h"
#include "screens/GuiButton.h"
#include "text/TextIds.h"

#include <SDL.h>

namespace {

const char* const PROFILE_IMAGE = "profileOverlay.png";
// The greeting's row: one line, above the Change Player button (35 into the
// plate), and clear of the inner frame's rounded corners, which
// reach 12 pixels in from the plate's sides where the letters stand.
constexpr int PLATE_X = 6, PLATE_Y = 6, PLATE_MARGIN = 16, WELCOME_Y = 5, WELCOME_ROW_HEIGHT = 24;

// One scene sprite: its layer, frame delay, place, leak-report name and
// whether it is shown when the menu appears.
struct SceneSprite {
    int layer, delay, x, y;
    const char* name;
    bool shown;
};

const char* const HEAD = "Main Menu (MAIN_LSPRITE_PROF_HEAD)";
const char* const LEFT_ARM = "Main Menu (MAIN_LSPRITE_PROF_LARM)";
const char* const RIGHT_ARM = "Main Menu (MAIN_LSPRITE_PROF_RARM)";

// In the order of CControllerMain's scene slots.
const SceneSprite SCENE_SPRITES[] = {
    {KIND_BACKGROUND, 0, 0, 0, "Main Menu (MAIN_LSPRITE_BACKGROUND)", true},
    {KIND_SCENE_VOLCANO_FRONT, 0, 421, 167, "Main Menu (MAIN_LSPRITE_VOLCANO_FRONT)", true},
    {KIND_SCENE_VOLCANO_GLOW, 4, 453, 167, "Main Menu (MAIN_LSPRITE_VOLCANO_GLOW)", true},
    {KIND_SCENE_VOLCANO_SMOKE, 2, 401, -29, "Main Menu (MAIN_LSPRITE_VOLCANO_SMOKE)", false},
    {KIND_SCENE_LEAVES, 0, 79, 235, "Main Menu (MAIN_LSPRITE_LEAVES)", true},
    {KIND_SCENE_BODY, 0, 84, 226, "Main Menu (MAIN_LSPRITE_PROF_BODY)", true},
    {KIND_SCENE_HEAD, 2, 61, 128, HEAD, true},
    {KIND_SCENE_HEAD, 2, 61, 128, HEAD, false},
    {KIND_SCENE_HEAD, 2, 61, 128, HEAD, false},
    {KIND_SCENE_HEAD, 2, 61, 128, HEAD, false},
    {KIND_SCENE_HEAD, 2, 61, 128, HEAD, false},
    {KIND_SCENE_LEFT_ARM, 2, 123, 184, LEFT_ARM, true},
    {KIND_SCENE_LEFT_ARM, 2, 123, 184, LEFT_ARM, false},
    {KIND_SCENE_RIGHT_ARM, 2, 126, 204, RIGHT_ARM, true},
    {KIND_SCENE_RIGHT_ARM, 2, 126, 204, RIGHT_ARM, false},
};

// The frames of each scene sprite, in the same order.
void addSceneFrames(int slot, CSprite& sprite)
{
    switch (slot) {
    case 0: sprite.addFrame("mainmenu_background.jpg"); break;
    case 1: sprite.addFrame("mainmenu_volcanofront.png"); break;
    case 2:
        // The crater glows up, holds, dies down and rests.
        sprite.addFrames("mainmenu_glow", 1, 9, ".png", 1);
        sprite.addFrameRepeated("mainmenu_glow9.png", 2);
        sprite.addFrames("mainmenu_glow", 9, 1, ".png", 1);
        sprite.addFrameRepeated("mainmenu_glow1.png", 2);
        break;
    case 3: sprite.addFrames("mainmenu_smoke", 1, 54, ".png", 1); break;
    case 4: sprite.addFrame("mainmenu_leavescoconuts.png"); break;
    case 5: sprite.addFrame("mainmenu_profbody.png"); break;
    case 6:
        sprite.addFrames("mainmenu_profhead", 0, 5, ".png", 1);
        sprite.addFrameRepeated("mainmenu_profhead5.png", 4);
        break;
    case 7: sprite.addFrames("mainmenu_profhead", 5, 0, ".png", 1); break;
    case 8:
        sprite.addFrames("mainmenu_profhead", 6, 15, ".png", 1);
        sprite.addFrameRepeated("mainmenu_profhead15.png", 4);
        break;
    case 9: sprite.addFrames("mainmenu_profhead", 15, 6, ".png", 1); break;
    case 10: sprite.addFrames("mainmenu_profhead", 16, 26, ".png", 1); break;
    case 11: sprite.addFrames("mainmenu_profleftarm", 0, 5, ".png", 1); break;
    case 12: sprite.addFrames("mainmenu_profleftarm", 5, 0, ".png", 1); break;
    case 13: sprite.addFrames("mainmenu_profrightarm", 0, 5, ".png", 1); break;
    case 14: sprite.addFrames("mainmenu_profrightarm", 5, 0, ".png", 1); break;
    default: break;
    }
}

const char* const CLOUD_IMAGES[] = {"mainmenu_cloudbigA.png",    "mainmenu_cloudbigB.png",    "mainmenu_cloudbigC.png",
                                    "mainmenu_cloudbigD.png",    "mainmenu_cloudmediumA.png", "mainmenu_cloudmediumB.png",
                                    "mainmenu_cloudmediumC.png", "mainmenu_cloudsmallA.png",  "mainmenu_cloudsmallB.png",
                                    "mainmenu_cloudsmallC.png",  "mainmenu_cloudsmallD.png",  "mainmenu_cloudsmallE.png"};

// Sprites keep the name they are given, so these live for the whole run.
const char* const CLOUD_NAMES[] = {"Main Menu (MAIN_LSPRITE_CLOUD_A)", "Main Menu (MAIN_LSPRITE_CLOUD_B)",
                                   "Main Menu (MAIN_LSPRITE_CLOUD_C)", "Main Menu (MAIN_LSPRITE_CLOUD_D)",
                                   "Main Menu (MAIN_LSPRITE_CLOUD_E)", "Main Menu (MAIN_LSPRITE_CLOUD_F)",
                                   "Main Menu (MAIN_LSPRITE_CLOUD_G)", "Main Menu (MAIN_LSPRITE_CLOUD_H)",
                                   "Main Menu (MAIN_LSPRITE_CLOUD_I)", "Main Menu (MAIN_LSPRITE_CLOUD_J)",
                                   "Main Menu (MAIN_LSPRITE_CLOUD_K)", "Main Menu (MAIN_LSPRITE_CLOUD_L)"};

const char* const LABELS[] = {"mainmenu_text_playnow.png",      "mainmenu_text_levelmanager.png",
                              "mainmenu_text_leveleditor.png",  "mainmenu_text_highscores.png",
                              "mainmenu_text_instructions.png", "mainmenu_text_settings.png",
                              "mainmenu_text_credits.png",      "mainmenu_text_moregames.png",
                              "mainmenu_text_exit.png"};


void showSprite(CSprite& sprite) { sprite.show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION); }

// The intro's last picture lies above every screen's layers: it goes before
// anything opens over the menu, even when its fade-out has not ended.
void dropKeptSplash()
{
    delete GetKeptSplashSprite();
    SetKeptSplashSprite(nullptr);
}

void playFromStart(CSprite& sprite)
{
    showSprite(sprite);
    sprite.play(true);
}

void resetAndHide(CSprite& sprite)
{
    sprite.resetAnimation();
    sprite.hide();
}

std::unique_ptr<LinearMover> newCloudMover(float x)
{
    return std::make_unique<LinearMover>(x, randomFloat(20, 130), -randomFloat(0.1f, 0.01f), 0.0f, 1);
}

} // namespace

bool CControllerMain::OffersMoreGames()
{
    const char* address = GetMoreGamesURL();
    return UseMoreGames() && address && *address;
}

CControllerMain::CControllerMain() : CController(CONTROLLER_MAIN)
{
    LoadSprites();
    if (CSprite* splash = GetKeptSplashSprite())
        splash->SetFadeOut(1000, 255, 0);
}

CControllerMain::~CControllerMain()
{
    logMessage(LOG_MILESTONE, "ID_900:  SHUTDOWN:  C%i Started\n", GetID());
    child_.reset();
    UnloadSprites();
    logMessage(LOG_MILESTONE, "ID_900:  SHUTDOWN:  C%i Completed\n", GetID());
}

void CControllerMain::LoadSprites()
{
    if (spritesLoaded_)
        return;
    CSound::playMainMusic();
    for (int slot = 0; slot < SCENE_COUNT; ++slot) {
        const SceneSprite& look = SCENE_SPRITES[slot];
        scene_[slot] = std::make_unique<CSprite>(look.layer, look.delay, false);
        CSprite& sprite = *scene_[slot];
        sprite.setName(look.name);
        addSceneFrames(slot, sprite);
        sprite.setLocation(look.x, look.y, false);
        if (look.shown)
            showSprite(sprite);
    }
    scene(SCENE_VOLCANO_GLOW).setLooping(true);
    scene(SCENE_VOLCANO_GLOW).play(true);
    for (int i = 0; i < CLOUD_COUNT; ++i) {
        clouds_[i] = std::make_unique<CSprite>(KIND_SCENE_CLOUD, 0, false);
        clouds_[i]->setName(CLOUD_NAMES[i]);
        clouds_[i]->addFrame(CLOUD_IMAGES[i]);
        showSprite(*clouds_[i]);
    }
    AnimateClouds();
    LoadButtons();
    UpdateProfileOverlay();
    buttons_[BUTTON_CHANGE_PROFILE] = std::make_unique<CGuiButton>(
        CHANGE_PROFILE.x, CHANGE_PROFILE.y, BUTTON_CHANGE_PROFILE, this, "profile_button_changebase.png",
        "profile_button_changeshadow.png", "profile_button_changerollover.png", nullptr, false, 0, 0);
    CMousePointer::HideFor(-1);
    spritesLoaded_ = true;
}

// Without more games, Exit takes its place and the last slot stays empty.
void CControllerMain::LoadButtons()
{
    bool moreGames = OffersMoreGames();
    for (int i = 0; i <= BUTTON_EXIT; ++i) {
        int index = i;
        if (!moreGames && i == BUTTON_MORE_GAMES)
            index = BUTTON_EXIT;
        else if (!moreGames && i == BUTTON_EXIT)
            continue;
        const WidgetPlace place = SlotPlace(i);
        auto button = std::make_unique<CGuiButton>(place.x, place.y, index, this, "mainmenu_buttonbase.png", nullptr,
                                                   "mainmenu_buttonrollover.png", "mainmenu_buttonactive.png", false,
                                                   0, 0);
        button->SetText(LABELS[index], 24, 13, -10, -7, -4, -3);
        buttons_[i] = std::move(button);
    }
}

void CControllerMain::UnloadSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!spritesLoaded_)
        return;
    for (std::unique_ptr<CSprite>& sprite : scene_)
        sprite.reset();
    profilePlate_.reset();
    for (std::unique_ptr<CGuiButton>& button : buttons_)
        button.reset();
    for (int i = 0; i < CLOUD_COUNT; ++i) {
        clouds_[i].reset();
        cloudMovers_[i].reset();
    }
    dropKeptSplash();
    CDraw::releaseImage(PROFILE_IMAGE);
    spritesLoaded_ = false;
}

// The welcome plate with the current player's name.
void CControllerMain::UpdateProfileOverlay()
{
    profilePlate_.reset();
    CDraw::releaseImage(PROFILE_IMAGE);
    int image = CDraw::CopyImage("profile_main.png", PROFILE_IMAGE, 0);
    profilePlate_ = std::make_unique<CSprite>(KIND_SCENE_PROFILE_PLATE, 0, false);
    profilePlate_->setName("Main Menu (MAIN_LSPRITE_PROFILE)");
    profilePlate_->addFrame(PROFILE_IMAGE);
    CProfile* profile = GetProfile();
    const char* name = profile ? profile->GetProfileNameByNumber(-1) : "";
    // A long name is drawn smaller to keep the greeting on its row.
    CFontSystem::DrawString(TEXT_WELCOME, image, ALIGN_CENTRE, CDraw::getImageWidth(image) - 2 * PLATE_MARGIN,
                            WELCOME_ROW_HEIGHT, PLATE_MARGIN, WELCOME_Y, name);
    profilePlate_->setLocation(PLATE_X, PLATE_Y, false);
    showSprite(*profilePlate_);
}

void CControllerMain::ShowButtons(bool shown)
{
    for (std::unique_ptr<CGuiButton>& button : buttons_)
        if (button) {
            if (shown)
                button->Show();
            else
                button->Hide();
        }
}

void CControllerMain::OpenOverlay(const MakeChild& make, const char* displayName)
{
    dropKeptSplash();
    CMousePointer::HideFor(-1);
    CRender::Render(true);
    CRender::Swap(true);
    ShowButtons(false);
    LogLoadingController(displayName);
    child_ = make();
    LoadController(child_.get());
}

void CControllerMain::OpenFullScreen(const MakeChild& make, const char* displayName)
{
    UnloadSprites();
    LogLoadingController(displayName);
    child_ = make();
    LoadController(child_.get());
}

void CControllerMain::GUICallback(int index, int, bool)
{
    switch (index) {
    case BUTTON_PLAY:
        OpenFullScreen([] { return std::make_unique<CControllerMap>(); }, "Map");
        break;
    case BUTTON_LEVEL_MANAGER:
        OpenFullScreen([] { return std::make_unique<CControllerManager>(); }, "Level Manager");
        break;
    case BUTTON_LEVEL_EDITOR:
        OpenFullScreen([] { return std::make_unique<CControllerEditor>(); }, "Level Editor");
        break;
    case BUTTON_INSTRUCTIONS:
        OpenOverlay([] { return std::make_unique<CControllerInstructions>(0); }, "Instructions");
        break;
    case BUTTON_SETTINGS:
        OpenOverlay([] { return std::make_unique<CControllerOptions>(); }, "Options");
        break;
    case BUTTON_CREDITS:
        OpenOverlay([] { return std::make_unique<CControllerCredits>(); }, "Credits");
        break;
    case BUTTON_CHANGE_PROFILE:
        OpenOverlay([] { return std::make_unique<CControllerProfiles>(); }, "Profiles");
        break;
    case BUTTON_HIGH_SCORES:
        OpenOverlay([] { return std::make_unique<CControllerScoreboard>(CControllerScoreboard::BOARD_OVERALL, false); },
                    "Scoreboard");
        break;
    case BUTTON_MORE_GAMES:
        OpenOverlay(
            [] { return std::make_unique<CControllerMessage>(TEXT_MORE_GAMES_TITLE, TEXT_MORE_GAMES_BODY, true); },
            "Message (Vostrel Games)");
        break;
    case BUTTON_EXIT:
        SetExitCode(EXIT_QUIT);
        break;
    default:
        break;
    }
}

void CControllerMain::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    if (!released && key == SDLK_q && IsAltDown())
        SetExitCode(EXIT_QUIT);
    InputGuiKey(this, released, key, false, true);
    InputScreenCapture(released, key);
}

void CControllerMain::InputMouseMotion(int, int)
{
    CSprite* splash = GetKeptSplashSprite();
    if (splash && splash->isFading())
        CMousePointer::ShowHourglass(true);
    else
        CMousePointer::Tick();
}

void CControllerMain::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    if (left && !released && !CGuiButtonBase::GetHotButton())
        PlaySound(InterfaceSound::EmptyClick);
}

int CControllerMain::HandleClosedChild(int closedId)
{
    int next = 0;
    if (CRender::IsSwapped()) {
        CRender::Swap(true);
        ShowButtons(true);
    }
    LogLoadingController("Main Menu");
    switch (closedId) {
    case CONTROLLER_MAP:
        logMessage(LOG_TICKS, "Removing MAP\n");
        next = child_->GetReturnValue();
        child_.reset();
        logMessage(LOG_TICKS, "MAP removal completed\n");
        break;
    case CONTROLLER_MESSAGE:
        // The page opens in the browser and the game makes way for it.
        if (damageNoticeOpen_) {
            damageNoticeOpen_ = false;
        } else if (static_cast<CControllerMessage&>(*child_).GetAnswerYes()) {
            openUrl(GetMoreGamesURL());
            SetExitCode(EXIT_QUIT_FOR_WEB);
        }
        child_.reset();
        break;
    case CONTROLLER_PROFILES:
        UpdateProfileOverlay();
        child_.reset();
        break;
    case CONTROLLER_MANAGER:
        next = child_->GetReturnValue();
        child_.reset();
        break;
    default:
        child_.reset();
        break;
    }
    return next;
}

void CControllerMain::Pump()
{
    // The first pump after the menu was opened settles it like a return
    // from a child: nothing moves yet.
    int closed = TakeClosedChildId();
    if (closed == CONTROLLER_NONE && firstPumpDone_) {
        ProcessInput();
        if (IsActive()) {
            AnimateProfessor();
            AnimateClouds();
        }
        CGuiButtonBase::UpdateAll();
        return;
    }
    firstPumpDone_ = true;
    int next = HandleClosedChild(closed);
    // The map and the level manager hand over to each other without the
    // menu showing in between.
    if (GetExitCode() == 0 && next == CONTROLLER_MANAGER) {
        OpenFullScreen([] { return std::make_unique<CControllerManager>(); }, "Level Manager");
        return;
    }
    if (GetExitCode() == 0 && next == CONTROLLER_MAP) {
        OpenFullScreen([] { return std::make_unique<CControllerMap>(); }, "Map");
        return;
    }
    if (!spritesLoaded_ && GetExitCode() == 0)
        LoadSprites();
    CMousePointer::HideFor(-1);
    if (GetExitCode() == 0)
        TellOfDamage();
}

void CControllerMain::TellOfDamage()
{
    if (CProfile* profile = GetProfile())
        for (const CProfileBase::DamageNote& note : profile->TakeDamageNotes())
            damageNotes_.push_back(note);
    if (damageNotes_.empty())
        return;
    DamageNotice notice = damageNoticeFor(damageNotes_.front());
    damageNotes_.pop_front();
    damageNoticeOpen_ = true;
    OpenOverlay(
        [notice] { return std::make_unique<CControllerMessage>(notice.titleString, notice.bodyString, notice.arguments); },
        "Message (Damaged Player Data)");
}

void CControllerMain::AnimateProfessor()
{
    CSprite& headIn = scene(SCENE_HEAD_IN);
    CSprite& headOut = scene(SCENE_HEAD_OUT);
    CSprite& headTurn = scene(SCENE_HEAD_TURN);
    CSprite& headBack = scene(SCENE_HEAD_TURN_BACK);
    CSprite& headExtra = scene(SCENE_HEAD_EXTRA_TURN);
    CSprite& leftUp = scene(SCENE_LEFT_ARM_UP);
    CSprite& leftDown = scene(SCENE_LEFT_ARM_DOWN);
    CSprite& rightUp = scene(SCENE_RIGHT_ARM_UP);
    CSprite& rightDown = scene(SCENE_RIGHT_ARM_DOWN);
    auto armsDown = [&] {
        playFromStart(headOut);
        playFromStart(leftDown);
        playFromStart(rightDown);
    };

    if (headIn.isFinished()) {
        if (headInTimer_ > headInHold_) {
            headInTimer_ = 0;
            resetAndHide(headIn);
            if (gestureMode_ <= 1) {
                resetAndHide(leftUp);
                resetAndHide(rightUp);
                armsDown();
            } else {
                playFromStart(headTurn);
            }
        } else {
            ++headInTimer_;
        }
    }
    if (headTurn.isFinished()) {
        if (headTurnTimer_ > headTurnHold_) {
            headTurnTimer_ = 0;
            resetAndHide(headTurn);
            if (gestureMode_ == 3) {
                playFromStart(headExtra);
            } else {
                gestureMode_ = 0;
                playFromStart(headBack);
            }
        } else {
            ++headTurnTimer_;
        }
    }
    if (headExtra.isFinished()) {
        gestureMode_ = 0;
        resetAndHide(headExtra);
        playFromStart(headBack);
    }
    if (headBack.isFinished()) {
        if (headBackTimer_ > headBackHold_) {
            headBackTimer_ = 0;
            resetAndHide(headBack);
            resetAndHide(leftUp);
            resetAndHide(rightUp);
            armsDown();
        } else {
            ++headBackTimer_;
        }
    }
    if (headOut.isFinished()) {
        resetAndHide(headOut);
        resetAndHide(leftDown);
        resetAndHide(rightDown);
        // Back at rest.
        showSprite(headIn);
        showSprite(leftUp);
        showSprite(rightUp);
        idleCounter_ = 0;
        idleTarget_ = randomInt(125, 250);
    }
    if (idleCounter_ == idleTarget_) {
        headInHold_ = randomInt(15, 40);
        headTurnHold_ = randomInt(15, 30);
        headBackHold_ = randomInt(10, 20);
        int r = randomInt(1, 10);
        gestureMode_ = r >= 5 && r <= 7 ? 2 : r >= 8 && r <= 10 ? 3 : 1;
        headIn.play(true);
        leftUp.play(true);
        rightUp.play(true);
    }
    ++idleCounter_;

    CSprite& smoke = scene(SCENE_VOLCANO_SMOKE);
    if (smokeTimer_ > smokePause_) {
        if (smoke.isHidden())
            playFromStart(smoke);
        if (smoke.isFinished()) {
            resetAndHide(smoke);
            smokeTimer_ = 0;
            smokePause_ = randomInt(30, 60);
        }
    } else {
        ++smokeTimer_;
    }
}

void CControllerMain::AnimateClouds()
{
    for (int i = 0; i < CLOUD_COUNT; ++i) {
        CSprite& cloud = *clouds_[i];
        if (!cloudMovers_[i])
            cloudMovers_[i] = newCloudMover(randomFloat(-50, 850));
        else if (cloudMovers_[i]->getX() + cloud.getWidth(true) < 0)
            cloudMovers_[i] = newCloudMover(800 + randomFloat(10, 50));
        cloudMovers_[i]->step();
        cloud.setLocation(static_cast<int>(cloudMovers_[i]->getX()), static_cast<int>(cloudMovers_[i]->getY()), false);
    }
}
