// The professor's key and mouse operations, his inventory with its icon bar,
// and the use of each power-up.
#include "world/ElementAIProfessor.h"

#include "engine/Log.h"
#include "world/ProfessorSounds.h"
#include "world/WorldLinks.h"

#include <algorithm>

namespace {

// Ticks between the start of a power-up and its effect: the middle of its
// animation.
constexpr int POWERUP_DELAY = 7;
constexpr int POWERUP_DELAY_FRONT = 17; // the pulse and the whistle

// Where a click lands: the cell under the professor's feet at that pixel.
constexpr int CLICK_OFFSET = 15;

int clickedCell(int pixel, int last) { return std::clamp((pixel - CLICK_OFFSET) / CELL_SIZE, 0, last); }

bool isTeleportType(int type)
{
    return type >= CElementAIProfessor::POWERUP_TELEPORT_BLUE2 && type <= CElementAIProfessor::POWERUP_TELEPORT_RED1;
}

bool isInflatableType(int type)
{
    return type == CElementAIProfessor::POWERUP_CRATE || type == CElementAIProfessor::POWERUP_BARREL ||
           type == CElementAIProfessor::POWERUP_MAGNET;
}

const char* powerupName(int type)
{
    static const char* const names[] = {"None",     "Inflatable Crate", "Inflatable Barrel", "Inflatable Magnet",
                                        "EMP",      "Frostgun",         "Heatgun",           "Bridge",
                                        "WHISTLE",  "Teleport (Blue)",  "Teleport (Blue)",   "Teleport (Yellow)",
                                        "Teleport (Yellow)", "Teleport (Red)", "Teleport (Red)"};
    return type >= 0 && type < static_cast<int>(std::size(names)) ? names[type] : "Unknown";
}

void logHandled(const char* what) { logMessage(LOG_DEBUG, "CElementAIProfessor::handlePowerup:  %s", what); }

} // namespace

// ---- Keys.

bool CElementAIProfessor::isAtRest() const
{
    return !keyLeft && !keyRight && !keyUp && !keyDown && !moving && !falling && !frozen;
}

void CElementAIProfessor::takeUndoSnapshot(bool released, bool forced)
{
    if (!forced && (released || !isAtRest()))
        return;
    if (usingPowerup)
        undoDeferred = true; // taken when he next moves
    else
        SaveUndoStep();
}

// The snapshot comes before the key is recorded, so it holds the position
// before the move.
void CElementAIProfessor::setKey(bool& key, bool released)
{
    cancelMouseTarget();
    takeUndoSnapshot(released, false);
    key = !released;
}

void CElementAIProfessor::onKeyLeft(bool released) { setKey(keyLeft, released); }
void CElementAIProfessor::onKeyRight(bool released) { setKey(keyRight, released); }
void CElementAIProfessor::onKeyUp(bool released) { setKey(keyUp, released); }
void CElementAIProfessor::onKeyDown(bool released) { setKey(keyDown, released); }

void CElementAIProfessor::onKeyAction(bool released)
{
    keyAction = !released;
    if (released || usingPowerup || stunned || onTrampoline)
        return;
    facingLeft = !facingLeft;
    hotStep = hotPush = false;
    if (state >= 0 && state <= 2)
        turning = true;
}

// ---- The click target: he walks toward it by the keys' move order, with no
// path search.

void CElementAIProfessor::cancelMouseTarget()
{
    if (!mouseTargetActive)
        return;
    keyLeft = keyRight = keyUp = keyDown = keyAction = false;
    mouseTargetActive = false;
}

void CElementAIProfessor::steerToMouseTarget()
{
    if (!mouseTargetActive)
        return;
    keyLeft = mouseTargetX < x;
    keyRight = x < mouseTargetX;
    keyUp = mouseTargetY < y;
    keyDown = y < mouseTargetY;
    if (mouseTargetX == x && mouseTargetY == y) {
        keyAction = false;
        mouseTargetActive = false;
    }
}

void CElementAIProfessor::onMouseClick(int pixelXClicked, int pixelYClicked, bool released)
{
    if (hoveredSlot != -1) {
        if (!released)
            usePowerup(hoveredSlot);
        return;
    }
    if (released) {
        // A barrel ride stops when the button is let go.
        if (barrelRolled)
            cancelMouseTarget();
        return;
    }
    takeUndoSnapshot(false, false);
    mouseTargetActive = true;
    mouseTargetX = clickedCell(pixelXClicked, BOARD_COLUMNS - 1);
    mouseTargetY = clickedCell(pixelYClicked, BOARD_ROWS - 1);
}

// ---- The icon bar.

CSprite* CElementAIProfessor::typeIcon(int slot, int kind) const
{
    if (slot < 0 || slot >= INVENTORY_SLOTS || kind < 1 || kind > POWERUP_TYPES)
        return nullptr;
    return icons_[slot][kind].get();
}

void CElementAIProfessor::showSlot(int slot)
{
    for (CSprite* icon : {icons_[slot][0].get(), typeIcon(slot, inventory[slot])}) {
        if (!icon)
            continue;
        icon->resetAnimation();
        icon->play(true);
        icon->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    }
}

// Icons as the inventory holds: a type icon and its number for each filled
// slot, nothing for an empty one.
void CElementAIProfessor::syncIcons()
{
    for (int slot = 0; slot < INVENTORY_SLOTS; ++slot) {
        for (int kind = 1; kind <= POWERUP_TYPES; ++kind)
            if (kind != inventory[slot])
                icons_[slot][kind]->hide();
        if (inventory[slot] == POWERUP_NONE)
            icons_[slot][0]->hide();
        else
            showSlot(slot);
    }
}

void CElementAIProfessor::updatePowerupIcons(int mouseX, int mouseY)
{
    hoveredSlot = -1;
    for (int slot = 0; slot < INVENTORY_SLOTS; ++slot) {
        CSprite* icon = typeIcon(slot, inventory[slot]);
        if (!icon)
            continue;
        if (icon->isOnScreenNear(mouseX, mouseY, 0, 0)) {
            if (icon->isStopped())
                icon->setFrame(4);
            hoveredSlot = slot;
        } else if (icon->isStopped()) {
            icon->finish();
        }
    }
}

// ---- Inventory.

bool CElementAIProfessor::addPowerup(int kind)
{
    auto free = std::find(inventory.begin(), inventory.end(), POWERUP_NONE);
    if (free == inventory.end() || kind < 1 || kind > POWERUP_TYPES)
        return false;
    int slot = static_cast<int>(free - inventory.begin());
    *free = kind;
    logMessage(LOG_DEBUG, "CElementAIProfessor::addPowerup()   Adding powerup %i to position %i\n", kind, slot);
    logMessage(LOG_DEBUG, "CElementAIProfessor::addPowerup()   Displaying powerup icon number '%s'\n",
               icons_[slot][0]->getName());
    logMessage(LOG_DEBUG, "CElementAIProfessor::addPowerup()   Displaying powerup icon '%s'\n",
               icons_[slot][kind]->getName());
    showSlot(slot);
    return true;
}

void CElementAIProfessor::removePowerup(int slot)
{
    if (slot < 0 || slot >= INVENTORY_SLOTS)
        return;
    int kind = inventory[slot];
    if (isTeleportType(kind) && kind % 2 == 1) {
        // The second teleport of the pair stays.
        icons_[slot][kind]->hide();
        inventory[slot] = kind + 1;
        showSlot(slot);
        return;
    }
    for (int i = slot; i < INVENTORY_SLOTS; ++i) {
        logMessage(LOG_DEBUG, "elementDynamicAIProfessor::removePowerup()   Hiding old powerup icon at position %i\n", i);
        if (CSprite* old = typeIcon(i, inventory[i]))
            old->hide();
        if (i + 1 < INVENTORY_SLOTS) {
            logMessage(LOG_DEBUG, "elementDynamicAIProfessor::removePowerup()   Shift in powerup from right (%i <- %i)\n",
                       i, i + 1);
            inventory[i] = inventory[i + 1];
        } else {
            logMessage(LOG_DEBUG, "elementDynamicAIProfessor::removePowerup()   Shift in EMPTY powerup at position %i\n",
                       i);
            inventory[i] = POWERUP_NONE;
        }
        if (inventory[i] == POWERUP_NONE) {
            logMessage(LOG_DEBUG, "elementDynamicAIProfessor::removePowerup()   Hiding powerup number at position %i\n",
                       i);
            icons_[i][0]->hide();
            break;
        }
        logMessage(LOG_DEBUG, "elementDynamicAIProfessor::removePowerup()   Unhiding new powerup icon at position %i\n",
                   i);
        icons_[i][inventory[i]]->show(SPRITE_NO_LOCATION, SPRITE_NO_LOCATION);
    }
}

int CElementAIProfessor::teleportColourOf(int type)
{
    switch (type) {
    case POWERUP_TELEPORT_YELLOW2:
    case POWERUP_TELEPORT_YELLOW1: return 1;
    case POWERUP_TELEPORT_RED2:
    case POWERUP_TELEPORT_RED1: return 2;
    default: return 0;
    }
}

void CElementAIProfessor::dumpPowerups()
{
    logMessage(LOG_DEBUG, "--------------------------------------\n");
    logMessage(LOG_DEBUG, "List of Powerups\n");
    for (int slot = 0; slot < INVENTORY_SLOTS; ++slot)
        logMessage(LOG_DEBUG, "   %d:  %s\n", slot, powerupName(inventory[slot]));
    logMessage(LOG_DEBUG, "usingPowerup       = %d\n", usingPowerup);
    logMessage(LOG_DEBUG, "activePowerup      = %d\n", activePowerup);
    logMessage(LOG_DEBUG, "activePowerupDelay = %d\n", activePowerupDelay);
    logMessage(LOG_DEBUG, "--------------------------------------\n");
}

// ---- Using a power-up.

bool CElementAIProfessor::refusesPowerup(int slot) const
{
    if (slot < 0 || slot >= INVENTORY_SLOTS || inventory[slot] == POWERUP_NONE)
        return true;
    return arriving || leaving || outcome.professorCaught || onTrampoline || leftTrampoline || recovering ||
           moving || usingPowerup || frozen || heated || !IsSupported(false) ||
           GetElementAt(x, y + 1)->IsMoving() || IsOccupiedAbove(false);
}

// The target cell is kept for the thing being made, with the professor
// himself standing in for it until it is there.
bool CElementAIProfessor::reserveCell(int cellX, int cellY, bool refuseLadder)
{
    // Off the board there is nothing to stand on and no cell to keep.
    if (!isOnBoard(cellX, cellY) || IsOccupied(cellX, cellY) || IsTrampolineAt(cellX, cellY) || (refuseLadder && IsLadderAt(cellX, cellY)))
        return false;
    SetElementAt(cellX, cellY, this);
    usingPowerup = busy = true;
    activePowerupDelay = POWERUP_DELAY;
    return true;
}

bool CElementAIProfessor::startPowerup(int kind)
{
    const WorldLinks& links = worldLinks();
    if (isInflatableType(kind))
        return reserveCell(powerupX, powerupY, false);
    switch (kind) {
    case POWERUP_EMP:
    case POWERUP_WHISTLE:
        usingPowerup = true;
        activePowerupDelay = POWERUP_DELAY_FRONT;
        return true;
    case POWERUP_FROSTGUN:
    case POWERUP_HEATGUN:
        usingPowerup = true;
        activePowerupDelay = POWERUP_DELAY;
        return true;
    case POWERUP_BRIDGE:
        ++powerupY;
        if (!reserveCell(powerupX, powerupY, true))
            return false;
        if (links.isTeleportAt)
            links.isTeleportAt(x, y, facingLeft, true, true);
        return true;
    default:
        break;
    }
    // A teleport takes his column and the one he faces: both on the board.
    if (!isTeleportType(kind) || !isOnBoard(facingLeft ? x - 1 : x + 1, y) || !links.teleportHasRoomAt ||
        !links.teleportHasRoomAt(x, y, facingLeft))
        return false;
    usingPowerup = busy = true;
    activePowerupDelay = POWERUP_DELAY;
    if (!facingLeft) {
        powerupX = x;
        powerupY = y;
    }
    return true;
}

void CElementAIProfessor::usePowerup(int slot)
{
    sounds_->fail.play();
    bool accepted = !refusesPowerup(slot);
    int kind = accepted ? inventory[slot] : POWERUP_NONE;
    if (accepted) {
        takeUndoSnapshot(false, false);
        powerupX = GetNextColumnFacing();
        powerupY = GetNextRowFacing();
        powerupFacingLeft = facingLeft;
        accepted = startPowerup(kind);
    }
    if (!accepted) {
        logMessage(LOG_DEBUG, "CElementAIProfessor:  Cannot create powerup %d...\n", slot);
        return;
    }
    if (kind != POWERUP_EMP && kind != POWERUP_WHISTLE && kind != POWERUP_FROSTGUN && kind != POWERUP_HEATGUN)
        sounds_->inflate.play();
    logMessage(LOG_DEBUG, "CElementAIProfessor:  Using powerup %d...\n", slot);
    activePowerup = kind;
    logMessage(LOG_DEBUG, "CElementAIProfessor:  Removing powerup %d from inventory...\n", slot);
    removePowerup(slot);
    sounds_->fail.stop();
}

// A spawned thing joins the undo's list of things made during play.
void CElementAIProfessor::spawned(CElement* element)
{
    if (element && !element->spawned)
        RegisterSpawned(element);
}

// One piece of the bridge per tick, on along the row until something is in
// the way.
void CElementAIProfessor::buildBridgePiece()
{
    const WorldLinks& links = worldLinks();
    logMessage(LOG_DEBUG, "CElementAIProfessor::handlePowerup:  Bridge building at (%i,%i)!\n", powerupX, powerupY);
    if (GetElementAt(powerupX, powerupY) == this)
        ClearElementAt(powerupX, powerupY);
    if (links.makeBridge)
        spawned(links.makeBridge(powerupX, powerupY, 1, 0, powerupFacingLeft));
    if (links.isTeleportAt)
        links.isTeleportAt(powerupX, powerupY, powerupFacingLeft, true, true);
    int nextX = GetNextColumnAt(powerupX, powerupY, powerupFacingLeft, true);
    int nextY = GetNextRowAt(powerupX, powerupY, powerupFacingLeft, true);
    bool free = nextX >= 0 && nextX < BOARD_COLUMNS && !IsOccupied(nextX, nextY) && !IsTrampolineAt(nextX, nextY) &&
                !IsLadderAt(nextX, nextY);
    if (free) {
        powerupX = nextX;
        powerupY = nextY;
    } else {
        activePowerup = POWERUP_NONE;
        busy = false;
    }
}

void CElementAIProfessor::handlePowerup()
{
    if (activePowerup == POWERUP_NONE)
        return;
    if (activePowerupDelay != 0) {
        logMessage(LOG_DEBUG, "DEBUG.  handlePowerup():  Waiting for powerup delay...%d\n", activePowerupDelay);
        --activePowerupDelay;
        return;
    }
    const WorldLinks& links = worldLinks();
    // The reserved cell is handed to what is made there.
    if (isInflatableType(activePowerup) && GetElementAt(powerupX, powerupY) == this)
        ClearElementAt(powerupX, powerupY);
    switch (activePowerup) {
    case POWERUP_CRATE:
    case POWERUP_BARREL:
    case POWERUP_MAGNET: {
        static const char* const done[] = {"Crate inflated!\n", "Barrel inflated!\n", "Magnet inflated!\n"};
        logHandled(done[activePowerup - POWERUP_CRATE]);
        WorldLinks::SpawnObject make = activePowerup == POWERUP_CRATE    ? links.makeCrate
                                       : activePowerup == POWERUP_BARREL ? links.makeBarrel
                                                                         : links.makeMagnet;
        int material = activePowerup == POWERUP_MAGNET ? 1 : 2;
        if (make)
            spawned(make(powerupX, powerupY, material, 0, facingLeft));
        if (links.isTeleportAt)
            links.isTeleportAt(x, y, facingLeft, true, true);
        break;
    }
    case POWERUP_EMP:
        logHandled("EMP Activated!\n");
        if (links.activateEmp)
            links.activateEmp();
        if (links.stunAllBots)
            links.stunAllBots();
        sounds_->emp.play();
        sounds_->empElectricity.play();
        break;
    case POWERUP_FROSTGUN:
    case POWERUP_HEATGUN: {
        bool heat = activePowerup == POWERUP_HEATGUN;
        logHandled(heat ? "Heatgun fired!\n" : "Frostgun fired!\n");
        if (links.makeGunshot)
            spawned(links.makeGunshot(powerupX, powerupY, heat ? 1 : 0, facingLeft));
        if (links.isTeleportAt)
            links.isTeleportAt(x, y, facingLeft, true, true);
        (heat ? sounds_->heatgun : sounds_->frostgun).play();
        break;
    }
    case POWERUP_BRIDGE: buildBridgePiece(); break;
    case POWERUP_WHISTLE:
        logHandled("Whistle Activated!\n");
        if (links.wakeAllBots)
            links.wakeAllBots();
        sounds_->whistle.play();
        break;
    default:
        logMessage(LOG_DEBUG, "CElementAIProfessor::handlePowerup:  Teleport (type %i) inflated!\n", activePowerup);
        if (links.makeTeleport)
            spawned(links.makeTeleport(powerupX, powerupY, teleportColourOf(activePowerup), 1));
        break;
    }
    if (activePowerup != POWERUP_BRIDGE)
        activePowerup = POWERUP_NONE;
}
