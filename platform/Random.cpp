#include "platform/Random.h"

namespace {
unsigned long g_state = 1;
}

void gameSrand(unsigned seed)
{
    g_state = seed;
}

int gameRand()
{
    g_state = g_state * 1103515245UL + 12345UL;
    return static_cast<int>((g_state / 65536UL) % 32768UL);
}
