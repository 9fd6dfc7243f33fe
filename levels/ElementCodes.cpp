#include "levels/ElementCodes.h"

#include <cstring>

namespace {

struct NamedCode {
    ElementCode code;
    const char* name;
};

const NamedCode kNames[] = {
    {EC_CTRL_HELP, "CTRL_HELP"},
    {EC_FREEZE_MODE, "FREEZE_MODE"},
    {EC_HEAT_MODE, "HEAT_MODE"},
    {EC_TUTORIAL, "TUTORIAL"},
    {EC_DEVICE_TUBE_START, "DEVICE_TUBE_START"},
    {EC_NONE, "NONE"},
    {EC_CTRL_NEW, "CTRL_NEW"},
    {EC_POWERUP_FROSTGUN, "POWERUP_FROSTGUN"},
    {EC_POWERUP_HEATGUN, "POWERUP_HEATGUN"},
    {EC_DEVICE_TUBE_END, "DEVICE_TUBE_END"},
    {EC_CTRL_LOAD, "CTRL_LOAD"},
    {EC_POWERUP_TELEPORT, "POWERUP_TELEPORT"},
    {EC_POWERUP_BRIDGE, "POWERUP_BRIDGE"},
    {EC_POWERUP_EMP, "POWERUP_EMP"},
    {EC_CTRL_SAVE, "CTRL_SAVE"},
    {EC_POWERUP_CRATE, "POWERUP_CRATE"},
    {EC_POWERUP_BARREL, "POWERUP_BARREL"},
    {EC_POWERUP_MAGNET, "POWERUP_MAGNET"},
    {EC_TERRAIN_GRASS, "TERRAIN_GRASS"},
    {EC_CTRL_SAVE_AS, "CTRL_SAVE_AS"},
    {EC_OBJECT_WCRATE, "OBJECT_WCRATE"},
    {EC_OBJECT_WBARREL, "OBJECT_WBARREL"},
    {EC_OBJECT_LMAGNET, "OBJECT_LMAGNET"},
    {EC_TERRAIN_SAND, "TERRAIN_SAND"},
    {EC_CTRL_TEST, "CTRL_TEST"},
    {EC_OBJECT_MCRATE, "OBJECT_MCRATE"},
    {EC_OBJECT_MBARREL, "OBJECT_MBARREL"},
    {EC_OBJECT_RMAGNET, "OBJECT_RMAGNET"},
    {EC_TERRAIN_ICE, "TERRAIN_ICE"},
    {EC_CTRL_RECORD, "CTRL_RECORD"},
    {EC_DEVICE_GATE_B, "DEVICE_GATE_B"},
    {EC_DEVICE_GATE_Y, "DEVICE_GATE_Y"},
    {EC_DEVICE_GATE_R, "DEVICE_GATE_R"},
    {EC_TERRAIN_BRIDGE, "TERRAIN_BRIDGE"},
    {EC_CTRL_PLAY, "CTRL_PLAY"},
    {EC_DEVICE_BUTTON_B, "DEVICE_BUTTON_B"},
    {EC_DEVICE_BUTTON_Y, "DEVICE_BUTTON_Y"},
    {EC_DEVICE_BUTTON_R, "DEVICE_BUTTON_R"},
    {EC_LADDER, "LADDER"},
    {EC_CTRL_EXIT, "CTRL_EXIT"},
    {EC_DEVICE_LTELEPORT_B, "DEVICE_LTELEPORT_B"},
    {EC_DEVICE_LTELEPORT_Y, "DEVICE_LTELEPORT_Y"},
    {EC_DEVICE_LTELEPORT_R, "DEVICE_LTELEPORT_R"},
    {EC_DEVICE_TRAMPOLINE, "DEVICE_TRAMPOLINE"},
    {EC_PLATFORM, "PLATFORM"},
    {EC_BOT_HANG, "BOT_HANG"},
    {EC_BOT_LEFT, "BOT_LEFT"},
    {EC_BOT_RIGHT, "BOT_RIGHT"},
};

} // namespace

const char* elementCodeName(ElementCode code)
{
    for (const NamedCode& entry : kNames)
        if (entry.code == code)
            return entry.name;
    return "***Unknown***";
}

bool elementCodeFromName(const std::string& name, ElementCode& code)
{
    for (const NamedCode& entry : kNames) {
        if (name == entry.name) {
            code = entry.code;
            return true;
        }
    }
    return false;
}

bool isTerrainCode(ElementCode code)
{
    return code == EC_TERRAIN_GRASS || code == EC_TERRAIN_SAND || code == EC_TERRAIN_ICE ||
           code == EC_TERRAIN_BRIDGE;
}

bool isGateCode(ElementCode code)
{
    return code >= EC_DEVICE_GATE_B && code <= EC_DEVICE_GATE_R;
}

bool isButtonCode(ElementCode code)
{
    return code >= EC_DEVICE_BUTTON_B && code <= EC_DEVICE_BUTTON_R;
}

bool isBotCode(ElementCode code)
{
    return code >= EC_BOT_HANG && code <= EC_BOT_RIGHT;
}

bool isTubeCode(ElementCode code)
{
    return code == EC_DEVICE_TUBE_START || code == EC_DEVICE_TUBE_END;
}

int teleportColourOfCode(ElementCode code)
{
    if (code >= EC_DEVICE_LTELEPORT_B && code <= EC_DEVICE_LTELEPORT_R)
        return code - EC_DEVICE_LTELEPORT_B;
    return -1;
}

ElementCode teleportCodeOfColour(int colour)
{
    return EC_DEVICE_LTELEPORT_B + colour;
}

bool isObjectCode(ElementCode code)
{
    switch (code) {
    case EC_OBJECT_WCRATE:
    case EC_OBJECT_WBARREL:
    case EC_OBJECT_LMAGNET:
    case EC_OBJECT_MCRATE:
    case EC_OBJECT_MBARREL:
    case EC_OBJECT_RMAGNET:
        return true;
    default:
        return false;
    }
}

bool isSmallElement(ElementCode code)
{
    switch (code) {
    case EC_TUTORIAL:
    case EC_POWERUP_FROSTGUN:
    case EC_POWERUP_HEATGUN:
    case EC_POWERUP_WHISTLE:
    case EC_POWERUP_TELEPORT:
    case EC_POWERUP_BRIDGE:
    case EC_POWERUP_EMP:
    case EC_POWERUP_CRATE:
    case EC_POWERUP_BARREL:
    case EC_POWERUP_MAGNET:
        return true;
    default:
        return isObjectCode(code) || isButtonCode(code);
    }
}

bool isFreezable(ElementCode code)
{
    return isObjectCode(code) || code == EC_TERRAIN_BRIDGE || isBotCode(code);
}

bool isHeatable(ElementCode code)
{
    return code == EC_OBJECT_LMAGNET || code == EC_OBJECT_MCRATE || code == EC_OBJECT_MBARREL ||
           code == EC_OBJECT_RMAGNET;
}
