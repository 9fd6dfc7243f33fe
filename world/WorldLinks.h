#pragma once

#include <cstdint>
#include <vector>

class CElement;

// Class-wide state of one element class (pressed counts, teleport lists,
// magnet lists, ladder grid...): the level reset clears it, and when the
// class has save and restore operations, every undo step keeps a copy.
struct ClassState {
    const char* name;               // as the undo's log lines name it: "buttons"
    void (*reset)();                // level reset; may be null
    void (*save)(int step);         // into undo step 0..4; null: not kept
    void (*restore)(int step);      // out of undo step 0..4
};

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
    // The professor's inventory takes a collected power-up of that type;
    // false when it is full. Registered by the professor.
    bool (*addPowerup)(int type) = nullptr;
    // Fires a frost (0) or heat (1) shot from (x, y) in that direction.
    CElement* (*spawnGunshot)(int x, int y, int type, bool facingLeft) = nullptr;
    // The display's frame counter: the time stamp of landings.
    uint32_t (*currentFrame)() = nullptr;

    // In the order the level reset clears them; the undo saves and restores
    // those that have save operations in the same order.
    std::vector<ClassState> classStates;
};

// The one table of the run, filled in world/WorldLinks.cpp.
WorldLinks& worldLinks();
