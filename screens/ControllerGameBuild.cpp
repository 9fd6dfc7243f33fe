// How a level becomes the live world: ladders, tiles through the element
// factory, then teleports. None of it needs a window.

#include "screens/ControllerGame.h"

#include "engine/Log.h"
#include "levels/Level.h"
#include "world/ElementAIBot.h"
#include "world/ElementAIProfessor.h"
#include "world/ElementDeviceButton.h"
#include "world/ElementDeviceGate.h"
#include "world/ElementDevicePowerup.h"
#include "world/ElementDeviceTeleport.h"
#include "world/ElementDeviceTrampoline.h"
#include "world/ElementDeviceTube.h"
#include "world/ElementLadder.h"
#include "world/ElementObjectBarrel.h"
#include "world/ElementObjectCrate.h"
#include "world/ElementObjectMagnet.h"
#include "world/ElementTerrain.h"
#include "world/ElementTerrainBridge.h"
#include "world/ElementTutorial.h"

namespace {

// The power-up type a plain power-up code lays out; 0 for other codes.
int powerupTypeOf(int code)
{
    switch (code) {
    case EC_POWERUP_CRATE: return 1;
    case EC_POWERUP_BARREL: return 2;
    case EC_POWERUP_MAGNET: return 3;
    case EC_POWERUP_EMP: return 4;
    case EC_POWERUP_FROSTGUN: return 5;
    case EC_POWERUP_HEATGUN: return 6;
    case EC_POWERUP_BRIDGE: return 7;
    case EC_POWERUP_WHISTLE: return 8;
    default: return 0;
    }
}

// A teleport power-up takes the next free teleport colour: blue 9, yellow 11,
// red 13.
int teleportPowerupType(CLevel& level)
{
    switch (level.ReserveTeleportColour()) {
    case 1: return 11;
    case 2: return 13;
    default: return 9;
    }
}

// Colours by code: buttons and gates blue 0, yellow 2, red 1.
int deviceColourOf(int code, int blueCode)
{
    static constexpr int colours[3] = {0, 2, 1};
    return colours[code - blueCode];
}

CElement* buildByCode(CLevel& level, int code, int x, int y, int width, int modifier)
{
    if (int powerup = powerupTypeOf(code))
        return new CElementDevicePowerup(x, y, powerup);
    switch (code) {
    case EC_TUTORIAL: return new CElementTutorial(x, y, level.GetTutorialText(x, y));
    case EC_DEVICE_TUBE_START:
        new CElementDeviceTube(x, y, 0);
        return new CElementAIProfessor(x, y);
    case EC_DEVICE_TUBE_END: return new CElementDeviceTube(x, y, CElementDeviceTube::TUBE_EXIT);
    case EC_POWERUP_TELEPORT: return new CElementDevicePowerup(x, y, teleportPowerupType(level));
    case EC_TERRAIN_GRASS: return new CElementTerrainGrass(x, y, width);
    case EC_TERRAIN_SAND: return new CElementTerrainSand(x, y, width);
    case EC_TERRAIN_ICE: return new CElementTerrainIce(x, y, !level.IsTerrain(x, y + 1) && !level.IsGate(x, y + 1));
    case EC_OBJECT_WCRATE: return new CElementObjectCrate(x, y, 0, modifier, true);
    case EC_OBJECT_MCRATE: return new CElementObjectCrate(x, y, 1, modifier, true);
    case EC_OBJECT_WBARREL: return new CElementObjectBarrel(x, y, 0, modifier, true);
    case EC_OBJECT_MBARREL: return new CElementObjectBarrel(x, y, 1, modifier, true);
    case EC_OBJECT_LMAGNET: return new CElementObjectMagnet(x, y, 0, modifier, true);
    case EC_OBJECT_RMAGNET: return new CElementObjectMagnet(x, y, 0, modifier, false);
    case EC_TERRAIN_BRIDGE: return new CElementTerrainBridge(x, y, 0, modifier, true);
    case EC_DEVICE_GATE_B:
    case EC_DEVICE_GATE_Y:
    case EC_DEVICE_GATE_R: return new CElementDeviceGate(x, y, deviceColourOf(code, EC_DEVICE_GATE_B));
    case EC_DEVICE_BUTTON_B:
    case EC_DEVICE_BUTTON_Y:
    case EC_DEVICE_BUTTON_R: return new CElementDeviceButton(x, y, deviceColourOf(code, EC_DEVICE_BUTTON_B));
    case EC_DEVICE_LTELEPORT_B:
    case EC_DEVICE_LTELEPORT_Y:
    case EC_DEVICE_LTELEPORT_R: return new CElementDeviceTeleport(x, y, code - EC_DEVICE_LTELEPORT_B, false);
    case EC_DEVICE_TRAMPOLINE: return new CElementDeviceTrampoline(x, y);
    case EC_BOT_HANG:
    case EC_BOT_LEFT:
    case EC_BOT_RIGHT: return new CElementAIBot(x, y, code, modifier);
    default: return nullptr; // palette codes, NONE, LADDER, PLATFORM
    }
}

void buildLadders(CLevel& level)
{
    logMessage(LOG_GAME, "CControllerGame::LoadLevel()  Creating Ladders\n");
    logMessage(LOG_TICKS, "CGame:  Loading Ladders\n");
    for (int y = LEVEL_HEIGHT - 1; y >= 0; --y)
        for (int x = 0; x < LEVEL_WIDTH; ++x) {
            if (level.GetLadder(x, y) == EC_NONE)
                continue;
            if (CElementLadder::IsLadderAt(x, y)) {
                logMessage(LOG_GAME, "CControllerGame::LoadLevel()      (%i,%i)  Ladder already created\n", x, y);
                continue;
            }
            CellRun run = level.GetLadderRun(x, y);
            logMessage(LOG_TICKS, "CGame:     (%i,%i)  Ladder scanned\n", x, y);
            CControllerGame::createLadder(level, run.x, run.y, run.height);
            logMessage(LOG_TICKS, "CGame:     (%i,%i)  Ladder created\n", x, y);
            logMessage(LOG_GAME, "CControllerGame::LoadLevel()      (%i,%i)  Ladder starting from (%i,%i) H%i\n", x, y,
                       run.x, run.y, run.height);
        }
}

void buildTiles(CLevel& level)
{
    logMessage(LOG_GAME, "CControllerGame::LoadLevel()  Creating Tiles\n");
    logMessage(LOG_TICKS, "CGame:  Loading Tiles\n");
    for (int y = 0; y < LEVEL_HEIGHT; ++y)
        for (int x = LEVEL_WIDTH - 1; x >= 0; --x) {
            const ElementCode code = level.GetTile(x, y);
            CellRun run{x, y, 1, 1};
            if (code == EC_TERRAIN_GRASS || code == EC_TERRAIN_SAND) {
                run = level.GetTileRun(code, x, y);
                logMessage(LOG_TICKS, "CGame:     (%i,%i)  Terrain (%i) scanned\n", x, y, code);
            }
            if (code == EC_NONE)
                continue;
            if (CElement::IsOccupied(x, y, false)) {
                logMessage(LOG_GAME, "CControllerGame::LoadLevel()      (%i,%i)  Tile (%s) already exists\n", x, y,
                           CLevel::GetElementName(code));
                continue;
            }
            logMessage(LOG_GAME, "CControllerGame::LoadLevel()      (%i,%i)  Creating Tile (%s,%i)\n", x, y,
                       CLevel::GetElementName(code), code);
            CControllerGame::createElement(level, code, run.x, run.y, run.width, run.height);
            logMessage(LOG_TICKS, "CGame:     (%i,%i)  Element (%i) created\n", x, y, code);
        }
}

void buildTeleports(CLevel& level)
{
    logMessage(LOG_GAME, "CControllerGame::LoadLevel()  Creating Teleports\n");
    logMessage(LOG_TICKS, "CGame:  Loading Teleports\n");
    for (int colour = 0; colour < TELEPORT_COLOURS; ++colour) {
        const int code = EC_DEVICE_LTELEPORT_B + colour;
        for (const TeleportSpot& spot : level.GetTeleports(colour)) {
            logMessage(LOG_GAME, "CControllerGame::LoadLevel()      (%i,%i)  Creating Teleport (%i)\n", spot.x, spot.y,
                       code);
            CControllerGame::createElement(level, code, spot.x, spot.y, 1, 1);
            logMessage(LOG_TICKS, "CGame:     (%i,%i)  Teleport (%i) created\n", spot.x, spot.y, code);
        }
    }
}

} // namespace

void CControllerGame::BuildElements(CLevel& level)
{
    buildLadders(level);
    buildTiles(level);
    buildTeleports(level);
}

CElement* CControllerGame::createElement(CLevel& level, int code, int x, int y, int width, int height)
{
    logMessage(LOG_STACK, "createElement(%i,%i,%i,%i,%i)\n", code, x, y, width, height);
    const int modifier = level.GetModifier(x, y);
    CElement* element = buildByCode(level, code, x, y, width, modifier);
    if (!element)
        return nullptr;
    if (modifier == MODIFIER_FROZEN) {
        logMessage(LOG_GAME, "CControllerGame::createElement()   Freezing element at (%i,%i)\n", x, y);
        CElement::Freeze(element);
    } else if (modifier == MODIFIER_HEATED) {
        logMessage(LOG_GAME, "CControllerGame::createElement()   Heating element at (%i,%i)\n", x, y);
        CElement::Heat(element, false, false);
    }
    return element;
}

void CControllerGame::createLadder(const CLevel& level, int x, int y, int height)
{
    CElementLadder::CreateRun(x, y, height,
                              [&level](int cellX, int cellY) { return level.GetTile(cellX, cellY) == EC_PLATFORM; });
}
