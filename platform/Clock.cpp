#include "platform/Clock.h"

#include <chrono>

namespace {

std::function<uint32_t()> g_source;

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
