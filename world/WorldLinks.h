#pragma once

#include "world/ElementRecord.h"

#include <cstdint>
#include <vector>

class CElement;


// What the element base asks of the element classes built on it and of the
// display. The base reaches those classes only through this table, so it runs
// with any of them absent: an empty entry answers "none here".
struct WorldLinks {
    // The teleport that an element entering the teleport standing at
    // (x, y) comes out of; `right` compares the teleport's right column with
    // x instead of its left one. Null when there is none.
    CElement* (*findTeleportPartner)(int x, int y, bool right) = nullptr;
    // A usable teleport covers (x, y) in the selected column; plays its sound
    // and lights the pair when asked.
    bool (*isTeleportAt)(int x, int y, bool right, bool playSound, bool light) = nullptr;
    bool (*isTrampolineAt)(int x, int y) = nullptr;
    bool (*isLadderAt)(int x, int y) = nullptr;
    bool (*isLadderPlatformAt)(int x, int y) = nullptr;
    // The magnets' pull, once per tick.
    void (*attractMagnets)() = nullptr;
    // The display's frame counter: the time stamp of landings.
    uint32_t (*currentFrame)() = nullptr;

    // ---- What the professor meets and makes. Each class fills its own
    // entries; with one missing the professor finds nothing there and his
    // power-up of that kind has no effect.
    // The type of the power-up lying at (x, y), 0 for none; collecting it
    // takes it off the board.
    int (*powerupAt)(int x, int y) = nullptr;
    void (*collectPowerupAt)(int x, int y) = nullptr;
    bool (*isExitAt)(int x, int y) = nullptr;
    // (x, y) is the upper cell of a teleport.
    bool (*isTeleportTopAt)(int x, int y) = nullptr;
    // A new teleport fits beside (x, y) on the facing side.
    bool (*teleportHasRoomAt)(int x, int y, bool facingLeft) = nullptr;
    // Spawned things, made during play; the professor registers them as
    // spawned for the undo. Materials are those of the constructors: crates,
    // barrels and bridges 2/1 inflatable, magnets 1 inflatable.
    using SpawnObject = CElement* (*)(int x, int y, int material, int variant, bool facingLeft);
    SpawnObject makeCrate = nullptr;
    SpawnObject makeBarrel = nullptr;
    SpawnObject makeMagnet = nullptr;
    SpawnObject makeBridge = nullptr;
    // kind 0 frost, 1 heat.
    CElement* (*makeGunshot)(int x, int y, int kind, bool facingLeft) = nullptr;
    // colour 0 blue, 1 yellow, 2 red.
    CElement* (*makeTeleport)(int x, int y, int colour, int inflatable) = nullptr;
    // The electromagnetic pulse on the magnets, and on the bots; the whistle.
    void (*activateEmp)() = nullptr;
    void (*stunAllBots)() = nullptr;
    void (*wakeAllBots)() = nullptr;
    // The tutorial marker at the professor's cell opens or closes.
    void (*handleTutorial)(int x, int y, bool moving) = nullptr;

    // In the order the level reset clears them; the undo saves and restores
    // those that have save operations in the same order.
    std::vector<ClassState> classStates;
};

// The one table of the run, filled in world/WorldLinks.cpp.
WorldLinks& worldLinks();
