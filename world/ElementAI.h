#pragma once

#include "world/Element.h"

#include <array>

// The common base of the two actors, the professor and the bots. Actors never
// move by themselves: each tick their Update sets the four direction keys (and
// the professor's action key) and calls the moves below; the world tick then
// animates the move. The moves are one cell each: walking left or right
// (pushing what is in the way, or riding a barrel), climbing a ladder, moving
// down.
class CElementAI : public CElement
{
    // The whole-world snapshot reads and writes every field.
    friend struct WorldSnapshotAccess;

public:
    CElementAI(int x, int y);
    ~CElementAI() override;

    void SaveState(ElementRecord& record) const override;
    void RestoreState(const ElementRecord& record) override;
    int GetOwnSlide() const override;
    int GetSurfaceSlide() const override;
    void DumpDebug() override;

    // Keeps `barrel` up to date with the element below (the null element
    // while falling).
    void TakeBarrel(CElement* below);
    bool WalkRight();
    bool WalkLeft();
    // One plain step into the next cell, pushing `target` (the element there).
    bool StepRight(CElement* target);
    bool StepLeft(CElement* target);
    bool ClimbUp();
    bool CanClimbUp() const;
    // Tries the moves of the held keys in the fixed order up, down, left,
    // right; the first that moves ends the turn.
    void TryKeyMoves();
    // The down key's move.
    bool Fall();
    using CElement::CanFall;
    bool CanFall() const;

    // Logs every actor.
    static void DumpAll();

    // The last horizontal key move carried the actor by rolling the barrel
    // under it.
    bool barrelRolled = false;
    // The barrel the actor stands on, or the null element.
    CElement* barrel = nullptr;
    bool keyLeft = false, keyRight = false, keyUp = false, keyDown = false;
    bool keyAction = false; // the professor's fifth key
    // The last walk was refused because the floor ahead is heated, or the
    // neighbour in the way is.
    bool hotStep = false;
    bool hotPush = false;
    // Crushed: a mobile element stands on the actor's head.
    bool stunned = false;
    int stunTicks = 0;

private:
    struct SavedAI {
        bool barrelRolled = false;
        CElement* barrel = nullptr;
    };

    bool Walk(bool left);
    bool Step(bool left, CElement* target);
    void ReleaseBarrel();

};
