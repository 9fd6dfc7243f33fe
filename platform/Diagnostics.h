#pragma once

// The platform layers sit below the game's log, so their debug lines go to a
// sink that the log installs when it starts (engine/Log.cpp); before that,
// or in a program without the log, they go nowhere.
using DebugLineSink = void (*)(const char* line);

void setDebugLineSink(DebugLineSink sink);

// printf-like. Never pass outside text as the format: use "%s".
void debugLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
