#pragma once

#include <cstdint>
#include <functional>

// Milliseconds since the program started (the platform tick counter).
uint32_t tickCount();

// Tests replace the clock to make timed behaviour exact; an empty function
// restores the real one.
void setTickSourceForTesting(std::function<uint32_t()> source);
