// Playing a level on the game screen: the outcomes and what they commit,
// keys through the bindings, recording and playing back solutions, the
// in-game menu's answers and a level that cannot be played.

#include "engine/PreloadTable.h"
#include "levels/LevelSet.h"
#include "screens/ControllerInGame.h"
#include "screens/ControllerMessage.h"
#include "screens/ControllerScoreboard.h"
#include "screens/GamePlayFixture.h"
#include "world/ElementAIProfessor.h"
#include "text/TextIds.h"

#include <algorithm>
#include <cstdint>
#include <functional>

using namespace corvelle_test;

namespace {

constexpr int LIMIT = 600; // frames any of these runs needs at most

class GameOutcomeTest : public GamePlayTest
{
protected:
    CControllerGame* game() { return game_.get(); }
    bool closed() { return CController::GetCurrent() == &screen; }
    bool boardOpen() { return CController::GetCurrentId() == CONTROLLER_SCOREBOARD; }

    // Holds a key down until the end-of-level board opens.
    bool holdUntilTheBoard(int key)
    {
        keyEvent(key, true);
        return runUntil([this] { return boardOpen(); }, LIMIT);
    }
};

TEST_F(GameOutcomeTest, AUserLevelWonGivesItsBoardAndRecordsTheCompletion)
{
    CLevel level;
    floorLevel(level, 4);
    level.SetTile(EC_DEVICE_TUBE_END, 8, 20);
    ASSERT_TRUE(level.SaveAs("fixture", "Fixture"));
    open(&level, false, false, false);
    ASSERT_TRUE(holdUntilTheBoard(SDLK_RIGHT));
    EXPECT_EQ(board_->outcome, CControllerGame::OUTCOME_USER_LEVEL_WON);
    EXPECT_TRUE(board_->isUserLevel);
    UserLevelProgress record = profile_.GetUserLevelRecord("fixture");
    EXPECT_TRUE(record.completed);
    EXPECT_GT(record.best, 0);
    EXPECT_EQ(record.best, profile_.GetSteps(true));
}

TEST_F(GameOutcomeTest, ASetLevelWonCommitsItsScore)
{
    std::string error;
    ASSERT_TRUE(CLevelSet::readArchive(resourceDir() + "/" + LEVEL_ARCHIVE_NAME, error)) << error;
    CLevelSet* set = CLevelSet::getSet(LEVELSET_ADVANCED);
    CLevel* level = set->selectLevel(5);
    level->Reset();
    floorLevel(*level, 10);
    level->SetTile(EC_DEVICE_TUBE_END, 13, 20);
    profile_.SetLevelSet(LEVELSET_ADVANCED);
    profile_.SetLevel(5);
    open(set);
    ASSERT_TRUE(holdUntilTheBoard(SDLK_RIGHT));
    EXPECT_EQ(board_->outcome, CControllerGame::OUTCOME_SET_LEVEL_WON);
    EXPECT_FALSE(board_->isUserLevel);
    EXPECT_GT(profile_.GetSteps(true), 0);
    EXPECT_EQ(profile_.GetScore(LEVELSET_ADVANCED, 5, false), profile_.GetSteps(true));
    game_.reset();
    CLevelSet::freeAll();
}

TEST_F(GameOutcomeTest, ChaptersOpenWithTheirStoryAndTheLastLevelEndsWithOne)
{
    for (const std::string& name : preload::startUpNames().archived)
        if (name.rfind("story", 0) == 0)
            registerPicture(name.c_str(), 20, 20, {200, 180, 140, 255});
    std::string error;
    ASSERT_TRUE(CLevelSet::readArchive(resourceDir() + "/" + LEVEL_ARCHIVE_NAME, error)) << error;
    CLevelSet* set = CLevelSet::getSet(LEVELSET_ADVANCED);
    const int last = set->getLevelCount() - 1;
    struct Case {
        int level;
        bool storiesOn;
        bool storyFirst; // the chapter's story before the level
        bool storyAfter; // the ending after the win, then the board
    };
    const Case cases[] = {
        {0, true, true, false}, {4, true, true, false}, {0, false, false, false}, {2, true, false, false},
        {last, true, false, true}, {last, false, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level) + (c.storiesOn ? ", stories on" : ", stories off"));
        profile_.SetShowStory(c.storiesOn);
        CLevel* level = set->selectLevel(c.level);
        level->Reset();
        floorLevel(*level, 4);
        level->SetTile(EC_DEVICE_TUBE_END, 7, 20);
        profile_.SetLevelSet(LEVELSET_ADVANCED);
        profile_.SetLevel(c.level);
        open(set);
        frame(); // the story waits for the game screen's first frame
        EXPECT_EQ(CController::GetCurrentId() == CONTROLLER_STORY, c.storyFirst);
        if (c.storyFirst) {
            tap(SDLK_ESCAPE);
            ASSERT_TRUE(runUntil([] { return CController::GetCurrentId() == CONTROLLER_GAME; }, LIMIT));
        }
        keyEvent(SDLK_RIGHT, true);
        ASSERT_TRUE(runUntil([this] { return boardOpen() || CController::GetCurrentId() == CONTROLLER_STORY; },
                             LIMIT));
        EXPECT_EQ(CController::GetCurrentId() == CONTROLLER_STORY, c.storyAfter);
        if (c.storyAfter) {
            keyEvent(SDLK_RIGHT, false);
            tap(SDLK_ESCAPE);
            ASSERT_TRUE(runUntil([this] { return boardOpen(); }, LIMIT));
        }
        EXPECT_EQ(board_->outcome, CControllerGame::OUTCOME_SET_LEVEL_WON);
        game_.reset();
        CController::resetStackForTesting();
        screen.Activate(nullptr);
    }
    CLevelSet::freeAll();
}

TEST_F(GameOutcomeTest, MishapsGiveTheirBoardsAndCommitNothing)
{
    struct Case {
        const char* what;
        bool singe; // else he walks off the board's left edge
        int outcome;
    };
    const Case cases[] = {{"walked off the board", false, CControllerGame::OUTCOME_CAUGHT},
                          {"singed", true, CControllerGame::OUTCOME_SINGED}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLevel level;
        floorLevel(level, 3);
        level.SetTile(EC_DEVICE_TUBE_END, 12, 20);
        ASSERT_TRUE(level.SaveAs("mishap", "Mishap"));
        open(&level, false, false, false);
        if (c.singe) {
            frames(120);
            game()->GetProfessor()->heated = true; // as a heat shot leaves him
        } else {
            keyEvent(SDLK_LEFT, true);
        }
        ASSERT_TRUE(runUntil([this] { return boardOpen(); }, LIMIT));
        EXPECT_EQ(board_->outcome, c.outcome);
        EXPECT_FALSE(profile_.GetUserLevelRecord("mishap").completed);
    }
}

// A level without a start tube, or one whose file would not load, is
// refused with a notice that says why.
TEST_F(GameOutcomeTest, ALevelThatCannotBePlayedIsRefusedWithItsReason)
{
    CLevel whole;
    whole.SetTile(EC_TERRAIN_GRASS, 4, 21);
    whole.SetTile(EC_DEVICE_TUBE_START, 4, 20);
    auto withVersion = [&whole](unsigned char version, size_t keep) {
        std::vector<unsigned char> bytes = whole.ToBytes(0);
        bytes[3] = version; // the version lives in the ID's top byte
        bytes.resize(std::min(bytes.size(), keep));
        return bytes;
    };
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes; // empty: the level as built, without its tube
        int body;
    } cases[] = {
        {"no start tube", {}, TEXT_NO_START_TUBE_BODY},
        {"an older version", withVersion(4, SIZE_MAX), TEXT_OLDER_LEVEL_BODY},
        {"a newer version", withVersion(12, 100), TEXT_NEWER_LEVEL_BODY},
        {"damaged", withVersion(8, 100), TEXT_DAMAGED_LEVEL_BODY},
    };
    // Each level outlives the game screen that played it.
    std::vector<CLevel> levels(std::size(cases));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLevel& level = levels[static_cast<size_t>(&c - cases)];
        if (c.bytes.empty())
            level.SetTile(EC_TERRAIN_GRASS, 4, 21);
        else
            ASSERT_FALSE(level.LoadBytes("refused", c.bytes.data(), c.bytes.size()));
        open(&level, false, false, false);
        EXPECT_EQ(game()->GetProfessor(), nullptr);
        // Keys and clicks before the refusal reach nothing.
        game()->InputKey(false, SDLK_RIGHT);
        game()->InputMouseButton(false, true, false, false, false);
        frame();
        auto* notice = dynamic_cast<CControllerMessage*>(CController::GetCurrent());
        ASSERT_NE(notice, nullptr);
        EXPECT_EQ(notice->GetBodyString(), c.body);
        EXPECT_FALSE(notice->IsQuestion());
        tap(SDLK_RETURN);
        frames(2);
        EXPECT_TRUE(closed());
        EXPECT_EQ(game()->GetOutcome(), 0);
    }
}

TEST_F(GameOutcomeTest, TheBoardsAnswersRestartReplayOrUndoTheFall)
{
    CLevel level;
    floorLevel(level, 4);
    level.SetTile(EC_DEVICE_TUBE_END, 12, 20);
    level.AddReplayKey(60, CControllerGame::RECORDED_RIGHT, false);
    open(&level, false, false, false);
    frames(60);
    const int startX = game()->GetProfessor()->x;

    // Off the left edge, then the undo answer: the step before the fall.
    ASSERT_TRUE(holdUntilTheBoard(SDLK_LEFT));
    keyEvent(SDLK_LEFT, false);
    EXPECT_EQ(board_->outcome, CControllerGame::OUTCOME_CAUGHT);
    board_->Answer(CControllerScoreboard::ANSWER_UNDO);
    frames(3);
    ASSERT_EQ(CController::GetCurrent(), game());
    EXPECT_FALSE(CElement::IsLevelExited());
    EXPECT_FALSE(CElement::IsProfessorFallen());
    EXPECT_EQ(game()->GetProfessor()->y, 20);
    EXPECT_GE(game()->GetProfessor()->x, 2);

    // Off again, then try again: the level from its start.
    ASSERT_TRUE(holdUntilTheBoard(SDLK_LEFT));
    keyEvent(SDLK_LEFT, false);
    board_->Answer(CControllerScoreboard::ANSWER_RETRY);
    frames(3);
    ASSERT_EQ(CController::GetCurrent(), game());
    EXPECT_EQ(game()->GetProfessor()->x, startX);
    EXPECT_EQ(profile_.GetSteps(true), 0);
    EXPECT_FALSE(game()->IsPlayingBack());

    // Off again, then the solution: played back from its start.
    ASSERT_TRUE(holdUntilTheBoard(SDLK_LEFT));
    keyEvent(SDLK_LEFT, false);
    board_->Answer(CControllerScoreboard::ANSWER_SOLUTION);
    frames(3);
    EXPECT_TRUE(game()->IsPlayingBack());
    EXPECT_EQ(level.GetReplayKey().frame, 60);
}

TEST_F(GameOutcomeTest, TheBoardsExitCodesCloseTheGameAndItsOpener)
{
    for (int exitCode : {2, 3}) {
        SCOPED_TRACE(exitCode);
        CController::resetStackForTesting();
        screen.Activate(nullptr);
        CLevel level;
        floorLevel(level, 4);
        open(&level, false, false, false);
        ASSERT_TRUE(holdUntilTheBoard(SDLK_LEFT));
        board_->Answer(0, exitCode);
        frames(4);
        // 2 leaves the opener current, 3 closes it as well (here: the root).
        EXPECT_EQ(CController::GetCurrent(), &screen);
        EXPECT_EQ(CController::IsRunning(), exitCode == 2);
    }
}

// ---- Solutions.

class SolutionTest : public GameOutcomeTest
{
protected:
    void SetUp() override
    {
        GameOutcomeTest::SetUp();
        // Walk left to the exit, turning round once on the way.
        floorLevel(level_, 12);
        level_.SetTile(EC_DEVICE_TUBE_END, 6, 20);
    }

    // An editor run that records the player turning right, walking left a
    // while, pausing, and walking left again until the level is left; the
    // level frame it ended in.
    int recordRun(int leftKey)
    {
        open(&level_, true, false, true);
        frames(3);
        tap(SDLK_RIGHT);
        keyEvent(leftKey, true);
        frames(30);
        keyEvent(leftKey, false);
        frames(10);
        keyEvent(leftKey, true);
        int ended = runToEnd();
        keyEvent(leftKey, false);
        return ended;
    }

    // The level frame in which the level ended (the editor's run closed or
    // the board opened); -1 when it did not.
    int runToEnd()
    {
        for (int i = 0; i < LIMIT; ++i) {
            int levelFrame = game()->GetLevelFrame();
            frame();
            if (closed() || boardOpen())
                return levelFrame;
        }
        return -1;
    }

    int professorX() { return game()->GetProfessor()->x; }

    CLevel level_;
};

TEST_F(SolutionTest, ARecordedSolutionPlaysBackToTheSameFrame)
{
    const int recordedEnd = recordRun(SDLK_LEFT);
    ASSERT_GT(recordedEnd, 0);
    EXPECT_TRUE(level_.IsSolutionRecorded());
    const int steps = profile_.GetSteps(true);

    open(&level_, false, true, true);
    EXPECT_EQ(runToEnd(), recordedEnd);
    EXPECT_EQ(profile_.GetSteps(true), steps);
    EXPECT_TRUE(CElement::IsProfessorLeaving());
}

// A recording started over with the restart key begins afresh: the level
// rebuilt then waits as long before its first step as a level just opened,
// so the solution replays to the same frame from a fresh start.
TEST_F(SolutionTest, ARecordingRestartedByItsKeyPlaysBackToTheSameFrame)
{
    open(&level_, true, false, true);
    frames(3);
    keyEvent(SDLK_RIGHT, true);
    frames(20);
    keyEvent(SDLK_RIGHT, false);
    frames(5);
    tap(profile_.GetKey(CProfile::KEY_RESTART));
    ASSERT_TRUE(level_.GetSolution().empty());
    frames(2);
    keyEvent(SDLK_LEFT, true);
    const int recordedEnd = runToEnd();
    keyEvent(SDLK_LEFT, false);
    ASSERT_GT(recordedEnd, 0);
    ASSERT_TRUE(level_.IsSolutionRecorded());

    open(&level_, false, true, true);
    EXPECT_EQ(runToEnd(), recordedEnd);
    EXPECT_TRUE(CElement::IsProfessorLeaving());
}

TEST_F(SolutionTest, ARebindingStillRecordsTheFixedCodesAndPlaysThemBack)
{
    profile_.SetKey(CProfile::KEY_LEFT, SDLK_a);
    const int recordedEnd = recordRun(SDLK_a);
    ASSERT_GT(recordedEnd, 0);
    bool left = false;
    for (const ReplayKey& key : level_.GetSolution()) {
        EXPECT_NE(key.key, SDLK_a);
        left = left || key.key == CControllerGame::RECORDED_LEFT;
    }
    EXPECT_TRUE(left);

    open(&level_, false, true, true);
    EXPECT_EQ(runToEnd(), recordedEnd);
    EXPECT_TRUE(CElement::IsProfessorLeaving());
}

TEST_F(SolutionTest, RecordsOfOneFrameAreAllFedInIt)
{
    level_.ClearSolution();
    // Once he is out of the tube: he walks left only when every record of
    // the frame was fed.
    level_.AddReplayKey(70, CControllerGame::RECORDED_RIGHT, false);
    level_.AddReplayKey(70, CControllerGame::RECORDED_RIGHT, true);
    level_.AddReplayKey(70, CControllerGame::RECORDED_LEFT, false);
    level_.AddReplayKey(120, CControllerGame::RECORDED_LEFT, true);
    open(&level_, false, true, true);
    frames(2);
    const int startX = professorX();
    runUntil([this] { return game()->GetLevelFrame() > 70; }, LIMIT);
    EXPECT_EQ(level_.GetReplayKey().frame, 120);
    frames(40);
    EXPECT_LT(professorX(), startX);
}

TEST_F(SolutionTest, AKeyDuringPlaybackOpensTheMenuAndResumeHandsControlBack)
{
    recordRun(SDLK_LEFT);
    open(&level_, false, true, false);
    frames(40);
    ASSERT_TRUE(game()->IsPlayingBack());
    tap(SDLK_SPACE);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_IN_GAME);
    tap(SDLK_ESCAPE); // resume
    frame();
    ASSERT_EQ(CController::GetCurrent(), game());
    EXPECT_FALSE(game()->IsPlayingBack());
    const int x = professorX();
    keyEvent(SDLK_RIGHT, true);
    frames(80);
    keyEvent(SDLK_RIGHT, false);
    frame();
    EXPECT_GT(professorX(), x);
}

// A shown solution's win is the level's completion like any other: the
// result board compares its steps with the best before it.
TEST_F(SolutionTest, TheMenusSolutionAnswerReplaysFromTheFirstFrameAndCountsItsWin)
{
    const int recordedEnd = recordRun(SDLK_LEFT);
    ASSERT_TRUE(level_.SaveAs("replayed", "Replayed"));
    open(&level_, false, false, false);
    frames(5);
    tap(SDLK_ESCAPE);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_IN_GAME);
    game()->GetInGameMenu()->GUICallback(CControllerInGame::BUTTON_SOLUTION, 0, false);
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    CController::GetCurrent()->GUICallback(1, 0, false); // yes
    frames(3);
    ASSERT_EQ(CController::GetCurrent(), game());
    EXPECT_TRUE(game()->IsPlayingBack());
    EXPECT_EQ(runToEnd(), recordedEnd);
    ASSERT_TRUE(boardOpen());
    EXPECT_EQ(board_->outcome, CControllerGame::OUTCOME_USER_LEVEL_WON);
    EXPECT_TRUE(profile_.GetUserLevelRecord("replayed").completed);
    EXPECT_GT(profile_.GetUserLevelRecord("replayed").best, 0);
}

TEST_F(SolutionTest, AnEditorRunEndsOnEscapeTheMenuButtonOrInputDuringPlayback)
{
    struct Case {
        const char* what;
        bool playingBack;
        std::function<void(CControllerGame&)> act;
    };
    const Case cases[] = {
        {"escape in a test run", false, [](CControllerGame&) { tap(SDLK_ESCAPE); }},
        {"the menu button", false, [](CControllerGame& game) { game.GUICallback(100, 0, false); }},
        {"a key during playback", true, [](CControllerGame&) { tap(SDLK_x); }},
        {"a click during playback", true,
         [](CControllerGame& game) { game.InputMouseButton(false, false, true, false, false); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        level_.ClearSolution();
        level_.AddReplayKey(500, CControllerGame::RECORDED_RIGHT, false);
        open(&level_, false, c.playingBack, true);
        frames(5);
        ASSERT_EQ(game()->IsPlayingBack(), c.playingBack);
        c.act(*game());
        frames(2);
        EXPECT_TRUE(closed());
        EXPECT_EQ(CController::GetCurrentId(), screen.GetID());
    }
}

TEST_F(SolutionTest, WhileRecordingNeitherUndoNorClicksEnterTheSolution)
{
    open(&level_, true, false, true);
    frames(3);
    keyEvent(SDLK_LEFT, true);
    frames(20);
    keyEvent(SDLK_LEFT, false);
    frames(20);
    const int x = professorX();
    tap(SDLK_u);
    pointAt(24 * 20, 21 * 24);
    game()->InputMouseButton(false, true, false, false, false);
    game()->InputMouseButton(true, true, false, false, false);
    frames(20);
    EXPECT_EQ(professorX(), x);
    for (const ReplayKey& key : level_.GetSolution())
        EXPECT_EQ(key.key, CControllerGame::RECORDED_LEFT);
}

} // namespace
