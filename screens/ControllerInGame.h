#pragma once

#include "screens/Controller.h"
#include "screens/WidgetPlace.h"

#include <array>
#include <memory>

class CControllerInstructions;
class CControllerMessage;
class CControllerOptions;
class CControllerPassword;
class CControllerScoreboard;
class CGuiButton;
class CLevel;
class CSprite;

// The pause menu over a running level. It answers the game screen through
// its return value (InGameAnswer) when it closes with exit code 1, or closes
// the game screen as well (2: back to the map or level manager, 3: back to
// the main menu), or ends the program (EXIT_QUIT, after a confirmed quit).
class CControllerInGame : public CController
{
public:
    // Which buttons the menu offers.
    enum Variant {
        VARIANT_SET_LEVEL = 0, // a level of a built-in set
        VARIANT_TUTORIAL = 1,  // a tutorial level of a set: no high scores
        VARIANT_NO_SET = 2,    // level manager or editor: the manager instead of the map
    };
    // What the game screen is to do.
    enum InGameAnswer { ANSWER_RESUME = 0, ANSWER_RESTART = 1, ANSWER_SOLUTION = 2, ANSWER_UNDO = 3 };
    // The buttons by callback index.
    enum Button {
        BUTTON_RESUME,
        BUTTON_RESTART,
        BUTTON_UNDO,
        BUTTON_SOLUTION,
        BUTTON_INSTRUCTIONS,
        BUTTON_SETTINGS,
        BUTTON_SCORES,
        BUTTON_MAP,
        BUTTON_MANAGER,
        BUTTON_MAIN_MENU,
        BUTTON_QUIT,
        BUTTON_COUNT
    };

    // level titles the menu; it is not owned.
    CControllerInGame(int variant, CLevel* level);
    ~CControllerInGame() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // Whether the variant has that button.
    static constexpr bool HasButton(int variant, int button)
    {
        switch (button) {
        case BUTTON_SCORES: return variant == VARIANT_SET_LEVEL;
        case BUTTON_MAP: return variant != VARIANT_NO_SET;
        case BUTTON_MANAGER: return variant == VARIANT_NO_SET;
        default: return button >= 0 && button < BUTTON_COUNT;
        }
    }
    // The variant's buttons stand in one column, in the order of Button,
    // with no gap where a button is left out.
    static constexpr WidgetPlace ButtonPlace(int variant, int button)
    {
        int row = 0;
        for (int before = 0; before < button; ++before)
            row += HasButton(variant, before) ? 1 : 0;
        return {307, 175 + 30 * row, STRIP_BUTTON};
    }

private:
    // What a yes of the open message box means; the notice that there is
    // no solution asks nothing and sends the player back to the level.
    enum Question { QUESTION_NONE, QUESTION_SOLUTION, QUESTION_QUIT, NOTICE_NO_SOLUTION };

    void loadSprites();
    // Hides the dimmer and shows the screen below at once, then releases.
    void unloadSprites();
    // The dimmer, the panel and the buttons go, and the panel's picture.
    void releaseSprites();
    void openMessage(Question question, int titleString, int bodyString);
    void onChildClosed(int childId);
    void solutionAgreed();
    void unloadAndLog(const char* displayName);

    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> panel_;
    std::array<std::unique_ptr<CGuiButton>, BUTTON_COUNT> buttons_;
    std::unique_ptr<CControllerMessage> message_;
    std::unique_ptr<CControllerScoreboard> scores_;
    std::unique_ptr<CControllerOptions> options_;
    std::unique_ptr<CControllerPassword> password_;
    std::unique_ptr<CControllerInstructions> instructions_;
    bool loaded_ = false;
    int variant_;
    CLevel* level_;
    Question pending_ = QUESTION_NONE;
};
