#include "LabPlay.h"

#include "LabBoard.h"

#include "engine/Draw.h"
#include "engine/ImagesCached.h"
#include "engine/Log.h"
#include "levels/Profile.h"
#include "screens/SolutionKeys.h"
#include "world/ElementAIProfessor.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

// Frames the lab waits for the professor to be ready for input again.
constexpr int READY_WAIT_LIMIT = 900;
// The tutorial markers' box pictures.
constexpr const char* TUTORIAL_BOXES[] = {"tutorial_small.png", "tutorial_big.png", "parchment_kids.png"};

// Frames a key is held for the world to take the move; a move that changes
// nothing in that time has no effect.
constexpr int TAKE_LIMIT = 8;

struct MoveWord {
    const char* word;
    int key;
};
constexpr MoveWord MOVE_WORDS[] = {
    {"L", SOLUTION_KEY_LEFT}, {"R", SOLUTION_KEY_RIGHT}, {"U", SOLUTION_KEY_UP},
    {"D", SOLUTION_KEY_DOWN}, {"A", SOLUTION_KEY_ACTION},
};

const char* wordOf(int key)
{
    for (const MoveWord& m : MOVE_WORDS)
        if (m.key == key)
            return m.word;
    return nullptr;
}

int lastKeyFrame(const CLevel& level)
{
    int last = 0;
    for (const ReplayKey& key : level.GetSolution())
        last = std::max(last, static_cast<int>(key.frame));
    return last;
}

LabResult resultOf(const CLevelRun& run)
{
    LabResult result;
    result.outcome = run.GetOutcome();
    result.frame = run.GetFrame();
    result.steps = run.GetSteps();
    return result;
}

} // namespace

bool parseMoves(const std::string& script, std::vector<LabMove>& moves, std::string& error)
{
    std::string text = script;
    std::replace(text.begin(), text.end(), ',', ' ');
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        if (word == "wait") {
            std::string count;
            if (!(in >> count) || count.find_first_not_of("0123456789") != std::string::npos || count.size() > 6 ||
                std::stoi(count) < 1) {
                error = "'wait' needs a number of frames (1 to 999999)";
                return false;
            }
            moves.push_back({0, std::stoi(count)});
            continue;
        }
        std::string upper = word;
        std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
        const MoveWord* found = nullptr;
        for (const MoveWord& m : MOVE_WORDS)
            if (upper == m.word)
                found = &m;
        if (found) {
            moves.push_back({found->key, 0});
        } else if (word.size() == 1 && word[0] >= '1' && word[0] <= '9') {
            moves.push_back({SOLUTION_KEY_POWERUP_FIRST + (word[0] - '1'), 0});
        } else {
            error = "unknown move '" + word + "' (moves are L R U D A 1..9 and 'wait N')";
            return false;
        }
    }
    return true;
}

std::string formatMoves(const std::vector<LabMove>& moves)
{
    std::string text;
    for (const LabMove& move : moves) {
        if (!text.empty())
            text += ' ';
        if (move.key == 0)
            text += "wait " + std::to_string(move.frames);
        else if (const char* word = wordOf(move.key))
            text += word;
        else
            text += std::to_string(move.key - SOLUTION_KEY_POWERUP_FIRST + 1);
    }
    return text;
}

void prepareHeadlessWorld()
{
    initLogChannels(false);
    CElement::SetImagesCached(true);
    markImagesCached();
    // A tutorial marker copies its box picture when it is built; blank
    // stand-ins do (the lab draws no text). Pictures need a video mode:
    // SDL's dummy driver gives one without a window.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) == 0)
        SDL_SetVideoMode(8, 8, 32, SDL_SWSURFACE);
    for (const char* box : TUTORIAL_BOXES)
        CDraw::createImage(8, 8, box);
}

void releaseHeadlessWorld()
{
    for (const char* box : TUTORIAL_BOXES)
        CDraw::releaseImage(box);
    SDL_Quit();
}

// Steps until the professor is ready for input; false when the level ends
// first or he never is.
bool stepUntilReady(CLevelRun& run)
{
    for (int i = 0; i < READY_WAIT_LIMIT; ++i) {
        if (run.IsOver())
            return false;
        if (run.IsProfessorReady())
            return true;
        run.Step();
    }
    return run.IsProfessorReady() && !run.IsOver();
}

// Presses the key (the professor being ready), holds it until the world has
// taken the move and queues its release. Holding it longer would start the
// next move of the same kind in the tick the first one ends. False when the
// move changed nothing.
bool takeMove(CLevelRun& run, int key, std::vector<ReplayKey>* keys)
{
    const CElementAIProfessor* professor = run.GetProfessor();
    const bool facing = professor->facingLeft;
    const int inventoryBefore = std::count_if(professor->inventory.begin(), professor->inventory.end(),
                                              [](int type) { return type != 0; });
    run.QueueKey(key, false);
    if (keys)
        keys->push_back({run.GetFrame() + 1, key, false});
    bool taken = false;
    for (int i = 0; i < TAKE_LIMIT && !taken; ++i) {
        run.Step();
        const int inventory = std::count_if(professor->inventory.begin(), professor->inventory.end(),
                                            [](int type) { return type != 0; });
        taken = run.IsOver() || !run.IsProfessorReady() || professor->facingLeft != facing ||
                inventory != inventoryBefore;
    }
    run.QueueKey(key, true);
    if (keys)
        keys->push_back({run.GetFrame() + 1, key, true});
    return taken;
}

LabResult replaySolution(CLevel& level, CProfile& profile)
{
    CLevelRun run(level, profile, true);
    const int last = lastKeyFrame(level);
    while (!run.IsOver() && run.GetFrame() < last + LAB_FRAMES_AFTER_KEYS)
        run.Step();
    LabResult result = resultOf(run);
    result.lastKeyFrame = last;
    return result;
}

bool playMoves(CLevel& level, CProfile& profile, const std::vector<LabMove>& moves, std::vector<ReplayKey>& keys,
               LabResult& result, std::string& error)
{
    CLevelRun run(level, profile, false);
    keys.clear();
    for (size_t i = 0; i < moves.size(); ++i) {
        const LabMove& move = moves[i];
        const std::string which = "move " + std::to_string(i + 1) + " (" + formatMoves({move}) + ")";
        if (move.key == 0) {
            for (int f = 0; f < move.frames && !run.IsOver(); ++f)
                run.Step();
            continue;
        }
        if (!stepUntilReady(run)) {
            error = which + ": " +
                    (run.IsOver() ? std::string("the level is already over (") + runOutcomeName(run.GetOutcome()) + ")"
                                  : "the professor is not ready for input") +
                    " at frame " + std::to_string(run.GetFrame()) + "\n" + describeRun(run);
            return false;
        }
        if (!takeMove(run, move.key, &keys)) {
            error = which + " has no effect at frame " + std::to_string(run.GetFrame()) + "\n" + describeRun(run);
            return false;
        }
    }
    const int last = keys.empty() ? 0 : keys.back().frame;
    while (!run.IsOver() && run.GetFrame() < last + LAB_FRAMES_AFTER_KEYS)
        run.Step();
    result = resultOf(run);
    result.lastKeyFrame = last;
    result.board = describeRun(run);
    return true;
}

std::string showBoard(CLevel& level, CProfile& profile, int frame)
{
    CLevelRun run(level, profile, true);
    while (run.GetFrame() < frame && !run.IsOver())
        run.Step();
    return describeRun(run);
}

std::string describeRun(const CLevelRun& run)
{
    return "frame " + std::to_string(run.GetFrame()) + ", " + runOutcomeName(run.GetOutcome()) + ", " +
           std::to_string(run.GetSteps()) + " steps\n" + drawBoard();
}
