// Pushing one cell sideways, bumps from sliding neighbours, and the magnet
// hold chain.
#include "world/Element.h"

#include "engine/Log.h"

bool CElement::PushRight(bool force, bool fromTrampoline) { return Push(false, force, fromTrampoline); }
bool CElement::PushLeft(bool force, bool fromTrampoline) { return Push(true, force, fromTrampoline); }

bool CElement::Push(bool left, bool force, bool fromTrampoline)
{
    if (IsNull())
        return true;
    CElement* above = FindElementByCell(x, y - 1);
    CElement* below = FindElementByCell(x, y + 1);
    bool free = mobile && !moving && (!grabbed || fromTrampoline);
    if (free) {
        // Slippery ground lets anything push it; firm ground (or none) needs
        // strength; sand holds it.
        int slide = GetSlideSum();
        free = slide < 0 || (force && slide == 0);
    }
    free = free && !IsMagnetHeld() && (!onTrampoline || fromTrampoline);
    if (free) {
        int column = GetNextColumn(left);
        bool onBoard = left ? column >= 0 : column < BOARD_COLUMNS;
        bool sideways = above->IsMovingLeft() || above->IsMovingRight() || below->IsMovingLeft() ||
                        below->IsMovingRight();
        free = onBoard && !sideways && GetElementAt(column, GetNextRow(left))->IsNull();
    }
    if (!free) {
        HeatProfessorBeside(left);
        return false;
    }
    pushed = true;
    if (!IsAI())
        facingLeft = left;
    MoveTo(x + (left ? -1 : 1), y);
    return true;
}

// A heated element that will not give way to the professor burns him.
void CElement::HeatProfessorBeside(bool left)
{
    if (!heated)
        return;
    CElement* neighbour = GetElementAt(GetNextColumn(left), GetNextRow(left));
    if (neighbour->IsProfessor() && !neighbour->IsMoving()) {
        Heat(neighbour, false, false);
        Cool(this);
    }
}

bool CElement::BumpedRight() { return Bumped(false); }
bool CElement::BumpedLeft() { return Bumped(true); }

bool CElement::Bumped(bool left)
{
    logMessage(LOG_DEBUG, left ? "CElement::BumpedLeft() at (%i,%i)\n" : "CElement::BumpedRight() at (%i,%i)\n", x, y);
    if (IsNull() || !mobile || !movable)
        return false;
    if (left ? IsMovingRight() : IsMovingLeft())
        return false;
    (left ? wasMovingLeft : wasMovingRight) = true;
    return true;
}

// A chain of linked elements hangs while one link is a gate, stands on
// something, or has a ladder platform beside it on the chain's side; it falls
// when the chain ends in the null element or in a moving link.
bool CElement::CheckHoldChain(CElement* holder, bool leftSide)
{
    // Links could close a ring that does not pass through this element; no
    // chain is longer than the list of elements.
    for (size_t links = 0; links <= allElements.size(); ++links) {
        if (holder->IsNull() || holder->IsMoving())
            return true;
        if (holder->typeDevice == DEVICE_GATE)
            return false;
        int column = GetNextColumnAt(holder->x, holder->y, leftSide, true);
        int row = GetNextRowAt(holder->x, holder->y, leftSide, true);
        if (IsLadderPlatformAt(column, row) || holder->IsSupported(false))
            return false;
        CElement* next = leftSide ? holder->holderA : holder->holderB;
        if (next == this)
            return true;
        holder = next;
    }
    return true;
}
