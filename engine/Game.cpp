#include "engine/Game.h"

#include "engine/Draw.h"
#include "engine/Log.h"
#include "engine/Parameters.h"
#include "online/ScoreServer.h"
#include "platform/Folders.h"
#include "platform/Random.h"

#include <SDL.h>

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

// Start-up, in its fixed order, up to the window. Each step names the
// service it brings up.
void startUp(int argc, char** argv)
{
    gameSrand(static_cast<unsigned>(time(nullptr)));
    int mask = parseStartMask(argc, argv);
    (void)mask;
    startLogging();
    CDraw::setDeveloperMode(false);
    LoadParameters();
    initDirectories();
}

// Start-up after the window is open: the logged loading phases.
void loadResources()
{
    logMessage(LOG_MILESTONE, "ID_000:  INIT:  Image Load Started\n");
    CDraw::preloadImages();
    logMessage(LOG_MILESTONE, "ID_000:  INIT:  Image Load Completed\n");
    startScoreClient();
}

// Until the screens take over the events, closing the window is the one
// way to stop.
bool quitRequested()
{
    SDL_Event event;
    bool quit = false;
    while (SDL_PollEvent(&event))
        quit = quit || event.type == SDL_QUIT;
    return quit;
}

void runMainLoop()
{
    const long maxFrames = maxFramesFromEnvironment();
    for (long frames = 1; !quitRequested(); ++frames) {
        CDraw::present(true, true);
        if (frames == maxFrames)
            break;
    }
}

void shutDown()
{
    logMessage(LOG_MILESTONE, "ID_900:  SHUTDOWN COMPLETED\n");
}

} // namespace

int runCorvelle(int argc, char** argv)
{
    startUp(argc, argv);
    // The service objects live for the whole run and go, in reverse order,
    // after shut-down's report.
    CDraw display;
    loadResources();
    runMainLoop();
    shutDown();
    return 0;
}
