#include "engine/Game.h"

#include "engine/Log.h"
#include "engine/Parameters.h"
#include "levels/LevelSet.h"
#include "levels/Profile.h"
#include "online/ScoreServer.h"
#include "platform/Folders.h"
#include "platform/Random.h"

#include <SDL.h>

#include <cstdlib>
#include <ctime>
#include <memory>

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

// The service objects that live for the whole run, in order of construction;
// shut-down destroys them in reverse order.
struct Services {
    std::unique_ptr<CProfile> profile;
};

// How the profile puts its settings into effect. Each module adds its own
// entry points as it comes up; the pointer grab is SDL's own.
void registerProfileServices()
{
    ProfileServices services;
    services.grabInput = [](bool grab) { SDL_WM_GrabInput(grab ? SDL_GRAB_ON : SDL_GRAB_OFF); };
    setProfileServices(services);
}

void loadLevelSets()
{
    logMessage(LOG_MILESTONE, "ID_002:  INIT:  Level Load Started\n");
    CLevelSet::loadAll();
    logMessage(LOG_MILESTONE, "ID_002:  INIT:  Level Load Completed\n");
}

void startScoreClient()
{
    std::string url = ScoreServer::configuredBaseUrl();
    logMessage(LOG_DEBUG, "Loading SCOREBOARD_URL:  %s\n", url.c_str());
    ScoreServer::setBaseUrl(url);
    ScoreServer::resetTables();
}

// Start-up, in its fixed order. Each step names the service it brings up.
void startUp(int argc, char** argv, Services& services)
{
    gameSrand(static_cast<unsigned>(time(nullptr)));
    int mask = parseStartMask(argc, argv);
    startLogging();
    LoadParameters();
    initDirectories();
    registerProfileServices();
    services.profile = std::make_unique<CProfile>();
    if (mask & MASK_WINDOW)
        services.profile->SetFullscreen(false);
    loadLevelSets();
    startScoreClient();
}

void runMainLoop()
{
}

void shutDown(Services& services)
{
    CLevelSet::freeAll();
    logMessage(LOG_MILESTONE, "ID_900:  SHUTDOWN COMPLETED\n");
    services.profile.reset();
}

} // namespace

int runCorvelle(int argc, char** argv)
{
    Services services;
    startUp(argc, argv, services);
    runMainLoop();
    shutDown(services);
    return 0;
}
