#pragma once

#include "screens/Controller.h"
#include "screens/MapDotPlan.h"
#include "screens/WidgetPlace.h"

#include <memory>

class CGuiButton;
class CGuiButtonMapDot;
class CControllerMessage;
class CLevel;
class CSprite;
class Oscillator;

// The map of the island, on which the three built-in level sets are played:
// a dot per level of the shown set, the selected level's name and best steps,
// the set's total, the three set buttons with their completion, reset
// buttons, a button that cycles the set, the level's high scores and play,
// level manager and main menu. A new player first chooses a set and then
// sees a help box with an arrow pointing at the play button.
//
// The map opens the game screen on the selected level (unloading itself
// while the level runs), the high-score screen, message boxes, the tutorial
// hint and the set choice. Its return value is CONTROLLER_MANAGER when the
// player asked for the level manager.
class CControllerMap : public CController
{
public:
    CControllerMap();
    ~CControllerMap() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // Callback indexes of the map's buttons (the dots use their level index).
    enum Button {
        BUTTON_SET_FIRST = 1000, // 1000 + set
        BUTTON_RESET_FIRST = 1003, // 1003 + set
        BUTTON_CHANGE_SET = 1006,
        BUTTON_HIGH_SCORES = 1007,
        BUTTON_PLAY = 1100,
        BUTTON_LEVEL_MANAGER = 1101,
        BUTTON_MAIN_MENU = 1102,
    };
    // The buttons' slots, in the order of Button.
    enum Slot {
        SLOT_SET_FIRST = 0,   // + set
        SLOT_RESET_FIRST = 3, // + set
        SLOT_CHANGE_SET = 6,
        SLOT_HIGH_SCORES = 7,
        SLOT_PLAY = 8,
        SLOT_LEVEL_MANAGER = 9,
        SLOT_MAIN_MENU = 10,
        BUTTON_COUNT = 11,
    };
    // By slot: the set buttons down the top left with each set's reset
    // beside it, change set and high scores at the top right, and Play,
    // Level Manager and Main Menu down the lower right.
    static constexpr WidgetSize SET_BUTTON{178, 22};      // map_buttonlevelset_base.png
    static constexpr WidgetSize RESET_BUTTON{88, 22};     // map_buttonchangereset_base.png
    static constexpr WidgetSize SCORES_BUTTON{76, 34};    // map_buttonhighscores_base.png
    static constexpr WidgetSize LOWER_RIGHT_BUTTON{150, 22}; // map_buttonlowerright_base.png
    static constexpr WidgetPlace BUTTON_PLACES[BUTTON_COUNT] = {
        {19, 42, SET_BUTTON},          {19, 66, SET_BUTTON},          {19, 90, SET_BUTTON},
        {203, 45, RESET_BUTTON},       {203, 69, RESET_BUTTON},       {203, 93, RESET_BUTTON},
        {648, 16, RESET_BUTTON},       {710, 85, SCORES_BUTTON},      {637, 509, LOWER_RIGHT_BUTTON},
        {637, 533, LOWER_RIGHT_BUTTON}, {637, 557, LOWER_RIGHT_BUTTON},
    };

private:
    enum Sprite {
        KIND_BACKGROUND,
        SPRITE_VOLCANO_FRONT,
        SPRITE_VOLCANO_GLOW,
        SPRITE_VOLCANO_SMOKE,
        SPRITE_SET_NAME,
        SPRITE_LEVEL_NAME,
        SPRITE_LEVEL_STEPS,
        SPRITE_SET_STEPS,
        SPRITE_PROFILE_NAME,
        SPRITE_OVERVIEW_BOX,
        SPRITE_HELP_TEXT,
        SPRITE_HELP_ARROW,
        SPRITE_HELP_ARROW_SHADOW,
        SPRITE_LEGEND_TUTORIAL,
        SPRITE_LEGEND_REGULAR,
        SPRITE_COUNT
    };
    // What the open message box asks.
    enum Message { MESSAGE_NONE = 0, MESSAGE_RESET_FIRST = 1, MESSAGE_LOCKED = 4 };

    void LoadSprites();
    void LoadFixedSprites();
    void LoadButtons();
    void UnloadResources();
    void LoadOverview();
    void AnimateStep();
    void HandleClosedChild(int childId);
    void HandleClosedMessage();
    bool IsTutorialHintDue() const;

    // The dots, the texts and the set buttons.
    void CreateMapDots();
    void AddMapDot(const MapDotPlan& dot);
    void ShowLevelTexts();
    void LoadSetButtons(int button, int set);
    void SelectLevel(int index);
    void ChangeSet(int set);

    // Children.
    void HideWidgets();
    void OpenGame();
    void OpenMessage(int title, int body, bool yesNo);
    void OpenScoreboard();
    void OpenSetSelector();
    void OpenMessageTutorial();

    std::unique_ptr<CSprite> sprites_[SPRITE_COUNT];
    std::unique_ptr<CGuiButton> buttons_[BUTTON_COUNT];
    std::unique_ptr<CGuiButtonMapDot> dots_[MAP_DOT_LIMIT];
    std::unique_ptr<Oscillator> arrowBouncer_;
    bool spritesLoaded_ = false;
    bool setSelectorPending_ = false;
    int pendingMessage_ = MESSAGE_NONE;
    bool animateDots_ = true;
    int dotCount_ = 0;
    int shownSet_ = 0;
    int selectedLevel_ = 0;
    bool tutorialHintShown_ = false;
    int smokeCounter_ = 0;
    int smokeLimit_ = 20;
    CLevel* selectedLevelObject_ = nullptr; // belongs to its level set

    std::unique_ptr<CControllerMessage> message_;
    std::unique_ptr<CController> game_;
    std::unique_ptr<CController> scoreboard_;
    std::unique_ptr<CController> setSelector_;
    std::unique_ptr<CController> tutorialHint_;
};
