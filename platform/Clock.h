#pragma once

#include <cstdint>
#include <functional>

// Milliseconds since the program started (the platform tick counter).
uint32_t tickCount();

// Tests replace the clock to make timed behaviour exact; an empty function
// restores the real one.
void setTickSourceForTesting(std::function<uint32_t()> source);

// Sleeps the calling thread; tests replace it (with a function that advances
// their clock, say); an empty function restores the real one.
void sleepMilliseconds(uint32_t milliseconds);
void setSleepForTesting(std::function<void(uint32_t)> sleep);
