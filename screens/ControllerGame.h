#pragma once

#include "screens/Controller.h"
#include "screens/WidgetPlace.h"
#include "screens/SolutionKeys.h"

#include <cstdint>
#include <functional>
#include <memory>

class CBackground;
class CControllerInGame;
class CControllerMessage;
class CControllerStory;
class CElement;
class CElementAIProfessor;
class CGuiButton;
class CGuiCounter;
class CLevel;
class CLevelSet;
class CSprite;

// The screen on which one level is played. It turns the level into the live
// world (LoadLevel) and runs it: player keys reach the professor through the
// profile's key bindings, a solution is recorded or played back frame by
// frame, and when the level is left the outcome leads to the end-of-level
// screen, the story or back to the editor. The world itself is
// program-wide, so only one game screen may exist at a time.
//
// The level belongs to its set, the level manager or the editor: the screen
// reads it, records into its solution and moves its replay cursor, and never
// frees it.
class CControllerGame : public CController
{
public:
    // The end-of-level boards the game screen asks for when a level is left.
    enum Outcome {
        OUTCOME_STORY = -1,        // the story of the set's end comes first
        OUTCOME_SINGED = 3,
        OUTCOME_CAUGHT = 4,        // also fallen, or the exit tube destroyed
        OUTCOME_SET_LEVEL_WON = 5,
        OUTCOME_USER_LEVEL_WON = 7,
    };

    // The button that opens the in-game menu, top right (ingame_menubutton.tga).
    static constexpr WidgetPlace MENU_BUTTON{742, 9, {52, 30}};

    // Solutions hold these codes, whatever keys the player bound.
    static constexpr int RECORDED_UP = SOLUTION_KEY_UP, RECORDED_DOWN = SOLUTION_KEY_DOWN;
    static constexpr int RECORDED_RIGHT = SOLUTION_KEY_RIGHT, RECORDED_LEFT = SOLUTION_KEY_LEFT;
    static constexpr int RECORDED_ACTION = SOLUTION_KEY_ACTION, RECORDED_FIRST_POWERUP = SOLUTION_KEY_POWERUP_FIRST;

    // Plays the set's current level.
    explicit CControllerGame(CLevelSet* set);
    // Plays a level outside the sets: the level manager passes every flag
    // off; the editor passes editorRun with recording (record a solution),
    // playingBack (show the recorded one) or neither (a test run).
    CControllerGame(CLevel* level, bool recording, bool playingBack, bool editorRun);
    ~CControllerGame() override;

    void GUICallback(int index, int value, bool dclick) override;
    void InputKey(bool released, int key) override;
    void InputMouseMotion(int x, int y) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void Pump() override;

    // (Re)builds the world from the level.
    void LoadLevel(CLevel* level);
    // One key of the player (through the bindings) or of a solution being
    // played back (the recorded codes).
    void HandleKey(bool released, int key);
    // The level from its start: the world rebuilt, the step count at 0.
    void Restart();
    // Before every child screen: sounds and keys let go, the game picture
    // kept behind the child.
    void SuspendForChild();
    void OpenInGameMenu();
    // Opens the story when the level begins (or, after winning the set's
    // last level, ends) a chapter and the player wants stories.
    bool OpenStory();

    // The level was left: the board to show (see Outcome), after the
    // profile took the win, a shown solution's as well as the player's own.
    int ResolveOutcome();
    // The in-game menu's and the end-of-level screen's answers.
    void ApplyInGameAnswer(int answer);
    void ApplyEndOfLevelAnswer(int answer);

    // ---- World building, usable without a window: every element
    // registers itself in the world, so these keep no list.
    // The world emptied for the level: reset, the solution cleared when
    // recording or rewound when playing back, teleport colours free again.
    static void PrepareWorld(CLevel& level, bool recording, bool playingBack);
    // Ladders, tiles and teleports of the level, on a world just reset.
    static void BuildElements(CLevel& level);
    // The element a level code stands for at (x, y), frozen or heated as the
    // cell's modifier says; null for codes that build nothing. Grass and sand
    // take the width of their run.
    static CElement* createElement(CLevel& level, int code, int x, int y, int width, int height);
    // One vertical ladder run from its top cell.
    static void createLadder(const CLevel& level, int x, int y, int height);

    CElementAIProfessor* GetProfessor() const { return professor_; }
    int GetLevelIndex() const { return levelIndex_; }
    int GetSetIndex() const { return setIndex_; }
    bool IsRecording() const { return recording_; }
    bool IsPlayingBack() const { return playingBack_; }
    bool IsEditorRun() const { return editorRun_; }
    // The level's frame now: 1 at its first normal frame.
    int32_t GetLevelFrame() const;
    CControllerInGame* GetInGameMenu() const { return inGameMenu_.get(); }
    CController* GetEndOfLevel() const { return endOfLevel_.get(); }

    // Makes the end-of-level screen for an outcome; tests put a stand-in
    // in place of the real board (an empty function restores it).
    using EndOfLevelMaker = std::function<std::unique_ptr<CController>(int outcome, bool isUserLevel)>;
    static void setEndOfLevelMakerForTesting(EndOfLevelMaker maker);
    // The board asked for when the level was last left; 0 before that.
    int GetOutcome() const { return outcome_; }

private:
    void Init(CLevelSet* set, CLevel* level, bool recording, bool playingBack, bool editorRun);
    void onChildClosed(int childId);
    bool settled() const;
    void refuseLevel();
    void playFrame();
    void feedReplay();
    void record(int code, bool released);
    // A key nobody bound, the menu button, or any input during playback.
    void leaveOrOpenMenu();
    void openEndOfLevel(int outcome);
    int resolveFailure() const;
    void releaseProfessorKeys();
    void applyPlaySpeed();

    std::unique_ptr<CSprite> replayMarker_;
    std::unique_ptr<CGuiButton> menuButton_;
    std::unique_ptr<CBackground> background_;
    CElementAIProfessor* professor_ = nullptr; // one of the world's elements
    std::unique_ptr<CGuiCounter> stepCounter_;
    CLevelSet* levelSet_ = nullptr;
    CLevel* level_ = nullptr;
    std::unique_ptr<CControllerInGame> inGameMenu_;
    std::unique_ptr<CController> endOfLevel_;
    std::unique_ptr<CControllerMessage> message_;
    std::unique_ptr<CControllerStory> story_;
    bool storyPending_ = false;
    bool recording_ = false;
    bool playingBack_ = false;
    bool editorRun_ = false;
    bool startFramePending_ = true;
    // Pumps begun since the world was last built: the first world step
    // waits until SOLUTION_FRAMES_BEFORE_FIRST_STEP frames have ended, the
    // same for a level opened, restarted from a child or by the restart key.
    int pumpsSinceBuild_ = 0;
    // The first pump after the screen opened acts as a child's return.
    bool firstPump_ = true;
    int32_t startFrame_ = 0;
    int32_t eventFrame_ = 0;
    int32_t levelIndex_ = -1;
    int32_t setIndex_ = -1;
    int32_t blinkCounter_ = 0;
    int outcome_ = 0;
};
