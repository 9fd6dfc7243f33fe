#include "world/ElementAI.h"

#include "engine/Log.h"

#include <vector>

namespace {

// Every actor, for the debug dump only.
std::vector<CElementAI*> actors;

} // namespace

CElementAI::CElementAI(int cellX, int cellY) : CElement(cellX, cellY, 1)
{
    actors.push_back(this);
    inGrid = canFall = movable = mobile = freezable = true;
    type = ELEMENT_AI;
    barrel = nullElement;
}

CElementAI::~CElementAI()
{
    logMessage(LOG_DESTRUCT, "CElementAI:  Destroying actor at (%d,%d)...\n", x, y);
    actors.clear();
}

// ---- Undo.

void CElementAI::SaveState(ElementRecord& record) const
{
    SavePart(record, "ElementAI", SavedAI{barrelRolled, barrel});
    CElement::SaveState(record);
}

void CElementAI::RestoreState(const ElementRecord& record)
{
    if (const SavedAI* part = RestorePart<SavedAI>(record, "ElementAI")) {
        barrelRolled = part->barrelRolled;
        barrel = part->barrel ? part->barrel : nullElement;
    }
    keyLeft = keyRight = keyUp = keyDown = keyAction = false;
    hotStep = hotPush = stunned = false;
    stunTicks = 0;
    CElement::RestoreState(record);
}

// ---- Slides: a frozen actor slides and lets others slide on it; a live one
// keeps its footing on sand.

int CElementAI::GetSurfaceSlide() const { return frozen ? -1 : 0; }

int CElementAI::GetOwnSlide() const
{
    if (frozen)
        return -1;
    if (moving || destroyed)
        return 0;
    return GetElementAt(x, y + 1)->GetSurfaceSlide() > 0 ? -1 : 0;
}

// ---- Barrels.

void CElementAI::ReleaseBarrel()
{
    barrel->SetGrabbed(false);
    barrel = nullElement;
}

void CElementAI::TakeBarrel(CElement* candidate)
{
    if (frozen || IsProfessorCaught() || IsTrampolineAt(x, y + 1)) {
        ReleaseBarrel();
        return;
    }
    if (candidate->IsBarrel() && !candidate->frozen && !candidate->IsMoving()) {
        if (candidate != barrel) {
            barrel->SetGrabbed(false);
            barrel = candidate;
            barrel->SetGrabbed(true);
        }
        return;
    }
    if (!barrel->IsNull()) {
        barrel->SetGrabbed(false);
        barrel->SetGrabDirection(false, false);
        wasMovingLeft = wasMovingRight = false;
        barrel = nullElement;
    }
}

// ---- Moves.

bool CElementAI::WalkRight() { return Walk(false); }
bool CElementAI::WalkLeft() { return Walk(true); }

bool CElementAI::Walk(bool left)
{
    if (facingLeft != left)
        hotStep = hotPush = false;
    if (IsMagnetHeld())
        return false;
    if (FindElementByCell(x, y - 1)->IsMoving() || (IsBot() && GetElementAt(x, y - 1)->canFall))
        return false;
    if (FindElementByCell(x, y + 1)->IsMoving())
        return false;
    if (!IsLadderAt(x, y) && !IsSupported(false))
        return false;
    TakeBarrel(GetElementAt(x, y + 1));
    if (landed && !barrel->IsNull())
        return false;
    if (!onTrampoline)
        facingLeft = left;
    CElement* target = GetElementAt(GetNextColumnFacing(), GetNextRowFacing());

    if (barrel->IsNull()) {
        barrelRolled = false;
        if (IsOnSlipperyGround() && !(left ? catchLeft : catchRight))
            return false;
        (left ? mayBePushedRight : mayBePushedLeft) = false;
        int column = GetNextColumn(left);
        if (onTrampoline || (left ? column < 0 : column >= BOARD_COLUMNS))
            return false;
        return Step(left, target);
    }

    // On a barrel the actor walks the barrel the other way and rides it.
    if (barrel->IsOnSlipperyGround() && !barrel->IsMagnetHeld()) {
        barrel->SetGrabDirection(!left, left);
        return false;
    }
    int behindX = GetNextColumn(!left);
    int behindY = GetNextRow(!left);
    bool blocked = IsOccupied(behindX, behindY) || IsTrampolineAt(behindX, behindY + 1);
    bool rolled = left ? barrel->PushRight(true, true) : barrel->PushLeft(true, true);
    if (!rolled)
        return Step(left, target);
    if (blocked) {
        barrelRolled = false;
        return false;
    }
    barrelRolled = true;
    MoveTo(x + (left ? 1 : -1), y);
    return true;
}

bool CElementAI::StepRight(CElement* target) { return Step(false, target); }
bool CElementAI::StepLeft(CElement* target) { return Step(true, target); }

bool CElementAI::Step(bool left, CElement* target)
{
    int column = GetNextColumn(left);
    int row = GetNextRow(left);
    if (left ? column < 0 : column >= BOARD_COLUMNS)
        return false;
    const int dx = left ? -1 : 1;
    if (GetElementAt(column, row) == this) {
        MoveTo(x + dx, y);
        return true;
    }
    bool liveActor = target->IsAI() && !target->frozen && !target->destroyed;
    if (liveActor || (target->heated && IsProfessor())) {
        if (target->heated && !IsOccupiedAbove(false))
            hotPush = true;
        return false;
    }
    if (!IsBot() && GetElementAt(column, row + 1)->heated) {
        if (!IsOccupiedAbove(false))
            hotStep = true;
        return false;
    }
    if (!(left ? target->PushLeft(true, false) : target->PushRight(true, false)))
        return false;
    barrelRolled = false;
    MoveTo(x + dx, y);
    if (!target->IsNull())
        pushing = true;
    return true;
}

bool CElementAI::CanClimbUp() const
{
    return IsLadderAt(x, y) && IsLadderAt(x, y - 1) && !IsOccupied(x, y - 1) && y > 0 && !IsMagnetHeld();
}

bool CElementAI::ClimbUp()
{
    if (!CanClimbUp())
        return false;
    MoveTo(x, y - 1);
    return true;
}

bool CElementAI::CanFall() const
{
    return !IsTrampolineAt(x, y + 1) && !IsOccupied(x, y + 1) && !IsMagnetHeld();
}

bool CElementAI::Fall()
{
    if (!CanFall())
        return false;
    MoveTo(x, y + 1);
    return true;
}

// ---- Debug.

void CElementAI::DumpDebug()
{
    logMessage(LOG_DEBUG,
               "TYPE=%d  AI=%d  CURRENT=(%d,%d)  WASMOVINGLEFT=%d  WASMOVINGRIGHT=%d  WASMOVINGUP=%d  WASMOVINGDOWN=%d  "
               "KEYS=(%d,%d,%d,%d)\n",
               type, typeAI, x, y, wasMovingLeft, wasMovingRight, wasMovingUp, wasMovingDown, keyLeft, keyRight,
               keyUp, keyDown);
    logMessage(LOG_DEBUG,
               "        MOVING=%d  FALLING=%d  LANDING=%d  SLIDING=%d  PUSHING=%d  PUSHED=%d  MAGNETIC=%d  "
               "MAGNETHELD=%d  TRAMP=%d  STUN=%d(%d)\n",
               moving, falling, landing, sliding, pushing, pushed, magnetic, IsMagnetHeld(), onTrampoline, stunned,
               stunTicks);
}

void CElementAI::DumpAll()
{
    logMessage(LOG_DEBUG, "-------------------------------------------\n");
    logMessage(LOG_DEBUG, "All Objects (CElementAI)\n");
    for (CElementAI* actor : actors)
        actor->DumpDebug();
    logMessage(LOG_DEBUG, "-------------------------------------------\n");
}

void CElementAI::TryKeyMoves()
{
    if (keyUp && ClimbUp())
        return;
    if (keyDown && Fall())
        return;
    if (keyLeft && WalkLeft())
        return;
    if (keyRight)
        WalkRight();
}
