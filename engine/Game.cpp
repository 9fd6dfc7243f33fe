#include "engine/Game.h"

#include "engine/Log.h"
#include "engine/Parameters.h"
#include "online/ScoreServer.h"
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

void startScoreClient()
{
    std::string url = ScoreServer::configuredBaseUrl();
    logMessage(LOG_DEBUG, "Loading SCOREBOARD_URL:  %s\n", url.c_str());
    ScoreServer::setBaseUrl(url);
    ScoreServer::resetTables();
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
    startScoreClient();
}

void runMainLoop()
{
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
