#pragma once

#include "screens/SolutionKeys.h"
#include "world/WorldSnapshot.h"

#include <cstdint>
#include <string>
#include <vector>

class CElementAIProfessor;
class CLevel;
class CProfile;

// How a level run stands.
enum class RunOutcome {
    Running,
    Exited,        // the professor left through the exit tube
    Caught,        // a bot caught him
    Singed,        // heat got him
    Fallen,        // he fell off the board
    ExitDestroyed, // the exit tube broke
};
const char* runOutcomeName(RunOutcome outcome);

// One level played headless, frame by frame, without a window or sound: the
// world built by the game screen's own factory in its construction order,
// the recorded solution fed through the game screen's playback at the same
// point of the frame (after input, before the world step), and the sprites'
// animations advanced as the renderer advances them at the end of a frame.
// The world is program-wide, so one run exists at a time.
class CLevelRun
{
public:
    // Frames the game's sprites animate between the building of a level and
    // its first world step, as on the game screen.
    static constexpr int FRAMES_BEFORE_FIRST_STEP = SOLUTION_FRAMES_BEFORE_FIRST_STEP;

    // Builds the level; with replay, its solution plays from the first frame.
    // The profile counts the steps and is the world's profile for the run.
    CLevelRun(CLevel& level, CProfile& profile, bool replay);
    ~CLevelRun();
    CLevelRun(const CLevelRun&) = delete;
    CLevelRun& operator=(const CLevelRun&) = delete;

    // A key event of a solution code (SolutionKeys.h) for the next frame,
    // after the solution's own records of that frame.
    void QueueKey(int key, bool released);
    // One frame: due solution records, queued keys, the world step, the
    // sprites' animation.
    void Step();

    // Frames stepped so far (the frame of the last step).
    int GetFrame() const { return frame_; }
    RunOutcome GetOutcome() const;
    bool IsOver() const { return GetOutcome() != RunOutcome::Running; }
    int GetSteps() const;
    // Still feeding the recorded solution.
    bool IsReplaying() const { return replaying_; }
    CElementAIProfessor* GetProfessor() const;
    // The professor stands still, free to act on the next key: the decision
    // points of a solution.
    bool IsProfessorReady() const;

    // The whole run: the world, the frame, the replay cursor, queued keys.
    struct Snapshot {
        WorldSnapshot world;
        int frame = 0;
        int replayCursor = 0;
        bool replaying = false;
        std::vector<std::pair<int, bool>> queued;
    };
    void Save(Snapshot& snapshot) const;
    void Restore(const Snapshot& snapshot);
    // The world's canonical hash (equal worlds hash equal, whatever the
    // frame they were reached at).
    uint64_t HashWorld() const;

private:
    CLevel& level_;
    CProfile& profile_;
    uint32_t (*gameClock_)() = nullptr; // the world's frame counter outside the run
    int frame_ = 0;
    bool replaying_ = false;
    std::vector<std::pair<int, bool>> queued_;
};
