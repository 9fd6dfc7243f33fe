#include "engine/Game.h"

#include "engine/Log.h"
#include "engine/Parameters.h"
#include "engine/Sound.h"
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

// Both loaders return at once while sound is off.
void loadSounds()
{
    logMessage(LOG_MILESTONE, "ID_001:  INIT:  Sound Load Started\n");
    CSound::loadAll();
    CSound::createMusicTracks();
    logMessage(LOG_MILESTONE, "ID_001:  INIT:  Sound Load Completed\n");
}

// Start-up, in its fixed order. Each step names the service it brings up.
void startUp(int argc, char** argv)
{
    gameSrand(static_cast<unsigned>(time(nullptr)));
    int mask = parseStartMask(argc, argv);
    startLogging();
    CSound::setLoadFromDirectory(false);
    LoadParameters();
    initDirectories();
    if (!(mask & MASK_NO_SOUND))
        CSound::init((mask & MASK_ASK_SOUND) != 0);
    loadSounds();
}

// One frame: pump the current screen, update the pointer, then sound (fades,
// delayed starts), render and present.
void runMainLoop()
{
    CSound::update();
}

void shutDown()
{
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
