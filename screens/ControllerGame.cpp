#include "screens/ControllerGame.h"

#include "engine/Background.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Sound.h"
#include "engine/Sprite.h"
#include "levels/Level.h"
#include "levels/LevelSet.h"
#include "levels/Profile.h"
#include "screens/GuiButton.h"
#include "screens/GuiCounter.h"
#include "screens/WidgetSprite.h"
#include "world/ElementAIProfessor.h"

namespace {

constexpr int MENU_BUTTON_CALLBACK = 100;
constexpr int REPLAY_MARKER_LAYER = 1305;

} // namespace

CControllerGame::CControllerGame(CLevelSet* set) : CController(CONTROLLER_GAME)
{
    Init(set, set ? set->getCurrentLevel() : nullptr, false, false, false);
}

CControllerGame::CControllerGame(CLevel* level, bool recording, bool playingBack, bool editorRun)
    : CController(CONTROLLER_GAME)
{
    Init(nullptr, level, recording, playingBack, editorRun);
}

void CControllerGame::Init(CLevelSet* set, CLevel* level, bool recording, bool playingBack, bool editorRun)
{
    recording_ = recording;
    playingBack_ = playingBack;
    editorRun_ = editorRun;
    level_ = level;
    levelSet_ = set;
    blinkCounter_ = 0;
    startFramePending_ = true;
    CProfile* profile = GetProfile();
    if (set && profile) {
        levelIndex_ = profile->GetLevel();
        setIndex_ = profile->GetLevelSet();
    }

    replayMarker_ = makeWidgetSprite(REPLAY_MARKER_LAYER, "show_solution.tga", "Game Controller (GAME_LSPRITE_REPLAY)",
                                     259, 15, false);
    menuButton_ = std::make_unique<CGuiButton>(742, 9, MENU_BUTTON_CALLBACK, this, "ingame_menubutton.tga", nullptr,
                                               "ingame_menubutton_selected.tga", "ingame_menubutton_selected.tga", false,
                                               0, 0);
    if (!editorRun)
        CSound::playStageMusic(false);

    if (profile)
        profile->SetSteps(0);
    stepCounter_ = std::make_unique<CGuiCounter>();
    stepCounter_->Init(720, 569, 5, "Step Counter 03.png", -10, -5);
    if (!profile || !profile->GetShowStepCounter())
        stepCounter_->Hide();

    logMessage(LOG_MILESTONE, "ID_100:  GAME:  Level Load Started  (%i,%s,%s)\n", profile ? profile->GetLevel() : -1,
               level ? level->GetFilename() : "", level ? level->GetLevelHeading() : "");
    if (level)
        LoadLevel(level);
    logMessage(LOG_MILESTONE, "ID_100:  GAME:  Level Load Completed\n");
}

CControllerGame::~CControllerGame()
{
    logMessage(LOG_MILESTONE, "ID_900:  SHUTDOWN:  C%i Started\n", GetID());
    CMousePointer::ShowHourglass(true);
    replayMarker_.reset();
    menuButton_.reset();
    if (stepCounter_)
        stepCounter_->Release();
    stepCounter_.reset();
    background_.reset();
    professor_ = nullptr;
    CElement::UnloadElements();
    logMessage(LOG_MILESTONE, "ID_900:  SHUTDOWN:  C%i Completed\n", GetID());
}

void CControllerGame::LoadLevel(CLevel* level)
{
    startFramePending_ = true;
    PrepareWorld(*level, recording_, playingBack_);

    logMessage(LOG_GAME, "CControllerGame::LoadLevel()  Loading Background %i\n", level->GetBackground());
    logMessage(LOG_TICKS, "CGame:  Create background\n");
    background_ = std::make_unique<CBackground>(level->GetBackground());

    BuildElements(*level);
    professor_ = static_cast<CElementAIProfessor*>(CElement::GetProfessor());
}

void CControllerGame::PrepareWorld(CLevel& level, bool recording, bool playingBack)
{
    logMessage(LOG_TICKS, "CGame:  Initialize Elements\n");
    // The world is program-wide: a world still standing (a second load
    // without a restart's unload) would otherwise be dropped undeleted.
    CElement::UnloadElements();
    CElement::ResetWorld();

    logMessage(LOG_TICKS, "CGame:  Setup SOlutions\n");
    if (recording)
        level.ClearSolution();
    if (playingBack)
        level.ResetReplay();

    logMessage(LOG_TICKS, "CGame:  Reset Teleport Powerups\n");
    level.ClearTeleportReservations();
}

// Player input reaches the professor through the key bindings of the running
// level; until then only the modifier keys are tracked.
void CControllerGame::InputKey(bool released, int key) { InputModKey(released, key); }

void CControllerGame::Pump()
{
    ProcessInput();
    CElement::PumpElements();
    stepCounter_->Update();
}
