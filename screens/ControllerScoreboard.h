#pragma once

#include "screens/Controller.h"
#include "screens/WidgetPlace.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CControllerTextEntryBase;
class CGuiButton;
class CSprite;
class Oscillator;
class SoundObject;
struct ScoreTable;

// One screen with eight uses, chosen by the board type: the high-score
// tables (opened from the main menu, the map and the in-game menu) and the
// result of a level (failed, or completed for a built-in or a user level).
// It shows the board as one composed picture over a dimmed copy of the
// screen below, a column of buttons that depends on the type, and runs the
// exchanges with the score server: uploads of the player's best scores,
// downloads of tables, and the player's online name through the name entry.
//
// The game screen reads the return value after the close: RETRY, SOLUTION
// or UNDO. Exit code 2 closes the game screen too, 3 also the screen that
// opened the game.
class CControllerScoreboard : public CController
{
public:
    enum BoardType : uint32_t {
        BOARD_OVERALL = 0,       // main menu: overall tables of the sets
        BOARD_MAP = 1,           // map: the current level's table
        BOARD_IN_GAME = 2,       // in-game menu: the current level's table
        BOARD_SINGED = 3,        // result: the professor was singed
        BOARD_CAUGHT = 4,        // result: caught, fallen or exit tube destroyed
        BOARD_COMPLETED = 5,     // result: a level of a built-in set completed
        BOARD_SUBMITTED = 6,     // type 5 after its score went to the server
        BOARD_USER_COMPLETED = 7 // result: a user level completed
    };
    // Return values for the game screen.
    enum Answer { ANSWER_RETRY = 1, ANSWER_SOLUTION = 3, ANSWER_UNDO = 14 };

    // Download or submit, in the middle of the board (hiscores_button_{download,submit}base.png).
    static constexpr WidgetPlace EXCHANGE{319, 255, {162, 48}};
    // The overall tables' set buttons (hiscores_button_<set>base.png).
    static constexpr WidgetPlace SET_REGULAR{279, 453, {90, 40}};
    static constexpr WidgetPlace SET_ADVANCED{374, 453, {110, 40}};
    static constexpr WidgetPlace SET_KIDS{489, 453, {76, 40}};
    // The column of strip buttons at the foot of the board, 30 apart and
    // filled from the bottom: the board's way out (main menu, map or back)
    // always last.
    static constexpr WidgetPlace CLOSE{307, 505, STRIP_BUTTON};
    // After a mishap: retry, undo, the solution, how to play, choose a level.
    static constexpr WidgetPlace MISHAP_RETRY{307, 355, STRIP_BUTTON};
    static constexpr WidgetPlace MISHAP_UNDO{307, 385, STRIP_BUTTON};
    static constexpr WidgetPlace MISHAP_SOLUTION{307, 415, STRIP_BUTTON};
    static constexpr WidgetPlace MISHAP_INSTRUCTIONS{307, 445, STRIP_BUTTON};
    static constexpr WidgetPlace MISHAP_CHOOSE_LEVEL{307, 475, STRIP_BUTTON};
    // After a win: continue (unless it was the set's last level), retry.
    static constexpr WidgetPlace WIN_CONTINUE{307, 445, STRIP_BUTTON};
    static constexpr WidgetPlace WIN_RETRY{307, 475, STRIP_BUTTON};

    CControllerScoreboard(uint32_t type, bool isUserLevel);
    ~CControllerScoreboard() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // The result of a level without a recorded solution answers its
    // Solution button with a notice instead (set by the game screen).
    void SetSolutionAvailable(bool available) { solutionAvailable_ = available; }

    uint32_t GetBoardType() const { return type_; }
    int GetShownSet() const { return set_; }
    // Checks once per run that the texts of the board and its dialogs take
    // the arguments the code passes (slips go to the error log).
    static bool CheckTexts();
    // "1st of 7", "12th of 40", ...: the player's place beyond the top ten.
    static std::string RankText(int rank, int total);

    // Widget callback indexes.
    enum Callback {
        CALL_RETRY = 1,
        CALL_CLOSE_GAME = 2,
        CALL_SOLUTION = 3,
        CALL_INSTRUCTIONS = 4,
        CALL_CLOSE = 5,
        CALL_LEVEL_EXCHANGE = 6,
        CALL_OVERALL_EXCHANGE = 7,
        CALL_SUBMIT = 8,
        CALL_SET_REGULAR = 9,
        CALL_SET_ADVANCED = 10,
        CALL_SET_KIDS = 11,
        CALL_UNDO = 14,
    };

private:
    bool IsTable() const { return type_ <= BOARD_IN_GAME; }
    void LoadSprites();
    void UnloadSprites();
    void MakeButtons();
    CGuiButton* AddLabelButton(int slot, int index, const WidgetPlace& place, const char* label, bool isDefault);
    CGuiButton* AddImageButton(int slot, int index, const WidgetPlace& place, const char* prefix,
                               const char* rollover);

    // The board picture.
    void DrawBoard();
    void DrawResult(int image);
    void DrawTable(int image, const ScoreTable& table);
    void DrawRankText(int image, const ScoreTable& table);
    void PlaceArrows(int y);
    void SetSubmitShown(bool shown);

    // The exchanges with the score server.
    void LevelExchange();
    void OverallExchange();
    void Submit();
    void NameEntryClosed();

    // Children.
    // keepPicture: the board stays as a still picture behind a child that
    // draws only a panel of its own (the message box).
    void PrepareForChild(const char* displayName, bool keepPicture);
    void OpenScoreboardName(const char* text, bool invalid);
    void OpenMessage(int title, int body, bool question);
    void OpenPassword(const char* expected);
    void OpenInstructions();

    static constexpr int SLOT_COUNT = 6;

    uint32_t type_;
    bool isUserLevel_;
    bool spritesLoaded_ = false;
    bool solutionAvailable_ = true;
    int set_;
    int level_;
    int pick_;
    // The overall tables the board shows, one per set: taken when the
    // screen opens and again only after an overall exchange in which every
    // download succeeded, so a failed exchange leaves the board as it was.
    std::vector<ScoreTable> overallShown_;
    std::unique_ptr<CSprite> dimmer_;
    std::unique_ptr<CSprite> background_;
    std::unique_ptr<CSprite> arrow1_;
    std::unique_ptr<CSprite> arrow2_;
    std::unique_ptr<CSprite> still_;
    // Slot 1 (index 0) holds the download or submit button that the board
    // picture shows or hides.
    std::array<std::unique_ptr<CGuiButton>, SLOT_COUNT> widgets_;
    std::unique_ptr<Oscillator> oscillator_;
    std::unique_ptr<SoundObject> victorySound_;
    std::unique_ptr<CControllerTextEntryBase> nameEntry_;
    std::unique_ptr<CControllerTextEntryBase> password_;
    std::unique_ptr<CController> message_;
    std::unique_ptr<CController> instructions_;
};
