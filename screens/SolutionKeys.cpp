#include "screens/SolutionKeys.h"

#include "engine/Log.h"
#include "levels/Level.h"
#include "world/ElementAIProfessor.h"

void applySolutionKey(CElementAIProfessor& professor, bool released, int key)
{
    if (key >= SOLUTION_KEY_POWERUP_FIRST && key < SOLUTION_KEY_POWERUP_FIRST + SOLUTION_POWERUP_SLOTS) {
        if (!released)
            professor.usePowerup(key - SOLUTION_KEY_POWERUP_FIRST);
        return;
    }
    switch (key) {
    case SOLUTION_KEY_UP: professor.onKeyUp(released); break;
    case SOLUTION_KEY_DOWN: professor.onKeyDown(released); break;
    case SOLUTION_KEY_RIGHT: professor.onKeyRight(released); break;
    case SOLUTION_KEY_LEFT: professor.onKeyLeft(released); break;
    case SOLUTION_KEY_ACTION: professor.onKeyAction(released); break;
    default: break;
    }
}

bool feedSolutionKeys(CLevel& level, int elapsed, const std::function<void(const ReplayKey&)>& handle)
{
    ReplayKey record = level.GetReplayKey();
    if (record.frame < elapsed) {
        logMessage(LOG_DEBUG, "CControllerGame::Pump()   Playback completed at frame %i\n", elapsed);
        return false;
    }
    while (record.frame == elapsed) {
        logMessage(LOG_DEBUG, "CControllerGame::Pump()   Frame %i:  Using replay key %i  (released = %i)\n", elapsed,
                   record.key, record.released ? 1 : 0);
        handle(record);
        if (!level.AdvanceReplay())
            break;
        record = level.GetReplayKey();
    }
    return true;
}
