#pragma once

// The game's own random generator. The game's formulas expect numbers from
// 0 to 32767, wider than the C library's rand() gives on Linux, so this is
// a classic 15-bit generator with srand-like seeding.
constexpr int GAME_RAND_MAX = 32767;

void gameSrand(unsigned seed);
int gameRand();
