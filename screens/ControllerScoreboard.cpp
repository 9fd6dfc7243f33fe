#include "screens/ControllerScoreboard.h"

#include "engine/Draw.h"
#include "engine/Log.h"
#include "engine/Motion.h"
#include "engine/MousePointer.h"
#include "engine/Render.h"
#include "engine/Sound.h"
#include "engine/SoundObject.h"
#include "engine/Sprite.h"
#include "levels/LevelSet.h"
#include "levels/Profile.h"
#include "online/ScoreServer.h"
#include "screens/ControllerInstructions.h"
#include "screens/ControllerMessage.h"
#include "screens/ControllerTextEntries.h"
#include "screens/GuiButton.h"
#include "screens/TextChecks.h"
#include "screens/WidgetSprite.h"
#include "text/TextIds.h"

#include <SDL.h>

namespace {

const char* const BOARD_IMAGE = "baseScoreboard.png";

// Every text the board and its children draw, with the arguments passed.
const TextUse TEXT_USES[] = {
    {TEXT_PLAIN, 1},
    {TEXT_TEXTBOX_ENTRY, 1},
    {TEXT_NO_CONNECTION_TITLE, 0},
    {TEXT_NO_SOLUTION_TITLE, 0},
    {TEXT_NO_CONNECTION_BODY, 0},
    {TEXT_NO_SOLUTION_BODY, 0},
    {TEXT_RESULT_SINGED, 0},
    {TEXT_PROMPT_PROFILE_NAME, 0},
    {TEXT_PROMPT_ONLINE_NAME, 0},
    {TEXT_PROMPT_PASSWORD, 0},
    {TEXT_SCORES_OVERALL, 0},
    {TEXT_STEPS_THIS_RUN, 1},
    {TEXT_STEPS_BEST_BEFORE, 1},
    {TEXT_STEPS_FIRST_TIME, 0},
    {TEXT_STEPS_SET_TOTAL, 1},
};

// The series among them, first to last: one text is picked, or one per set.
struct TextSeries {
    int first, last, argumentCount;
};
const TextSeries TEXT_SERIES[] = {
    {TEXT_RESULT_CAUGHT_FIRST, TEXT_RESULT_CAUGHT_LAST, 0},
    {TEXT_RESULT_COMPLETED_FIRST, TEXT_RESULT_COMPLETED_LAST, 0},
    {TEXT_SCORES_OVERALL_SETS, TEXT_SCORES_OVERALL_SETS_LAST, 0},
    {TEXT_SCORES_LEVEL, TEXT_SCORES_LEVEL_LAST, 1},
};

CProfile& profile() { return *CController::GetProfile(); }

bool hasOnlineName() { return profile().HasOnlineName(-1); }

std::string onlineName()
{
    const char* name = profile().GetOnlineName(-1);
    return name ? name : "";
}

} // namespace

CControllerScoreboard::CControllerScoreboard(uint32_t type, bool isUserLevel)
    : CController(CONTROLLER_SCOREBOARD), type_(type), isUserLevel_(isUserLevel), set_(profile().GetLevelSet()),
      level_(profile().GetLevel()), pick_(randomInt(0, 50)),
      overallShown_(ScoreServer::OverallScoreTables.begin(), ScoreServer::OverallScoreTables.end())
{
    static const bool textsChecked = CheckTexts();
    (void)textsChecked;
    LoadSprites();
    if (!IsTable()) {
        CSound::fadeOutMusic();
        victorySound_ = std::make_unique<SoundObject>("victory.ogg", false);
        victorySound_->play(false, 0, 0.0f);
    }
}

CControllerScoreboard::~CControllerScoreboard()
{
    logMessage(LOG_DESTRUCT, "CControllerScoreboard:  Destroying CControllerScoreboard...\n");
    UnloadSprites();
    victorySound_.reset();
}

bool CControllerScoreboard::CheckTexts()
{
    bool ok = checkTextUses(TEXT_USES, sizeof TEXT_USES / sizeof TEXT_USES[0]);
    for (const TextSeries& series : TEXT_SERIES)
        for (int text = series.first; text <= series.last; ++text)
            ok = checkTextArguments(text, series.argumentCount) && ok;
    return ok;
}

// ---- Sprites.

void CControllerScoreboard::LoadSprites()
{
    if (spritesLoaded_)
        return;
    still_.reset();
    dimmer_ = makeWidgetSprite(KIND_SCREEN_BACKGROUND, "dimmer.png",
                               "Instructions Controller (SCOREBOARD_LSPRITE_DIMMER)", 0, 0, true);
    arrow1_ = makeWidgetSprite(KIND_SCREEN_TOP, "hiscores_arrow1.png",
                               "Scoreboard Controller (SCOREBOARD_LSPRITE_ARROW1)", 0, 0, false);
    arrow2_ = makeWidgetSprite(KIND_SCREEN_TOP, "hiscores_arrow2.png",
                               "Scoreboard Controller (SCOREBOARD_LSPRITE_ARROW2)", 0, 0, false);
    oscillator_ = std::make_unique<Oscillator>(0, 6, 3.0f, 2.2f, 0);
    MakeButtons();
    DrawBoard();
    spritesLoaded_ = true;
}

void CControllerScoreboard::UnloadSprites()
{
    CMousePointer::ShowHourglass(true);
    if (!spritesLoaded_)
        return;
    dimmer_.reset();
    background_.reset();
    arrow1_.reset();
    arrow2_.reset();
    for (auto& widget : widgets_)
        widget.reset();
    oscillator_.reset();
    CDraw::releaseImage(BOARD_IMAGE);
    spritesLoaded_ = false;
}

CGuiButton* CControllerScoreboard::AddLabelButton(int slot, int index, const WidgetPlace& place, const char* label,
                                                  bool isDefault)
{
    auto button = std::make_unique<CGuiButton>(place.x, place.y, index, this, "krvl_button_base.png", nullptr,
                                               "krvl_button_select.png", "krvl_button_select.png", isDefault, 0, 0);
    button->SetText(label, 0, 0, 0, 0, 0, 0);
    widgets_[slot - 1] = std::move(button);
    return widgets_[slot - 1].get();
}

CGuiButton* CControllerScoreboard::AddImageButton(int slot, int index, const WidgetPlace& place, const char* prefix,
                                                  const char* rollover)
{
    std::string base = std::string(prefix) + "base.png";
    std::string shadow = std::string(prefix) + "shadow.png";
    std::string roll = std::string(prefix) + rollover + ".png";
    widgets_[slot - 1] = std::make_unique<CGuiButton>(place.x, place.y, index, this, base.c_str(), shadow.c_str(),
                                                      roll.c_str(), nullptr, false, 0, 0);
    return widgets_[slot - 1].get();
}

void CControllerScoreboard::MakeButtons()
{
    switch (type_) {
    case BOARD_OVERALL:
        AddImageButton(1, CALL_OVERALL_EXCHANGE, EXCHANGE, "hiscores_button_download", "roll");
        AddImageButton(2, CALL_SET_REGULAR, SET_REGULAR, "hiscores_button_regular", "rollover");
        AddImageButton(3, CALL_SET_ADVANCED, SET_ADVANCED, "hiscores_button_advanced", "rollover");
        AddImageButton(4, CALL_SET_KIDS, SET_KIDS, "hiscores_button_kids", "rollover");
        AddLabelButton(5, CALL_CLOSE, CLOSE, "krvl_button_maintext.png", false);
        break;
    case BOARD_MAP:
    case BOARD_IN_GAME:
        AddImageButton(1, CALL_LEVEL_EXCHANGE, EXCHANGE, "hiscores_button_download", "roll");
        AddLabelButton(2, CALL_CLOSE, CLOSE,
                       type_ == BOARD_MAP ? "krvl_button_maptext.png" : "krvl_button_backmenutext.png", false);
        break;
    case BOARD_SINGED:
    case BOARD_CAUGHT:
        AddLabelButton(1, CALL_RETRY, MISHAP_RETRY, "krvl_button_retrytext.png", true)->WarpMouseTo();
        AddLabelButton(2, CALL_UNDO, MISHAP_UNDO, "krvl_button_undotextB.png", false);
        AddLabelButton(3, CALL_SOLUTION, MISHAP_SOLUTION, "krvl_button_solutiontext.png", false);
        AddLabelButton(4, CALL_INSTRUCTIONS, MISHAP_INSTRUCTIONS, "krvl_button_instructionstext.png", false);
        AddLabelButton(5, CALL_CLOSE_GAME, MISHAP_CHOOSE_LEVEL, "krvl_button_selecttext.png", false);
        AddLabelButton(6, CALL_CLOSE, CLOSE, "krvl_button_maintext.png", false);
        break;
    default: // the completed levels
        AddImageButton(1, CALL_SUBMIT, EXCHANGE, "hiscores_button_submit", "rollover");
        if (!CLevelSet::isLastLevel(set_, level_))
            AddLabelButton(3, CALL_CLOSE_GAME, WIN_CONTINUE, "krvl_button_continuetext.png", true)->WarpMouseTo();
        AddLabelButton(4, CALL_RETRY, WIN_RETRY, "krvl_button_retrytext.png", false);
        AddLabelButton(5, CALL_CLOSE, CLOSE, "krvl_button_maintext.png", false);
        break;
    }
}

// ---- Input.

void CControllerScoreboard::GUICallback(int index, int, bool)
{
    switch (index) {
    case CALL_RETRY:
    case CALL_UNDO:
        SetReturnValue(index);
        SetExitCode(1);
        break;
    case CALL_CLOSE_GAME: SetExitCode(2); break;
    case CALL_SOLUTION:
        if (!solutionAvailable_)
            OpenMessage(TEXT_NO_SOLUTION_TITLE, TEXT_NO_SOLUTION_BODY, false);
        else if (profile().HasPassword() && !(!isUserLevel_ && CLevelSet::isTutorialLevel(set_, level_))) {
            OpenPassword(profile().GetPassword());
        } else {
            SetReturnValue(ANSWER_SOLUTION);
            SetExitCode(1);
        }
        break;
    case CALL_INSTRUCTIONS: OpenInstructions(); break;
    case CALL_CLOSE: SetExitCode(IsTable() ? 1 : 3); break;
    case CALL_LEVEL_EXCHANGE: LevelExchange(); break;
    case CALL_OVERALL_EXCHANGE: OverallExchange(); break;
    case CALL_SUBMIT: Submit(); break;
    case CALL_SET_REGULAR:
    case CALL_SET_ADVANCED:
    case CALL_SET_KIDS:
        if (set_ != index - CALL_SET_REGULAR) {
            set_ = index - CALL_SET_REGULAR;
            DrawBoard();
        }
        break;
    default: break;
    }
}

void CControllerScoreboard::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    InputGuiKey(this, released, key, false, true);
    if (!released) {
        if (key == SDLK_r && !IsTable())
            GUICallback(CALL_RETRY, 0, false);
        else if (key == SDLK_u && (type_ == BOARD_SINGED || type_ == BOARD_CAUGHT))
            GUICallback(CALL_UNDO, 0, false);
        else if (key == SDLK_ESCAPE && IsTable())
            GUICallback(CALL_CLOSE, 0, false);
    }
    InputScreenCapture(released, key);
}

void CControllerScoreboard::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerScoreboard::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    if (left && !released && !CGuiButtonBase::GetHotButton())
        PlaySound(InterfaceSound::EmptyClick);
}

void CControllerScoreboard::Pump()
{
    int closed = TakeClosedChildId();
    if (closed == CONTROLLER_NONE) {
        ProcessInput();
        if (!IsActive() || GetExitCode() != 0 || !spritesLoaded_)
            return;
        if (!arrow1_->isHidden()) {
            oscillator_->step();
            int y = arrow1_->getY(false);
            arrow1_->setLocation(246 + oscillator_->getValue(), y, false);
            arrow2_->setLocation(512 - oscillator_->getValue(), y, false);
        }
        CGuiButtonBase::UpdateAll();
        return;
    }
    switch (closed) {
    case CONTROLLER_MESSAGE: message_.reset(); break;
    case CONTROLLER_INSTRUCTIONS: instructions_.reset(); break;
    case CONTROLLER_PASSWORD:
        if (!CControllerTextEntryBase::WasCancelled(*password_)) {
            SetReturnValue(ANSWER_SOLUTION);
            SetExitCode(1);
        }
        password_.reset();
        break;
    case CONTROLLER_TEXT_ENTRY: NameEntryClosed(); return;
    default: break;
    }
    if (GetExitCode() == 0)
        LoadSprites();
}

// ---- Exchanges.

void CControllerScoreboard::LevelExchange()
{
    CMousePointer::ShowHourglass(true);
    std::string name = onlineName();
    if (hasOnlineName() && profile().IsLevelCompleted(-1, -1)) {
        int score = profile().GetScore(-1, -1, false);
        logMessage(LOG_SCOREBOARD, "Uploading current level score for '%s':  %i\n", name.c_str(), score);
        ScoreServer::RequestScoreUpload(name, set_, level_, score, profile().GetCheaterStatus());
    }
    if (ScoreServer::RequestScoreDownload(name, set_, level_))
        DrawBoard();
    else
        OpenMessage(TEXT_NO_CONNECTION_TITLE, TEXT_NO_CONNECTION_BODY, false);
}

void CControllerScoreboard::OverallExchange()
{
    CMousePointer::ShowHourglass(true);
    std::string name = onlineName();
    bool ok = true;
    // Every set is tried, whatever became of the one before.
    for (int s = 0; s < CProfile::SET_COUNT; ++s) {
        if (hasOnlineName() && profile().IsSetCompleted(s)) {
            int total = profile().GetTotalSteps(s);
            logMessage(LOG_SCOREBOARD, "Uploading current overall score for '%s':  %i (S=%i)\n", name.c_str(), total,
                       s);
            ScoreServer::RequestScoreUpload(name, s, ScoreServer::OVERALL_LEVEL, total, profile().GetCheaterStatus());
        }
        ok = ScoreServer::RequestScoreDownload(name, s, ScoreServer::OVERALL_LEVEL) && ok;
        logMessage(LOG_SCOREBOARD, "Downloading scores for '%s' (S=%i)  Result=%i\n", name.c_str(), s, ok ? 1 : 0);
    }
    if (!ok) {
        OpenMessage(TEXT_NO_CONNECTION_TITLE, TEXT_NO_CONNECTION_BODY, false);
        return;
    }
    overallShown_.assign(ScoreServer::OverallScoreTables.begin(), ScoreServer::OverallScoreTables.end());
    DrawBoard();
}

void CControllerScoreboard::Submit()
{
    if (!hasOnlineName()) {
        OpenScoreboardName(profile().GetProfileNameByNumber(-1), false);
        return;
    }
    CMousePointer::ShowHourglass(true);
    std::string name = onlineName();
    int32_t status = profile().GetCheaterStatus();
    bool ok = true;
    int score = profile().GetScore(set_, level_, false);
    if (score > 0) {
        ok = ScoreServer::RequestScoreUpload(name, set_, level_, score, status);
        if (profile().IsSetCompleted(-1)) {
            int total = profile().GetTotalSteps(-1);
            logMessage(LOG_DEBUG, "Updating Overall Scoreboard with %i\n", total);
            ok = ok && ScoreServer::RequestScoreUpload(name, set_, ScoreServer::OVERALL_LEVEL, total, status);
            ok = ok && ScoreServer::RequestScoreDownload(name, set_, ScoreServer::OVERALL_LEVEL);
        }
    }
    ok = ok && ScoreServer::RequestScoreDownload(name, set_, level_);
    if (ok) {
        ScoreServer::dumpScores(set_, level_);
        type_ = BOARD_SUBMITTED;
        DrawBoard();
    } else {
        OpenMessage(TEXT_NO_CONNECTION_TITLE, TEXT_NO_CONNECTION_BODY, false);
    }
}

void CControllerScoreboard::NameEntryClosed()
{
    enum { CANCELLED, ADDED, NO_CONNECTION, REFUSED } outcome = CANCELLED;
    const char* entered = nameEntry_->GetEnteredText();
    if (!nameEntry_->WasCancelled() && entered) {
        std::string name = entered;
        ScoreServer::RequestNewUser(name);
        switch (ScoreServer::getLastError()) {
        case 0:
            logMessage(LOG_DEBUG, "NEWUSER:  Added %s\n", name.c_str());
            outcome = profile().SetOnlineName(name.c_str()) ? ADDED : REFUSED;
            break;
        case ScoreServer::NAME_TAKEN:
            logMessage(LOG_DEBUG, "NEWUSER:  Already exists.  Suggestions:\n");
            ScoreServer::takeErrorMessage();
            ScoreServer::dumpSuggestions();
            outcome = REFUSED;
            break;
        case ScoreServer::NO_CONNECTION:
            logMessage(LOG_DEBUG, "NEWUSER:  Connection failure\n");
            outcome = NO_CONNECTION;
            break;
        default: outcome = REFUSED; break;
        }
    }
    nameEntry_.reset();
    if (GetExitCode() == 0)
        LoadSprites();
    CMousePointer::HideFor(-1);
    switch (outcome) {
    case ADDED: GUICallback(CALL_SUBMIT, 0, false); break;
    case NO_CONNECTION: OpenMessage(TEXT_NO_CONNECTION_TITLE, TEXT_NO_CONNECTION_BODY, false); break;
    case REFUSED: {
        const auto& suggestions = ScoreServer::UserSuggestions;
        OpenScoreboardName(suggestions.empty() ? "" : suggestions.front().c_str(), true);
        break;
    }
    case CANCELLED: break;
    }
}

// ---- Children.

void CControllerScoreboard::PrepareForChild(const char* displayName, bool keepPicture)
{
    if (dimmer_)
        dimmer_->hide();
    CMousePointer::HideFor(-1);
    CRender::Render(true);
    if (keepPicture) {
        still_ = std::make_unique<CSprite>(KIND_SCREEN_DIMMER, 0, false);
        still_->setName("Scoreboard Controller (still picture)");
        still_->addFrameSurface(CDraw::copyScreen(nullptr));
        still_->setLocation(0, 0, false);
        showSprite(*still_);
    }
    UnloadSprites();
    LogLoadingController(displayName);
}

void CControllerScoreboard::OpenScoreboardName(const char* text, bool invalid)
{
    PrepareForChild("Scoreboard Name", false);
    nameEntry_ = std::make_unique<CControllerScoreboardName>(invalid);
    nameEntry_->SetText(text);
    LoadController(nameEntry_.get());
}

void CControllerScoreboard::OpenMessage(int title, int body, bool question)
{
    PrepareForChild("Message", true);
    message_ = std::make_unique<CControllerMessage>(title, body, question);
    LoadController(message_.get());
}

void CControllerScoreboard::OpenPassword(const char* expected)
{
    PrepareForChild("Password", false);
    password_ = std::make_unique<CControllerPassword>(expected);
    LoadController(password_.get());
}

void CControllerScoreboard::OpenInstructions()
{
    PrepareForChild("Instructions", false);
    instructions_ = std::make_unique<CControllerInstructions>(0);
    LoadController(instructions_.get());
}
