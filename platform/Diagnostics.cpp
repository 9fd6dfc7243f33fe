#include "platform/Diagnostics.h"

#include <cstdarg>
#include <cstdio>

namespace {

DebugLineSink g_sink = nullptr;

} // namespace

void setDebugLineSink(DebugLineSink sink) { g_sink = sink; }

void debugLine(const char* format, ...)
{
    if (!g_sink)
        return;
    char line[4096]; // a folder path and its words
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    g_sink(line);
}
