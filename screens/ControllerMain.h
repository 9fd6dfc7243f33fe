#pragma once

#include "levels/ProfileBase.h"
#include "screens/Controller.h"
#include "screens/WidgetPlace.h"

#include <deque>
#include <functional>
#include <memory>

class CGuiButton;
class CSprite;
class LinearMover;

// The main menu, opened by the intro for the rest of the run: the island
// with the professor idling by his volcano, drifting clouds, the player's
// welcome plate and the menu buttons. Every other screen is opened from
// here, directly or through a chain. Exit and Alt+Q end the program.
class CControllerMain : public CController
{
public:
    // Callback indices of the buttons.
    enum Button {
        BUTTON_PLAY = 0,
        BUTTON_LEVEL_MANAGER = 1,
        BUTTON_LEVEL_EDITOR = 2,
        BUTTON_HIGH_SCORES = 3,
        BUTTON_INSTRUCTIONS = 4,
        BUTTON_SETTINGS = 5,
        BUTTON_CREDITS = 6,
        BUTTON_MORE_GAMES = 7,
        BUTTON_EXIT = 8,
        BUTTON_CHANGE_PROFILE = 9,
    };
    static constexpr int BUTTON_SLOTS = 10;

    // The menu's buttons stand in a column of slots, slot n holding the
    // button of index n; without more games, Exit takes More Games' slot.
    static constexpr WidgetSize MENU_BUTTON{214, 50}; // mainmenu_buttonbase.png
    static constexpr WidgetPlace SlotPlace(int slot) { return {580, 9 + 53 * slot, MENU_BUTTON}; }
    // On the welcome plate, below the greeting.
    static constexpr WidgetPlace CHANGE_PROFILE{51, 41, {150, 28}}; // profile_button_changebase.png

    CControllerMain();
    ~CControllerMain() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // The more-games button is offered only when the parameters switch it
    // on and give a web address to open.
    static bool OffersMoreGames();

private:
    enum Scene {
        SCENE_BACKGROUND,
        SCENE_VOLCANO_FRONT,
        SCENE_VOLCANO_GLOW,
        SCENE_VOLCANO_SMOKE,
        SCENE_LEAVES,
        SCENE_PROF_BODY,
        SCENE_HEAD_IN,
        SCENE_HEAD_OUT,
        SCENE_HEAD_TURN,
        SCENE_HEAD_TURN_BACK,
        SCENE_HEAD_EXTRA_TURN,
        SCENE_LEFT_ARM_UP,
        SCENE_LEFT_ARM_DOWN,
        SCENE_RIGHT_ARM_UP,
        SCENE_RIGHT_ARM_DOWN,
        SCENE_COUNT
    };
    static constexpr int CLOUD_COUNT = 12;

    void LoadSprites();
    void UnloadSprites();
    void LoadButtons();
    void UpdateProfileOverlay();
    void AnimateProfessor();
    void AnimateClouds();
    void ShowButtons(bool shown);
    // A child drawn over the menu's picture, and one that takes the whole
    // screen (the menu frees its sprites meanwhile). The child is made only
    // once the menu has stepped back, so that its sprites are not taken for
    // the menu's.
    using MakeChild = std::function<std::unique_ptr<CController>()>;
    void OpenOverlay(const MakeChild& make, const char* displayName);
    void OpenFullScreen(const MakeChild& make, const char* displayName);
    // Back from a child: the menu's picture and buttons return and the
    // child is deleted. (The map may ask for the level manager on closing;
    // the manager adds that switch here when it joins the game.)
    // Deletes the closed child; the screen the map or the level manager
    // asked for next (CONTROLLER_MANAGER, CONTROLLER_MAP), else 0.
    int HandleClosedChild(int closedId);
    // Damaged player data is told of once, here, in a notice for each
    // damaged file, one after the other.
    void TellOfDamage();

    CSprite& scene(Scene which) { return *scene_[which]; }

    std::unique_ptr<CSprite> scene_[SCENE_COUNT];
    std::unique_ptr<CSprite> profilePlate_;
    std::unique_ptr<CSprite> clouds_[CLOUD_COUNT];
    // Menu buttons in focus order, then the change-profile button; empty
    // slots are null.
    std::unique_ptr<CGuiButton> buttons_[BUTTON_SLOTS];
    std::unique_ptr<LinearMover> cloudMovers_[CLOUD_COUNT];
    int gestureMode_ = 0;
    int idleCounter_ = 0;
    int headInTimer_ = 0, headTurnTimer_ = 0, headBackTimer_ = 0, smokeTimer_ = 0;
    int idleTarget_ = 20;
    int headInHold_ = 0, headTurnHold_ = 0, headBackHold_ = 0;
    int smokePause_ = 20;
    // The one screen opened from the menu, while it is open.
    std::unique_ptr<CController> child_;
    std::deque<CProfileBase::DamageNote> damageNotes_;
    bool damageNoticeOpen_ = false;
    bool spritesLoaded_ = false;
    bool firstPumpDone_ = false;
};
