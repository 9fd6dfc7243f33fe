#pragma once

#include <functional>

class CElementAIProfessor;
class CLevel;
struct ReplayKey;

// A recorded solution holds these key codes, whatever keys the player bound:
// the codes of the default bindings.
constexpr int SOLUTION_KEY_UP = 273;
constexpr int SOLUTION_KEY_DOWN = 274;
constexpr int SOLUTION_KEY_RIGHT = 275;
constexpr int SOLUTION_KEY_LEFT = 276;
constexpr int SOLUTION_KEY_ACTION = 102;
constexpr int SOLUTION_KEY_POWERUP_FIRST = 49; // slot 0; slot 8 is 57
constexpr int SOLUTION_POWERUP_SLOTS = 9;

// Frames that end (each animating the sprites once) between the building of
// a level and its first world step, however the level was started: the
// world waits on the ends of animations, so a solution replays the same
// world only when every start gives it the same head start.
constexpr int SOLUTION_FRAMES_BEFORE_FIRST_STEP = 2;

// One recorded key event reaches the professor: the four directions and the
// action key with their released flag, a power-up key on its press. Other
// codes do nothing.
void applySolutionKey(CElementAIProfessor& professor, bool released, int key);

// Playback's share of a frame: every record of the level's solution that
// falls on `elapsed` (frames since the level's start, the first frame being
// 1) goes to `handle`, in list order, and the replay cursor moves past it.
// False when the next record lies in the past: the solution has run out and
// playback is over.
//
// The game screen and the level lab both call this after the frame's input
// and before the world step, so a solution replays the same world in both.
bool feedSolutionKeys(CLevel& level, int elapsed, const std::function<void(const ReplayKey&)>& handle);
