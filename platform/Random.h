#pragma once

// The game's own random generator. The game's formulas expect numbers from
// 0 to 32767: a point in a span divides by 32767, and the step-count key
// joins two draws as gameRand() * 32768 + gameRand(). glibc's rand() gives
// 0 to 2^31 - 1, which would overshoot the span and overflow that sum, so
// this is a classic 15-bit generator with srand-like seeding, giving the
// same sequence for a seed on every system.
constexpr int GAME_RAND_MAX = 32767;

void gameSrand(unsigned seed);
int gameRand();
