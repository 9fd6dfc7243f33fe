#include "screens/ControllerGame.h"
#include "screens/SolutionKeys.h"

#include "engine/Background.h"
#include "engine/Draw.h"
#include "engine/Input.h"
#include "engine/Log.h"
#include "engine/MousePointer.h"
#include "engine/Render.h"
#include "engine/Sound.h"
#include "engine/Sprite.h"
#include "levels/Level.h"
#include "levels/LevelSet.h"
#include "levels/Profile.h"
#include "screens/ControllerInGame.h"
#include "screens/ControllerMessage.h"
#include "screens/ControllerScoreboard.h"
#include "screens/ControllerStory.h"
#include "screens/GuiButton.h"
#include "screens/GuiCounter.h"
#include "screens/WidgetSprite.h"
#include "world/ElementAIProfessor.h"
#include "text/TextIds.h"

namespace {

constexpr int MENU_BUTTON_CALLBACK = 100;
// The replay marker blinks: hidden for the first 16 frames of each 51.
constexpr int BLINK_SHOWN_FROM = 16;
constexpr int BLINK_PERIOD = 51;
// The reason given: no start tube in a level that loaded, else why its file
// would not load.
int refusalBody(const CLevel* level)
{
    switch (level ? level->GetLoadFailure() : LevelLoadFailure::None) {
    case LevelLoadFailure::OlderVersion: return TEXT_OLDER_LEVEL_BODY;
    case LevelLoadFailure::NewerVersion: return TEXT_NEWER_LEVEL_BODY;
    case LevelLoadFailure::Damaged: return TEXT_DAMAGED_LEVEL_BODY;
    case LevelLoadFailure::None: break;
    }
    return TEXT_NO_START_TUBE_BODY;
}
// A chapter that is told only once its level is won: the set's ending.
constexpr int ENDING_CHAPTER = 11;

CControllerGame::EndOfLevelMaker endOfLevelMaker;

const char* const ASTERISKS = "***********************************************************\n";

void logOutcome(const char* line)
{
    logMessage(LOG_DEBUG, "%s", line);
    logMessage(LOG_DEBUG, "%s", ASTERISKS);
}

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

    replayMarker_ =
        makeWidgetSprite(KIND_POINTER, "show_solution.tga", "Game Controller (GAME_LSPRITE_REPLAY)", 259, 15, false);
    menuButton_ = std::make_unique<CGuiButton>(MENU_BUTTON.x, MENU_BUTTON.y, MENU_BUTTON_CALLBACK, this,
                                               "ingame_menubutton.tga", nullptr, "ingame_menubutton_selected.tga",
                                               "ingame_menubutton_selected.tga", false, 0, 0);
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
    // Children open from the first pump, never from here: the opener has
    // not made this screen current yet.
    storyPending_ = true;
}

CControllerGame::~CControllerGame()
{
    logMessage(LOG_MILESTONE, "ID_900:  SHUTDOWN:  C%i Started\n", GetID());
    CMousePointer::ShowHourglass(true);
    inGameMenu_.reset();
    endOfLevel_.reset();
    message_.reset();
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
    pumpsSinceBuild_ = 0;
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

int32_t CControllerGame::GetLevelFrame() const { return static_cast<int32_t>(CDraw::getFrame()) - startFrame_; }

// ---- Input.

void CControllerGame::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    if (!playingBack_)
        HandleKey(released, key);
    else if (!released)
        leaveOrOpenMenu();
}

void CControllerGame::InputMouseMotion(int x, int y)
{
    CMousePointer::Tick();
    if (professor_)
        professor_->updatePowerupIcons(x, y);
}

void CControllerGame::InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown)
{
    if (playingBack_) {
        if (!released && (left || right || wheelUp || wheelDown))
            leaveOrOpenMenu();
        return;
    }
    // A solution holds keys only, so the board takes no clicks while one
    // is recorded.
    if (recording_ || !left || !professor_ || CGuiButtonBase::GetHotButton())
        return;
    professor_->onMouseClick(CInput::GetMouseX(), CInput::GetMouseY(), released);
}

void CControllerGame::GUICallback(int index, int, bool)
{
    if (index == MENU_BUTTON_CALLBACK)
        leaveOrOpenMenu();
}

void CControllerGame::leaveOrOpenMenu()
{
    if (editorRun_)
        SetExitCode(1);
    else
        OpenInGameMenu();
}

void CControllerGame::HandleKey(bool released, int key)
{
    if (!professor_)
        return;
    if (playingBack_) {
        applySolutionKey(*professor_, released, key);
        return;
    }

    CProfile* profile = GetProfile();
    auto bound = [&](int action) { return profile && profile->GetKey(action) == key; };
    if (bound(CProfile::KEY_RESTART)) {
        if (!released) {
            playingBack_ = false;
            Restart();
        }
        return;
    }
    if (bound(CProfile::KEY_UNDO)) {
        // A solution cannot hold an undo.
        if (!released && !recording_)
            CElement::LoadUndoStep(false);
        return;
    }
    for (int slot = 0; slot < SOLUTION_POWERUP_SLOTS; ++slot) {
        if (bound(CProfile::KEY_POWERUP_FIRST + slot)) {
            if (!released)
                professor_->usePowerup(slot);
            record(RECORDED_FIRST_POWERUP + slot, released);
            return;
        }
    }
    if (bound(CProfile::KEY_ACTION)) {
        professor_->onKeyAction(released);
        record(RECORDED_ACTION, released);
        return;
    }
    struct Move {
        int action;
        void (CElementAIProfessor::*handler)(bool);
        int code;
    };
    static const Move moves[] = {{CProfile::KEY_LEFT, &CElementAIProfessor::onKeyLeft, RECORDED_LEFT},
                                 {CProfile::KEY_RIGHT, &CElementAIProfessor::onKeyRight, RECORDED_RIGHT},
                                 {CProfile::KEY_UP, &CElementAIProfessor::onKeyUp, RECORDED_UP},
                                 {CProfile::KEY_DOWN, &CElementAIProfessor::onKeyDown, RECORDED_DOWN}};
    for (const Move& move : moves) {
        if (bound(move.action)) {
            (professor_->*move.handler)(released);
            record(move.code, released);
            return;
        }
    }
    if (InputScreenCapture(released, key))
        return;
    // Escape and every key nobody bound open the menu.
    if (!released)
        leaveOrOpenMenu();
}

void CControllerGame::record(int code, bool released)
{
    if (!recording_)
        return;
    eventFrame_ = static_cast<int32_t>(CDraw::getFrame());
    level_->AddReplayKey(eventFrame_ - startFrame_, code, released);
}

// ---- The frame.

void CControllerGame::Pump()
{
    ++pumpsSinceBuild_;
    int closed = TakeClosedChildId();
    if (firstPump_ || closed != CONTROLLER_NONE) {
        firstPump_ = false;
        onChildClosed(closed);
        return;
    }
    if (!professor_ || !settled())
        return;
    if (startFramePending_) {
        startFrame_ = static_cast<int32_t>(CDraw::getFrame()) - 1;
        logMessage(LOG_DEBUG, "Initializing startFrame to %i\n", startFrame_);
        eventFrame_ = static_cast<int32_t>(CDraw::getFrame());
        startFramePending_ = false;
    }
    ProcessInput();
    // The restart key builds the level afresh: it settles from here.
    if (!IsActive() || !settled())
        return;
    playFrame();
    if (IsActive())
        CGuiButtonBase::UpdateAll();
}

// A level built in an opener's frame has seen that frame end when the
// screen's first pump (the child-closed branch) runs, and steps in the
// second; a level rebuilt in one of the screen's own pumps waits as long.
bool CControllerGame::settled() const { return pumpsSinceBuild_ >= SOLUTION_FRAMES_BEFORE_FIRST_STEP; }

// Keys of a solution act at the same point of the frame as the player's
// (after the input, before the world step), so a solution replays the same
// world.
void CControllerGame::playFrame()
{
    if (playingBack_)
        feedReplay();
    else
        replayMarker_->hide();

    CElement::PumpElements();
    if (CProfile* profile = GetProfile())
        stepCounter_->SetValue(profile->GetSteps(true));
    stepCounter_->Update();

    if (!CElement::IsLevelExited())
        return;
    logMessage(LOG_DEBUG, "CControllerGame::Pump()   Level left at frame %i in %i steps\n", GetLevelFrame(),
               GetProfile() ? GetProfile()->GetSteps(true) : 0);
    if (editorRun_) {
        // Only a run that left through the exit proves the level solvable.
        if (recording_ && resolveFailure() == 0)
            level_->SetSolutionRecorded();
        SetExitCode(1);
        return;
    }
    outcome_ = ResolveOutcome();
    if (outcome_ != OUTCOME_STORY)
        openEndOfLevel(outcome_);
}

void CControllerGame::feedReplay()
{
    if (++blinkCounter_ >= BLINK_PERIOD) {
        blinkCounter_ = 0;
        replayMarker_->hide();
    } else if (blinkCounter_ >= BLINK_SHOWN_FROM) {
        showSprite(*replayMarker_);
    }

    eventFrame_ = static_cast<int32_t>(CDraw::getFrame());
    const int32_t elapsed = eventFrame_ - startFrame_;
    if (!feedSolutionKeys(*level_, elapsed, [this](const ReplayKey& key) { HandleKey(key.released, key.key); })) {
        playingBack_ = false;
        replayMarker_->hide();
    }
}

// ---- The outcome.

int CControllerGame::resolveFailure() const
{
    struct Failure {
        bool (*happened)();
        const char* line;
        int outcome;
    };
    static const Failure failures[] = {
        {&CElement::IsProfessorCaught, "*  --> Professor caught                                   *\n", OUTCOME_CAUGHT},
        {&CElement::IsProfessorSinged, "*  --> Professor singed                                   *\n", OUTCOME_SINGED},
        {&CElement::IsProfessorFallen, "*  --> Professor fallen                                   *\n", OUTCOME_CAUGHT},
        {&CElement::IsExitTubeDestroyed, "*  --> Exit tube destroyed                                *\n",
         OUTCOME_CAUGHT},
    };
    for (const Failure& failure : failures) {
        if (failure.happened()) {
            logOutcome(failure.line);
            return failure.outcome;
        }
    }
    return 0;
}

int CControllerGame::ResolveOutcome()
{
    logMessage(LOG_DEBUG, "%s", ASTERISKS);
    logMessage(LOG_DEBUG, "*  LEVEL EXITED                                           *\n");
    if (int failure = resolveFailure())
        return failure;
    logOutcome("*  --> Professor Successfully Exited                      *\n");

    // A win counts whoever steered, the player or the solution the password
    // let him see; the result board then compares it with the best before.
    CProfile* profile = GetProfile();
    if (!levelSet_) {
        if (profile)
            profile->RecordUserLevelCompleted(level_->GetFilename());
        return OUTCOME_USER_LEVEL_WON;
    }
    bool lastLevel = CLevelSet::isLastLevel(setIndex_, levelIndex_);
    if (profile) {
        profile->CommitScore();
        if (lastLevel)
            profile->SetSetCompleted(true, setIndex_);
    }
    if (lastLevel && OpenStory())
        return OUTCOME_STORY;
    return OUTCOME_SET_LEVEL_WON;
}

void CControllerGame::openEndOfLevel(int outcome)
{
    SuspendForChild();
    logMessage(LOG_DEBUG, "=============================================\n");
    logMessage(LOG_DEBUG, "Loading Post Game Controller (type=%i)\n", outcome);
    logMessage(LOG_DEBUG, "=============================================\n");
    bool isUserLevel = levelSet_ == nullptr;
    if (endOfLevelMaker) {
        endOfLevel_ = endOfLevelMaker(outcome, isUserLevel);
    } else {
        auto board = std::make_unique<CControllerScoreboard>(static_cast<uint32_t>(outcome), isUserLevel);
        board->SetSolutionAvailable(level_ && level_->IsSolutionRecorded());
        endOfLevel_ = std::move(board);
    }
    LoadController(endOfLevel_.get());
}

void CControllerGame::setEndOfLevelMakerForTesting(EndOfLevelMaker maker) { endOfLevelMaker = std::move(maker); }

// ---- Children.

void CControllerGame::SuspendForChild()
{
    CSound::suspendEffects();
    CMousePointer::HideFor(-1);
    replayMarker_->hide();
    menuButton_->Hide();
    releaseProfessorKeys();
    CRender::Render(true);
    CRender::Swap(true);
}

void CControllerGame::releaseProfessorKeys()
{
    if (!professor_)
        return;
    professor_->onKeyAction(true);
    professor_->onKeyUp(true);
    professor_->onKeyDown(true);
    professor_->onKeyLeft(true);
    professor_->onKeyRight(true);
}

void CControllerGame::OpenInGameMenu()
{
    SuspendForChild();
    logMessage(LOG_DEBUG, "=============================================\n");
    logMessage(LOG_DEBUG, "Loading In Game Controller\n");
    logMessage(LOG_DEBUG, "=============================================\n");
    int variant = CControllerInGame::VARIANT_NO_SET;
    if (levelSet_)
        variant = CLevelSet::isTutorialLevel(setIndex_, levelIndex_) ? CControllerInGame::VARIANT_TUTORIAL
                                                                     : CControllerInGame::VARIANT_SET_LEVEL;
    inGameMenu_ = std::make_unique<CControllerInGame>(variant, level_);
    LoadController(inGameMenu_.get());
}

bool CControllerGame::OpenStory()
{
    if (!levelSet_)
        return false;
    int chapter = CLevelSet::getChapter(setIndex_, levelIndex_);
    CProfile* profile = GetProfile();
    if (chapter < 0 || (chapter == ENDING_CHAPTER && !CElement::IsProfessorLeaving()) || !profile ||
        !profile->GetShowStory())
        return false;
    SuspendForChild();
    logMessage(LOG_DEBUG, "=============================================\n");
    logMessage(LOG_DEBUG, "Loading Story Controller (type=%i)\n", chapter);
    logMessage(LOG_DEBUG, "=============================================\n");
    story_ = std::make_unique<CControllerStory>(chapter);
    LoadController(story_.get());
    return true;
}

// A level without a start tube, or whose file did not load, has no
// professor to play with: say why and leave instead of running it.
void CControllerGame::refuseLevel()
{
    SuspendForChild();
    LogLoadingController("Message");
    message_ = std::make_unique<CControllerMessage>(TEXT_CANNOT_PLAY_TITLE, refusalBody(level_), false,
                                                    level_ ? level_->GetFilename() : "");
    LoadController(message_.get());
}

void CControllerGame::onChildClosed(int childId)
{
    if (!professor_) {
        if (childId == CONTROLLER_MESSAGE) {
            if (CRender::IsSwapped())
                CRender::Swap(true);
            message_.reset();
            SetExitCode(1);
        } else {
            refuseLevel();
        }
        return;
    }
    if (storyPending_) {
        storyPending_ = false;
        if (OpenStory())
            return;
    }
    if (CRender::IsSwapped())
        CRender::Swap(true);
    menuButton_->Show();
    LogLoadingController("Game");

    if (childId == CONTROLLER_IN_GAME && inGameMenu_) {
        int answer = inGameMenu_->GetReturnValue();
        inGameMenu_.reset();
        ApplyInGameAnswer(answer);
    } else if (childId == CONTROLLER_SCOREBOARD && endOfLevel_) {
        int answer = endOfLevel_->GetReturnValue();
        endOfLevel_.reset();
        ApplyEndOfLevelAnswer(answer);
    } else if (childId == CONTROLLER_STORY) {
        story_.reset();
    }

    CMousePointer::HideFor(-1);
    applyPlaySpeed();
    if (childId == CONTROLLER_STORY && CElement::IsProfessorLeaving()) {
        openEndOfLevel(OUTCOME_SET_LEVEL_WON);
        return;
    }
    CSound::resumeEffects();
    if (GetExitCode() == 0 && !editorRun_)
        CSound::playStageMusic(true);
}

void CControllerGame::applyPlaySpeed()
{
    CProfile* profile = GetProfile();
    if (playingBack_ || !profile)
        CDraw::setGameSpeed(-1);
    else
        CDraw::setGameSpeed(profile->GetPlaySpeed());
}

void CControllerGame::ApplyInGameAnswer(int answer)
{
    switch (answer) {
    case CControllerInGame::ANSWER_UNDO:
        CElement::LoadUndoStep(true);
        playingBack_ = false;
        break;
    case CControllerInGame::ANSWER_RESTART:
        playingBack_ = false;
        Restart();
        break;
    case CControllerInGame::ANSWER_SOLUTION:
        playingBack_ = true;
        Restart();
        break;
    default: playingBack_ = false; break;
    }
    CProfile* profile = GetProfile();
    if (profile && profile->GetShowStepCounter())
        stepCounter_->Show();
    else
        stepCounter_->Hide();
}

void CControllerGame::ApplyEndOfLevelAnswer(int answer)
{
    switch (answer) {
    case CControllerScoreboard::ANSWER_UNDO:
        // The player goes on from the step before the mishap.
        CElement::ResetLevelExited();
        CElement::LoadUndoStep(true);
        playingBack_ = false;
        break;
    case CControllerScoreboard::ANSWER_RETRY:
        playingBack_ = false;
        Restart();
        break;
    case CControllerScoreboard::ANSWER_SOLUTION:
        playingBack_ = true;
        Restart();
        break;
    default: break;
    }
}

void CControllerGame::Restart()
{
    logMessage(LOG_DEBUG, "CControllerGame:  Restarting level...\n");
    background_.reset();
    professor_ = nullptr;
    CElement::UnloadElements();
    CRender::Clear();
    blinkCounter_ = 0;
    if (level_)
        LoadLevel(level_);
    if (CProfile* profile = GetProfile())
        profile->SetSteps(0);
}
