#include "LabBoard.h"

#include "world/ElementAIBot.h"
#include "world/ElementDeviceButton.h"
#include "world/ElementDeviceGate.h"
#include "world/ElementDeviceGunshot.h"
#include "world/ElementDevicePowerup.h"
#include "world/ElementDeviceTeleport.h"
#include "world/ElementDeviceTrampoline.h"
#include "world/ElementDeviceTube.h"
#include "world/ElementLadder.h"
#include "world/ElementObjectMagnet.h"
#include "world/ElementTerrainBridge.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

char terrainGlyph(const CElement* e)
{
    switch (e->typeTerrain) {
    case TERRAIN_GRASS: return '#';
    case TERRAIN_SAND: return ':';
    case TERRAIN_ICE: return '~';
    default: break;
    }
    const auto* bridge = static_cast<const CElementTerrainBridge*>(e);
    if (bridge->IsCollapsing())
        return ',';
    if (bridge->IsInflating())
        return '+';
    return e->burstable ? '_' : '-';
}

// A power-up by the digit of its kind in the level source; the teleport
// power-ups of every colour are 9.
char powerupGlyph(const CElementDevicePowerup* p)
{
    return static_cast<char>('0' + std::min<int>(p->powerupType, POWERUP_TELEPORT_BLUE));
}

char deviceGlyph(const CElement* e)
{
    switch (e->typeDevice) {
    case DEVICE_GUNSHOT:
        return static_cast<const CElementDeviceGunshot*>(e)->shotType == CElementDeviceGunshot::HEAT ? '^' : '*';
    case DEVICE_GATE: {
        static const char CLOSED[] = {'B', 'R', 'Y'}; // by the gate's colour number
        const auto* gate = static_cast<const CElementDeviceGate*>(e);
        if (gate->IsBroken())
            return 'x';
        if (gate->IsOpen())
            return '|';
        if (gate->IsMagnetHeldShown())
            return '!';
        return CLOSED[gate->GetColour()];
    }
    case DEVICE_BUTTON: {
        static const char UP[] = {'b', 'r', 'y'};
        const auto* button = static_cast<const CElementDeviceButton*>(e);
        return button->IsPressed() ? 'v' : UP[button->GetColour()];
    }
    case DEVICE_TRAMPOLINE: {
        const auto* trampoline = static_cast<const CElementDeviceTrampoline*>(e);
        return trampoline->IsStretchedLeft() || trampoline->IsStretchedRight() ? 'z' : 'Z';
    }
    case DEVICE_TUBE:
        if (e->destroyed)
            return 'X';
        return static_cast<const CElementDeviceTube*>(e)->entrance ? 'S' : 'E';
    case DEVICE_TELEPORT: {
        const auto* teleport = static_cast<const CElementDeviceTeleport*>(e);
        return CElementDeviceTeleport::IsPairUsable(teleport->GetColour()) ? '%' : '&';
    }
    default: return powerupGlyph(static_cast<const CElementDevicePowerup*>(e));
    }
}

char objectGlyph(const CElement* e)
{
    const bool left = e->typeMagnet == CElementObjectMagnet::FACES_LEFT;
    switch (e->typeObject) {
    case OBJECT_CRATE: return e->burstable ? 'n' : e->metallic ? 'C' : 'c';
    case OBJECT_BARREL: return e->burstable ? 'u' : e->metallic ? 'O' : 'o';
    default: return e->burstable ? (left ? '(' : ')') : (left ? '<' : '>');
    }
}

char botGlyph(const CElementAIBot* bot)
{
    if (bot->destroyed)
        return 'w';
    if (!bot->canFall)
        return 'U'; // still hanging
    if (bot->active)
        return bot->facingLeft ? '{' : '}';
    return bot->facingLeft ? '[' : ']';
}

char glyphOf(const CElement* e)
{
    switch (e->type) {
    case ELEMENT_TERRAIN: return terrainGlyph(e);
    case ELEMENT_DEVICE: return deviceGlyph(e);
    case ELEMENT_OBJECT: return objectGlyph(e);
    case ELEMENT_AI: return e->IsProfessor() ? '@' : botGlyph(static_cast<const CElementAIBot*>(e));
    case ELEMENT_TUTORIAL: return '?';
    default: return '.';
    }
}

// What the board no longer shows: a collected power-up (its text still
// rises), a shot that has ended, and what is destroyed, unless it still
// holds its cell (a bot wrecked by heat) or is the exit tube.
bool isGone(const CElement* e)
{
    if (e->type != ELEMENT_DEVICE)
        return e->destroyed && !(e->inGrid && CElement::GetElementAt(e->x, e->y) == e);
    if (const auto* powerup = dynamic_cast<const CElementDevicePowerup*>(e))
        return powerup->collected;
    if (const auto* shot = dynamic_cast<const CElementDeviceGunshot*>(e))
        return shot->done;
    if (!e->destroyed)
        return false;
    return e->typeDevice != DEVICE_TUBE && !(e->inGrid && CElement::GetElementAt(e->x, e->y) == e);
}

// Cells of a terrain run, one for every other element.
int widthOf(const CElement* e)
{
    const bool run = e->IsTerrain() && e->typeTerrain != TERRAIN_ICE && e->typeTerrain != TERRAIN_BRIDGE;
    return run ? std::max(1, e->GetVariant()) : 1;
}

// The conditions listed under the board, in the order they are listed.
struct Condition {
    const char* name;
    bool (*holds)(const CElement*);
};
const Condition CONDITIONS[] = {
    {"frozen", [](const CElement* e) { return e->frozen; }},
    {"thawing", [](const CElement* e) { return e->thawing; }},
    {"heated", [](const CElement* e) { return e->heated; }},
    {"burning", [](const CElement* e) { return e->burning; }},
    {"stunned", [](const CElement* e) { return e->empStunned || (e->IsAI() && static_cast<const CElementAI*>(e)->stunned); }},
};

} // namespace

void drawBoard(std::string& board)
{
    constexpr size_t ROW = BOARD_COLUMNS + 1;
    board.assign(ROW * BOARD_ROWS, '.');
    const auto cell = [&board](int x, int y) -> char& {
        return board[static_cast<size_t>(y) * ROW + static_cast<size_t>(x)];
    };
    for (int y = 0; y < BOARD_ROWS; ++y) {
        cell(BOARD_COLUMNS, y) = '\n';
        for (int x = 0; x < BOARD_COLUMNS; ++x)
            if (CElementLadder::IsLadderAt(x, y))
                cell(x, y) = CElementLadder::IsLadderPlatformAt(x, y) ? '=' : 'H';
    }
    std::array<std::string, std::size(CONDITIONS)> listed;
    // Things off the grid (tubes, buttons, power-ups...) first, then what
    // fills the cells, then the actors on top.
    for (int pass = 0; pass < 3; ++pass)
        for (const CElement* e : CElement::GetAllElements()) {
            if ((e->IsAI() ? 2 : e->inGrid ? 1 : 0) != pass)
                continue;
            if (e->IsNull() || e->type == ELEMENT_LADDER || isGone(e))
                continue;
            for (int i = 0; i < widthOf(e); ++i)
                if (isOnBoard(e->x + i, e->y))
                    cell(e->x + i, e->y) = glyphOf(e);
            for (size_t c = 0; c < std::size(CONDITIONS); ++c)
                if (CONDITIONS[c].holds(e))
                    listed[c] += ' ' + std::to_string(e->x) + ',' + std::to_string(e->y);
        }
    for (size_t c = 0; c < std::size(CONDITIONS); ++c)
        if (!listed[c].empty())
            board.append(CONDITIONS[c].name).append(1, ':').append(listed[c]).append(1, '\n');
}

std::string drawBoard()
{
    std::string board;
    drawBoard(board);
    return board;
}
