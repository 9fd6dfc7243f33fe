#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace {

std::function<uint32_t()> g_source;
std::function<void(uint32_t)> g_sleep;

uint32_t realTicks()
{
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

} // namespace

uint32_t tickCount()
{
    return g_source ? g_source() : realTicks();
}

void setTickSourceForTesting(std::function<uint32_t()> source)
{
    g_source = std::move(source);
}

void sleepMilliseconds(uint32_t milliseconds)
{
    if (g_sleep)
        g_sleep(milliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void setSleepForTesting(std::function<void(uint32_t)> sleep)
{
    g_sleep = std::move(sleep);
}
