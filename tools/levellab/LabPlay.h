#pragma once

#include "levels/Level.h"
#include "screens/LevelRun.h"

#include <string>
#include <vector>

class CProfile;

// One move of a move script: a key (a solution key code) or a wait.
struct LabMove {
    int key = 0;    // 0 for a wait
    int frames = 0; // the wait's frames
};

// "L R U D A 1..9 wait N", separated by spaces or commas. False with the
// reason on a word that is none of them.
bool parseMoves(const std::string& script, std::vector<LabMove>& moves, std::string& error);
std::string formatMoves(const std::vector<LabMove>& moves);

// How a run of a level ended.
struct LabResult {
    RunOutcome outcome = RunOutcome::Running;
    int frame = 0; // the frame the run ended or stopped at
    int steps = 0;
    int lastKeyFrame = 0; // the solution's last record
    std::string board;    // where the run stopped (playMoves only), as describeRun draws it
};

// Frames a run goes on after the last key before it counts as still running.
constexpr int LAB_FRAMES_AFTER_KEYS = 1800;

// The game's own environment for a level run without a window: element
// pictures looked up, never loaded; logs off. Once per program.
void prepareHeadlessWorld();
// Gives back what prepareHeadlessWorld took.
void releaseHeadlessWorld();

// Replays the level's recorded solution from the start.
LabResult replaySolution(CLevel& level, CProfile& profile);

// Plays a move script from the start, each key pressed when the professor is
// ready for input and released once the world has taken the move. The key
// records made go to `keys`; the run goes on after the last move until the
// level ends. False (with the reason and the board) when a move finds the
// level already over, the professor never ready or changes nothing.
bool playMoves(CLevel& level, CProfile& profile, const std::vector<LabMove>& moves, std::vector<ReplayKey>& keys,
               LabResult& result, std::string& error);

// Steps until the professor is ready for input; false when the level ends
// first or he never is.
bool stepUntilReady(CLevelRun& run);

// Presses the key (the professor being ready), holds it until the world has
// taken the move and queues its release; the key records go to `keys` when
// given. False when the move changed nothing.
bool takeMove(CLevelRun& run, int key, std::vector<ReplayKey>* keys);

// The board at a frame of the level's recorded solution, as describeRun
// draws it.
std::string showBoard(CLevel& level, CProfile& profile, int frame);
// The run's frame, outcome and steps on a line, then its board (LabBoard.h).
std::string describeRun(const CLevelRun& run);
