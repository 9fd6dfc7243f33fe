#pragma once

#include "LabPlay.h"

#include <vector>

// The moves a search may make at a decision point.
enum class LabMoveSet {
    Every, // the four directions, the action key, each power-up held, a wait
    Walk,  // right, the action key, each power-up held, a wait
};

struct LabSearch {
    long maxStates = 20000; // distinct worlds the search may reach
    int maxMoves = 200;     // moves on one line, waits included
    LabMoveSet moveSet = LabMoveSet::Every;
};

// The search for the fewest steps, the score's own count: a move costs the
// steps the professor takes during it, so turning, the action key, a
// power-up and waiting may cost none. Of the lines with the fewest steps it
// finds one with the fewest moves. A wait lasts until the board (as
// drawBoard draws it) next changes, so every wait leads somewhere new.
struct LabSolveResult {
    bool found = false;
    std::vector<LabMove> moves;
    int steps = 0;
    int frames = 0;           // the exit frame
    long statesExplored = 0;  // worlds reached, up to the first solution or the end
    bool limitReached = false;
    bool interrupted = false; // a stop was requested (requestStop)
    int stepsRuledOut = 0;    // without a solution: every line with fewer steps was tried
};
LabSolveResult solveLevel(CLevel& level, CProfile& profile, const LabSearch& search);
// The whole move set.
LabSolveResult solveLevel(CLevel& level, CProfile& profile, long maxStates, int maxMoves);

// Move segments of a line: runs of the same move, waits left out, so
// "R R wait 9 R U U A R" has four.
int countSegments(const std::vector<LabMove>& moves);

// A search in progress ends at its next state, as interrupted. Safe to call
// from a signal handler.
void requestStop();
bool isStopRequested();
