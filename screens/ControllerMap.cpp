#include "screens/ControllerMap.h"

#include "engine/Draw.h"
#include "engine/FontSystem.h"
#include "engine/Log.h"
#include "engine/Motion.h"
#include "engine/MousePointer.h"
#include "engine/Render.h"
#include "engine/Sound.h"
#include "engine/Sprite.h"
#include "engine/Strings.h"
#include "levels/Level.h"
#include "levels/LevelSet.h"
#include "levels/Profile.h"
#include "screens/ControllerGame.h"
#include "screens/ControllerMessage.h"
#include "screens/ControllerMessageTutorial.h"
#include "screens/ControllerScoreboard.h"
#include "screens/ControllerSetSelect.h"
#include "screens/GuiButton.h"
#include "screens/GuiButtonMapDot.h"
#include "screens/WidgetSprite.h"
#include "text/TextIds.h"

#include <string>

namespace {

// Drawing layers of the map's own pictures.

struct ButtonLook {
    int callback;
    const char* prefix;
    const char* text; // null: none
    int textDx;
    bool isDefault;
};

// In the order of the map's button slots.
const ButtonLook BUTTONS[] = {
    {CControllerMap::BUTTON_SET_FIRST, "map_buttonlevelset_", nullptr, 0, false},
    {CControllerMap::BUTTON_SET_FIRST + 1, "map_buttonlevelset_", nullptr, 0, false},
    {CControllerMap::BUTTON_SET_FIRST + 2, "map_buttonlevelset_", nullptr, 0, false},
    {CControllerMap::BUTTON_RESET_FIRST, "map_buttonchangereset_", "map_buttonchangereset_textreset.png", 0, false},
    {CControllerMap::BUTTON_RESET_FIRST + 1, "map_buttonchangereset_", "map_buttonchangereset_textreset.png", 0, false},
    {CControllerMap::BUTTON_RESET_FIRST + 2, "map_buttonchangereset_", "map_buttonchangereset_textreset.png", 0, false},
    {CControllerMap::BUTTON_CHANGE_SET, "map_buttonchangereset_", "map_buttonchangereset_textchange.png", 0, false},
    {CControllerMap::BUTTON_HIGH_SCORES, "map_buttonhighscores_", "map_buttonhighscores_text.png", 0, false},
    {CControllerMap::BUTTON_PLAY, "map_buttonlowerright_", "map_buttonlowerright_textplay.png", 4, true},
    {CControllerMap::BUTTON_LEVEL_MANAGER, "map_buttonlowerright_", "map_buttonlowerright_textlevelmanager.png", 4,
     false},
    {CControllerMap::BUTTON_MAIN_MENU, "map_buttonlowerright_", "map_buttonlowerright_textmainmenu.png", 4, false},
};

// The set buttons' pictures are made with the set's name and completion
// painted in, under these names (by set).
struct SetButtonNames {
    const char* base;
    const char* rollover;
};
const SetButtonNames SET_BUTTON_NAMES[] = {
    {"map_buttonlevelset_base_reg.png", "map_buttonlevelset_roll_reg.png"},
    {"map_buttonlevelset_base_adv.png", "map_buttonlevelset_roll_adv.png"},
    {"map_buttonlevelset_base_kid.png", "map_buttonlevelset_roll_kid.png"},
};
constexpr int PERCENT_BOX_WIDTH = 165;

// The help arrow bounces above the play button.
constexpr int ARROW_X = 677, ARROW_Y = 448;

std::unique_ptr<CSprite> makeSprite(int layer, int frameDelay, const char* name, int x, int y)
{
    auto sprite = std::make_unique<CSprite>(layer, frameDelay, false);
    sprite->setName(name);
    sprite->setLocation(x, y, false);
    return sprite;
}

CProfile& profile() { return *CController::GetProfile(); }

bool anySetStarted()
{
    for (int set = 0; set < LEVEL_SET_COUNT; ++set)
        if (profile().IsLevelCompleted(set, 0))
            return true;
    return false;
}

} // namespace

CControllerMap::CControllerMap() : CController(CONTROLLER_MAP)
{
    LoadSprites();
    // A new player chooses a set first. The choice opens on the map's first
    // pump: the screen that makes the map has not pushed it yet.
    setSelectorPending_ = !anySetStarted();
}

CControllerMap::~CControllerMap()
{
    logMessage(LOG_MILESTONE, "ID_900:  SHUTDOWN:  C%i Started\n", GetID());
    UnloadResources();
    logMessage(LOG_MILESTONE, "ID_900:  SHUTDOWN:  C%i Completed\n", GetID());
}

// ---- Building and unloading.

void CControllerMap::LoadSprites()
{
    if (spritesLoaded_)
        return;
    shownSet_ = profile().GetLevelSet();
    if (animateDots_ && profile().IsSetCompleted(-1))
        selectedLevel_ = profile().SetLevel(0);
    else
        selectedLevel_ = profile().UnlockNext();
    selectedLevelObject_ = CLevelSet::getSet(shownSet_)->selectLevel(selectedLevel_);
    CSound::playMapMusic();

    LoadFixedSprites();
    LoadButtons();
    buttons_[SLOT_PLAY]->WarpMouseTo();
    ShowLevelTexts();
    CreateMapDots();
    CMousePointer::HideFor(-1);
    spritesLoaded_ = true;
}

void CControllerMap::LoadFixedSprites()
{
    std::unique_ptr<CSprite>* s = sprites_;
    s[KIND_BACKGROUND] = makeSprite(KIND_SCREEN_DIMMER, 0, "Map Controller (MAP_LSPRITE_BACKGROUND)", 0, 0);
    s[KIND_BACKGROUND]->addFrame("map_background.jpg");

    s[SPRITE_LEGEND_TUTORIAL] = makeSprite(KIND_SCREEN_PANEL, 2, "Map Controller (MAP_LSPRITE_LEGEND_TUT)", 45, 149);
    s[SPRITE_LEGEND_TUTORIAL]->addFrames("star_base", 0, 59, ".png", 1);
    s[SPRITE_LEGEND_TUTORIAL]->setLooping(true);
    s[SPRITE_LEGEND_TUTORIAL]->play(true);
    s[SPRITE_LEGEND_REGULAR] =
        makeSprite(KIND_SCREEN_BACKGROUND, 0, "Map Controller (MAP_LSPRITE_LEGEND_REG)", 45, 177);
    s[SPRITE_LEGEND_REGULAR]->addFrame("mapdotregularcompletedbase.png");

    s[SPRITE_VOLCANO_FRONT] =
        makeSprite(KIND_SCREEN_OVERLAY, 0, "Map Controller (MAP_LSPRITE_VOLCANO_FRONT)", 267, 110);
    s[SPRITE_VOLCANO_FRONT]->addFrame("mainmenu_volcanofront.png");
    // The glow swells, holds, fades and rests.
    CSprite& glow = *(s[SPRITE_VOLCANO_GLOW] =
                          makeSprite(KIND_SCREEN_BACKGROUND, 4, "Map Controller (MAP_LSPRITE_VOLCANO_GLOW)", 299, 112));
    glow.addFrames("mainmenu_glow", 1, 9, ".png", 1);
    glow.addFrameRepeated("mainmenu_glow9.png", 2);
    glow.addFrames("mainmenu_glow", 9, 1, ".png", 1);
    glow.addFrameRepeated("mainmenu_glow1.png", 2);
    glow.setLooping(true);
    glow.play(true);
    s[SPRITE_VOLCANO_SMOKE] = makeSprite(KIND_SCREEN_PANEL, 5, "Map Controller (MAP_LSPRITE_VOLCANO_SMOKE)", 252, -30);
    s[SPRITE_VOLCANO_SMOKE]->addFrames("mainmenu_smoke", 5, 54, ".png", 1);

    s[SPRITE_SET_NAME] = makeSprite(KIND_SCREEN_FRONT, 0, "Map Controller (MAP_LSPRITE_TEXT_SET_NAME)", 515, 15);
    for (const char* name : {"map_buttonlevelset_textregular.png", "map_buttonlevelset_textadvanced.png",
                             "map_buttonlevelset_textkids.png"})
        s[SPRITE_SET_NAME]->addFrame(name);

    s[SPRITE_PROFILE_NAME] = makeSprite(KIND_WIDGET_OVERLAY, 0, "Map Controller (MAP_LSPRITE_TEXT_PROFILE)", 44, 10);
    s[SPRITE_PROFILE_NAME]->addTextFrame(profile().GetProfileNameByNumber(-1), 170, 20, ALIGN_CENTRE,
                                         "map_text_profile_name.png", true);

    for (Sprite shown : {KIND_BACKGROUND, SPRITE_LEGEND_TUTORIAL, SPRITE_LEGEND_REGULAR, SPRITE_VOLCANO_FRONT,
                         SPRITE_VOLCANO_GLOW, SPRITE_SET_NAME, SPRITE_PROFILE_NAME})
        showSprite(*s[shown]);
    s[SPRITE_VOLCANO_SMOKE]->hide();
}

void CControllerMap::LoadButtons()
{
    for (int slot = 0; slot < BUTTON_COUNT; ++slot) {
        const ButtonLook& look = BUTTONS[slot];
        std::string prefix = look.prefix;
        const WidgetPlace& place = BUTTON_PLACES[slot];
        auto button = std::make_unique<CGuiButton>(place.x, place.y, look.callback, this,
                                                   (prefix + "base.png").c_str(), (prefix + "shadow.png").c_str(),
                                                   (prefix + "rollover.png").c_str(), nullptr, look.isDefault, 2, 2);
        if (look.text)
            button->SetText(look.text, look.textDx, 0, 0, 0, 2, 2);
        buttons_[slot] = std::move(button);
    }
    buttons_[SLOT_HIGH_SCORES]->SetDisableImage("map_buttonhighscores_fade.png", 0, 0);
}

void CControllerMap::UnloadResources()
{
    logMessage(LOG_TICKS, "MAP:  Unloading Resources\n");
    CMousePointer::ShowHourglass(true);
    if (!spritesLoaded_)
        return;
    for (std::unique_ptr<CSprite>& sprite : sprites_)
        sprite.reset();
    logMessage(LOG_TICKS, "MAP:  Sprites unloaded\n");
    for (std::unique_ptr<CGuiButton>& button : buttons_)
        button.reset();
    logMessage(LOG_TICKS, "MAP:  Buttons unloaded\n");
    for (std::unique_ptr<CGuiButtonMapDot>& dot : dots_)
        dot.reset();
    dotCount_ = 0;
    logMessage(LOG_TICKS, "MAP:  Map Dots unloaded\n");
    arrowBouncer_.reset();
    logMessage(LOG_TICKS, "MAP:  Arrow Bouncer unloaded\n");
    for (const SetButtonNames& names : SET_BUTTON_NAMES) {
        CDraw::releaseImage(names.base);
        CDraw::releaseImage(names.rollover);
    }
    logMessage(LOG_TICKS, "MAP:  Level Set Images unloaded\n");
    spritesLoaded_ = false;
}

// The help box for a new player: only while no set's first level is won.
void CControllerMap::LoadOverview()
{
    for (Sprite help : {SPRITE_OVERVIEW_BOX, SPRITE_HELP_TEXT, SPRITE_HELP_ARROW, SPRITE_HELP_ARROW_SHADOW})
        sprites_[help].reset();
    if (anySetStarted())
        return;
    if (!arrowBouncer_)
        arrowBouncer_ = std::make_unique<Oscillator>(0, 6, 3.5f, 5.2f, randomInt(0.0f, 23.0f));
    int bounce = arrowBouncer_->getValue();
    struct Help {
        Sprite slot;
        int layer;
        const char* image;
        const char* name;
        int x, y;
    };
    const Help helps[] = {
        {SPRITE_OVERVIEW_BOX, KIND_OVERLAY_BACK, "mapoverviewboxlockedmain.png",
         "Map Controller (MAP_LSPRITE_OVERVIEW)", 560, 380},
        {SPRITE_HELP_TEXT, KIND_OVERLAY_BACK, "maphelptext.png", "Map Controller (MAP_LSPRITE_HELP_TEXT)", 580, 387},
        {SPRITE_HELP_ARROW, KIND_OVERLAY_MIDDLE, "maphelparrow.png", "Map Controller (MAP_LSPRITE_HELP_ARROW)", ARROW_X,
         ARROW_Y + bounce},
        {SPRITE_HELP_ARROW_SHADOW, KIND_OVERLAY_LOW, "maphelparrowshadow.png",
         "Map Controller (MAP_LSPRITE_HELP_ARROW_SHADOW)", ARROW_X + 4, ARROW_Y + 1 + bounce},
    };
    for (const Help& help : helps)
        sprites_[help.slot] = makeWidgetSprite(help.layer, help.image, help.name, help.x, help.y, true);
}

// ---- Each frame.

void CControllerMap::Pump()
{
    int closed = TakeClosedChildId();
    if (setSelectorPending_) {
        setSelectorPending_ = false;
        OpenSetSelector();
        return;
    }
    if (closed != CONTROLLER_NONE) {
        HandleClosedChild(closed);
        return;
    }
    ProcessInput();
    if (IsActive()) {
        AnimateStep();
        CGuiButtonBase::UpdateAll();
    }
}

void CControllerMap::AnimateStep()
{
    CSprite& smoke = *sprites_[SPRITE_VOLCANO_SMOKE];
    if (smokeCounter_ > smokeLimit_) {
        showSprite(smoke);
        smoke.play(true);
        if (smoke.isFinished()) {
            smoke.resetAnimation();
            smoke.hide();
            smokeCounter_ = 0;
            smokeLimit_ = randomInt(30.0f, 60.0f);
        }
    } else {
        ++smokeCounter_;
    }
    if (arrowBouncer_) {
        arrowBouncer_->step();
        int bounce = arrowBouncer_->getValue();
        if (sprites_[SPRITE_HELP_ARROW])
            sprites_[SPRITE_HELP_ARROW]->setLocation(ARROW_X, ARROW_Y + bounce, false);
        if (sprites_[SPRITE_HELP_ARROW_SHADOW])
            sprites_[SPRITE_HELP_ARROW_SHADOW]->setLocation(ARROW_X + 4, ARROW_Y + 1 + bounce, false);
    }
}

void CControllerMap::HandleClosedChild(int childId)
{
    if (CRender::IsSwapped())
        CRender::Swap(true);
    for (std::unique_ptr<CGuiButton>& button : buttons_)
        if (button)
            button->Show();
    for (std::unique_ptr<CGuiButtonMapDot>& dot : dots_)
        if (dot)
            dot->Show();
    LogLoadingController("Map");

    switch (childId) {
    case CONTROLLER_GAME:
        logMessage(LOG_TICKS, "Removing GAME\n");
        game_.reset();
        logMessage(LOG_TICKS, "GAME removal completed\n");
        break;
    case CONTROLLER_MESSAGE:
        HandleClosedMessage();
        break;
    case CONTROLLER_SCOREBOARD:
        scoreboard_.reset();
        break;
    case CONTROLLER_SET_SELECT:
        shownSet_ = profile().SetLevelSet(setSelector_->GetReturnValue());
        selectedLevel_ = profile().UnlockNext();
        animateDots_ = true;
        setSelector_.reset();
        selectedLevelObject_ = CLevelSet::getSet(shownSet_)->selectLevel(selectedLevel_);
        LoadOverview();
        ShowLevelTexts();
        CreateMapDots();
        break;
    case CONTROLLER_MESSAGE_TUTORIAL:
        tutorialHint_.reset();
        break;
    default:
        break;
    }

    if (!spritesLoaded_ && GetExitCode() == 0)
        LoadSprites();
    CMousePointer::HideFor(-1);
    if (GetExitCode() == 0 && IsTutorialHintDue())
        OpenMessageTutorial();
}

bool CControllerMap::IsTutorialHintDue() const
{
    return !tutorialHintShown_ && shownSet_ == LEVELSET_REGULAR && (selectedLevel_ == 1 || selectedLevel_ == 2) &&
           profile().GetFurthestLevel() == 0;
}

// ---- Input.

void CControllerMap::GUICallback(int index, int value, bool dclick)
{
    if (index >= 0 && index < MAP_DOT_LIMIT) {
        if (!dclick && value == -1) {
            pendingMessage_ = MESSAGE_LOCKED;
            OpenMessage(TEXT_LOCKED_TITLE, TEXT_LOCKED_BODY, false);
        } else if (!dclick) {
            SelectLevel(index);
        } else if (value != -1) {
            OpenGame();
        }
        return;
    }
    switch (index) {
    case BUTTON_SET_FIRST:
    case BUTTON_SET_FIRST + 1:
    case BUTTON_SET_FIRST + 2:
        if (index - BUTTON_SET_FIRST != shownSet_)
            ChangeSet(index - BUTTON_SET_FIRST);
        break;
    case BUTTON_RESET_FIRST:
    case BUTTON_RESET_FIRST + 1:
    case BUTTON_RESET_FIRST + 2:
        pendingMessage_ = MESSAGE_RESET_FIRST + index - BUTTON_RESET_FIRST;
        OpenMessage(TEXT_RESET_SET_TITLE, TEXT_RESET_SET_BODIES + index - BUTTON_RESET_FIRST, true);
        break;
    case BUTTON_CHANGE_SET:
        ChangeSet((shownSet_ + 1) % LEVEL_SET_COUNT);
        break;
    case BUTTON_HIGH_SCORES:
        OpenScoreboard();
        break;
    case BUTTON_PLAY:
        OpenGame();
        break;
    case BUTTON_LEVEL_MANAGER:
        SetReturnValue(CONTROLLER_MANAGER);
        SetExitCode(1);
        break;
    case BUTTON_MAIN_MENU:
        SetExitCode(1);
        break;
    default:
        break;
    }
}

void CControllerMap::InputKey(bool released, int key)
{
    CMousePointer::HideFor(-1);
    InputGuiKey(this, released, key, true, true);
    InputScreenCapture(released, key);
}

void CControllerMap::InputMouseMotion(int, int) { CMousePointer::Tick(); }

void CControllerMap::InputMouseButton(bool released, bool left, bool, bool, bool)
{
    if (left && !released && !CGuiButtonBase::GetHotButton())
        PlaySound(InterfaceSound::EmptyClick);
}

// ---- Dots, texts and set buttons.

void CControllerMap::CreateMapDots()
{
    for (std::unique_ptr<CGuiButtonMapDot>& dot : dots_)
        dot.reset();
    dotCount_ = 0;
    MapDotEntrance entrance{animateDots_, selectedLevel_, IsTutorialHintDue()};
    for (const MapDotPlan& dot :
         planMapDots(shownSet_, CLevelSet::getSet(shownSet_)->getLevelCount(), profile(), entrance))
        AddMapDot(dot);
    logMessage(LOG_TICKS, "MAP:  Dots Created\n");
    animateDots_ = false;
    if (buttons_[SLOT_PLAY])
        buttons_[SLOT_PLAY]->WarpMouseTo();
}

void CControllerMap::AddMapDot(const MapDotPlan& dot)
{
    dots_[dotCount_] = std::make_unique<CGuiButtonMapDot>(dot.x, dot.y, dotCount_, this, dot.star, dot.state, dot.mode,
                                                          dot.delay, false);
    ++dotCount_;
}

void CControllerMap::ShowLevelTexts()
{
    sprites_[SPRITE_SET_NAME]->setFrame(shownSet_);
    sprites_[SPRITE_LEVEL_NAME].reset();
    sprites_[SPRITE_LEVEL_STEPS].reset();
    sprites_[SPRITE_SET_STEPS].reset();

    std::string name = std::string(CLevelSet::getLabel(shownSet_, selectedLevel_)) + ". " +
                       (selectedLevelObject_ ? selectedLevelObject_->GetLevelHeading() : "");
    int best = profile().GetScore(-1, -1, false);
    std::string steps = best < 1 ? "Incomplete" : formatThousands(best);
    std::string total = formatThousands(profile().GetTotalSteps(-1));
    struct Text {
        Sprite slot;
        const char* name;
        int x, y, width, height;
        const std::string& text;
        const char* image;
    };
    const Text texts[] = {
        {SPRITE_LEVEL_NAME, "Map Controller (MAP_LSPRITE_TEXT_LEVEL_NAME)", 491, 40, 270, 30, name,
         "map_text_level_name.png"},
        {SPRITE_LEVEL_STEPS, "Map Controller (MAP_LSPRITE_TEXT_LEVEL_STEPS)", 624, 77, 100, 30, steps,
         "map_text_level_steps.png"},
        {SPRITE_SET_STEPS, "Map Controller (MAP_LSPRITE_TEXT_SET_STEPS)", 624, 100, 200, 20, total,
         "map_text_set_steps.png"},
    };
    for (const Text& t : texts) {
        sprites_[t.slot] = makeSprite(KIND_SCREEN_TOP, 0, t.name, t.x, t.y);
        sprites_[t.slot]->addTextFrame(t.text.c_str(), t.width, t.height, ALIGN_LEFT, t.image, true);
        showSprite(*sprites_[t.slot]);
    }

    for (int set = 0; set < LEVEL_SET_COUNT; ++set)
        LoadSetButtons(set, set);
    if (CLevelSet::isTutorialLevel(shownSet_, selectedLevel_))
        buttons_[SLOT_HIGH_SCORES]->Disable();
    else
        buttons_[SLOT_HIGH_SCORES]->Enable();
}

void CControllerMap::LoadSetButtons(int button, int set)
{
    CGuiButton& target = *buttons_[button];
    const SetButtonNames& names = SET_BUTTON_NAMES[set];
    // The made pictures are made anew under the same names: first the
    // button lets go of the old ones, so that their names are free.
    target.SetBaseImage("map_buttonlevelset_base.png");
    target.SetRolloverImage("map_buttonlevelset_rollover.png");
    CDraw::releaseImage(names.base);
    CDraw::releaseImage(names.rollover);

    std::string percent = std::to_string(profile().GetCompletionPercent(set)) + "%";
    const char* baseSource = set == shownSet_ ? "map_buttonlevelset_rollover.png" : "map_buttonlevelset_base.png";
    for (int image : {CDraw::CopyImage(baseSource, names.base, 0),
                      CDraw::CopyImage("map_buttonlevelset_rollover.png", names.rollover, 0)}) {
        int width = CDraw::getImageWidth(image), height = CDraw::getImageHeight(image);
        CFontSystem::DrawString(TEXT_SET_NAMES + set, image, ALIGN_LEFT, width, height, 11, 0);
        CFontSystem::DrawString(TEXT_PLAIN, image, ALIGN_RIGHT, PERCENT_BOX_WIDTH, height, 0, 0, percent.c_str());
    }
    target.SetBaseImage(names.base);
    target.SetRolloverImage(names.rollover);
}

void CControllerMap::SelectLevel(int index)
{
    selectedLevel_ = profile().SetLevel(index);
    selectedLevelObject_ = CLevelSet::getSet(shownSet_)->selectLevel(selectedLevel_);
    ShowLevelTexts();
}

void CControllerMap::ChangeSet(int set)
{
    shownSet_ = profile().SetLevelSet(set);
    // A finished set opens at its first level; any other where play goes on.
    if (profile().IsSetCompleted(-1))
        selectedLevel_ = profile().SetLevel(0);
    else
        selectedLevel_ = profile().UnlockNext();
    selectedLevelObject_ = CLevelSet::getSet(shownSet_)->selectLevel(selectedLevel_);
    ShowLevelTexts();
    animateDots_ = true;
    CreateMapDots();
}

// ---- Children.

void CControllerMap::HideWidgets()
{
    CMousePointer::HideFor(-1);
    CRender::Render(true);
    CRender::Swap(true);
    for (std::unique_ptr<CGuiButton>& button : buttons_)
        if (button)
            button->Hide();
    for (std::unique_ptr<CGuiButtonMapDot>& dot : dots_)
        if (dot)
            dot->Hide();
}

void CControllerMap::OpenGame()
{
    UnloadResources();
    LogLoadingController("Game");
    game_ = std::make_unique<CControllerGame>(CLevelSet::getSet(shownSet_));
    LoadController(game_.get());
}

void CControllerMap::OpenSetSelector()
{
    HideWidgets();
    LogLoadingController("Set Selector");
    setSelector_ = std::make_unique<CControllerSetSelect>();
    LoadController(setSelector_.get());
}

void CControllerMap::OpenMessage(int title, int body, bool yesNo)
{
    HideWidgets();
    LogLoadingController("Message");
    message_ = std::make_unique<CControllerMessage>(title, body, yesNo);
    LoadController(message_.get());
}

// A confirmed reset starts the set again from its first level, with the
// dots coming up one after another.
void CControllerMap::HandleClosedMessage()
{
    bool yes = message_->GetAnswerYes();
    if (yes && pendingMessage_ >= MESSAGE_RESET_FIRST && pendingMessage_ < MESSAGE_RESET_FIRST + LEVEL_SET_COUNT) {
        shownSet_ = pendingMessage_ - MESSAGE_RESET_FIRST;
        if (shownSet_ == LEVELSET_REGULAR)
            tutorialHintShown_ = false;
        profile().ResetSet(shownSet_);
        selectedLevel_ = profile().SetLevel(0);
        selectedLevelObject_ = CLevelSet::getSet(shownSet_)->selectLevel(selectedLevel_);
        ShowLevelTexts();
        animateDots_ = true;
    }
    pendingMessage_ = MESSAGE_NONE;
    message_.reset();
    if (animateDots_) {
        LoadOverview();
        CreateMapDots();
    }
}

// The table of the selected level.
void CControllerMap::OpenScoreboard()
{
    HideWidgets();
    LogLoadingController("Scoreboard");
    scoreboard_ = std::make_unique<CControllerScoreboard>(CControllerScoreboard::BOARD_MAP, false);
    LoadController(scoreboard_.get());
}

void CControllerMap::OpenMessageTutorial()
{
    HideWidgets();
    LogLoadingController("Message Tutorial");
    tutorialHint_ = std::make_unique<CControllerMessageTutorial>();
    LoadController(tutorialHint_.get());
    tutorialHintShown_ = true;
}
