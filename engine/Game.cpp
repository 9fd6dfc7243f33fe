#include "engine/Game.h"

#include "engine/Log.h"
#include "engine/Parameters.h"
#include "levels/LevelSet.h"
#include "platform/Folders.h"
#include "platform/Random.h"

#include <cstdlib>
#include <ctime>

int parseStartMask(int argc, char** argv)
{
    if (argc != 2)
        return 0;
    return atoi(argv[1]);
}

long maxFramesFromEnvironment()
{
    const char* value = getenv("CORVELLE_MAX_FRAMES");
    if (!value)
        return 0;
    long frames = atol(value);
    return frames > 0 ? frames : 0;
}

namespace {

void startLogging()
{
    initLogChannels(false);
    enableLogChannel(LOG_NOTE);
    enableLogChannel(LOG_WARNING);
    enableLogChannel(LOG_ERROR);
    applyLogChannelsFromEnvironment();
}

void loadLevelSets()
{
    logMessage(LOG_MILESTONE, "ID_002:  INIT:  Level Load Started\n");
    CLevelSet::loadAll();
    logMessage(LOG_MILESTONE, "ID_002:  INIT:  Level Load Completed\n");
}

// Start-up, in its fixed order. Each step names the service it brings up.
void startUp(int argc, char** argv)
{
    gameSrand(static_cast<unsigned>(time(nullptr)));
    int mask = parseStartMask(argc, argv);
    (void)mask;
    startLogging();
    LoadParameters();
    initDirectories();
    loadLevelSets();
}

void runMainLoop()
{
}

void shutDown()
{
    CLevelSet::freeAll();
    logMessage(LOG_MILESTONE, "ID_900:  SHUTDOWN COMPLETED\n");
}

} // namespace

int runCorvelle(int argc, char** argv)
{
    startUp(argc, argv);
    runMainLoop();
    shutDown();
    return 0;
}
