#include "engine/Log.h"

#include "engine/Strings.h"
#include "platform/Clock.h"
#include "platform/Diagnostics.h"
#include "platform/Folders.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

bool g_enabled[LOG_CHANNEL_COUNT];
char g_prefix[LOG_CHANNEL_COUNT][LOG_PREFIX_CAPACITY];
unsigned g_lastTicks30 = 0;
unsigned g_lastTicks32 = 0;

bool validChannel(int channel) { return channel >= 0 && channel < LOG_CHANNEL_COUNT; }

struct DefaultPrefix {
    int channel;
    const char* prefix;
};

const DefaultPrefix kDefaultPrefixes[] = {
    {0, "STACK:   "},
    {1, "NOTE:    "},
    {2, "*** ERROR ***  "},
    {3, "RENDER:  "},
    {4, "DEBUG:   "},
    {6, "DEBUG:   "},
    {7, "DEBUG:   "},
    {8, "DEBUG:   "},
    {9, "CLASS:   "},
    {10, "CLASS CONSTRUCT:  "},
    {11, "CLASS DESTRUCT:   "},
    {12, "WARNING: "},
    {13, "RENDER SORTING:    "},
    {14, "RENDER OPTIMIZE:   "},
    {15, "SPRITE:  "},
    {16, "DRAW:    "},
    {17, "PRELOAD: "},
    {18, "ELEMENT PUMP:     "},
    {19, "UNDO:    "},
    {20, "ACTIVE SPRITE:  "},
    {21, "RENDER SORTING RV:           "},
    {22, "LEVEL LOAD:  "},
    {23, "LEVEL SAVE:  "},
    {24, "LEVEL:       "},
    {25, "SOUND:       "},
    {27, "ELEMENT:     "},
    {28, "CGAME:       "},
    {29, "CEDITOR:     "},
    {31, "SCOREBOARD:  "},
};

void printTickStamp(const char* head, unsigned& lastTicks)
{
    unsigned now = tickCount();
    unsigned elapsed = tickCount() - lastTicks;
    printf("%sT=%-7i   d=+%-7i *** ", head, static_cast<int>(now), static_cast<int>(elapsed));
    lastTicks = now;
}

void appendToErrorLog(const char* format, va_list args)
{
    std::string path = std::string(getProfileDirectory()) + "LOG.TXT";
    FILE* file = fopen(path.c_str(), "a+b");
    if (!file) {
        logMessage(LOG_ERROR, "Cannot open log file at '%s'\n", path.c_str());
        return;
    }
    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    // The log's stamps give the year in two digits.
    fprintf(file, "%02d/%02d/%02d %02d:%02d:%02d - ", local.tm_mday, local.tm_mon + 1, local.tm_year % 100,
            local.tm_hour, local.tm_min, local.tm_sec);
    vfprintf(file, format, args);
    fclose(file);
}

// A fatal error can strike with any screen open over others and with the
// sound and decoding threads running. exit() would destroy the modules'
// static objects in an order no one chose while those threads still use
// them (the renderer's parked picture leaving a sprite list already gone),
// so the process ends through quick_exit instead: every stream is flushed,
// the handlers registered for it run (the display's, which gives the screen
// back its mode) and no destructor does.
[[noreturn]] void endAfterFatalError()
{
    fflush(nullptr);
    std::quick_exit(1);
}

} // namespace

void initLogChannels(bool enabled)
{
    for (int i = 0; i < LOG_CHANNEL_COUNT; ++i) {
        g_enabled[i] = enabled;
        g_prefix[i][0] = '\0';
    }
    for (const DefaultPrefix& entry : kDefaultPrefixes)
        setLogChannelPrefix(entry.channel, entry.prefix);
    // The platform layers' debug lines join the debug channel.
    setDebugLineSink([](const char* line) { logMessage(LOG_DEBUG, "%s", line); });
}

void enableLogChannel(int channel)
{
    if (validChannel(channel))
        g_enabled[channel] = true;
}

void disableLogChannel(int channel)
{
    if (validChannel(channel))
        g_enabled[channel] = false;
}

void toggleLogChannel(int channel)
{
    if (validChannel(channel))
        g_enabled[channel] = !g_enabled[channel];
}

bool isLogChannelEnabled(int channel)
{
    return validChannel(channel) && g_enabled[channel];
}

const char* setLogChannelPrefix(int channel, const char* prefix)
{
    if (!validChannel(channel))
        return "";
    snprintf(g_prefix[channel], LOG_PREFIX_CAPACITY, "%s", prefix ? prefix : "");
    return g_prefix[channel];
}

int logMessage(int channel, const char* format, ...)
{
    int index = channel & 0x3FF;
    if (!isLogChannelEnabled(index))
        return 0;
    if (channel == LOG_TICKS)
        printTickStamp("*** ", g_lastTicks30);
    else if (channel == LOG_MILESTONE)
        printTickStamp("BETA TICKS:   ", g_lastTicks32);
    else if (!(channel & LOG_NO_PREFIX))
        fputs(g_prefix[index], stdout);
    va_list args;
    va_start(args, format);
    int written = vprintf(format, args);
    va_end(args);
    fflush(stdout);
    return written;
}

void logError(bool fatal, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    vprintf(format, args);
    fflush(stdout);
    appendToErrorLog(format, again);
    va_end(again);
    va_end(args);
    if (fatal)
        endAfterFatalError();
}

void CappedErrorLog::report(const char* format, ...)
{
    if (count_++ >= shownMax_)
        return;
    char message[1024];
    va_list args;
    va_start(args, format);
    int length = vsnprintf(message, sizeof message, format, args);
    va_end(args);
    // A longer message is cut and says so.
    if (length >= static_cast<int>(sizeof message))
        snprintf(message + sizeof message - 5, 5, "...\n");
    logError(false, "%s", message);
}

void CappedErrorLog::summarize(const char* what) const
{
    if (count_ > shownMax_)
        logError(false, "... and %i more %s\n", count_ - shownMax_, what);
}

void applyLogChannelsFromEnvironment()
{
    const char* list = getenv("CORVELLE_LOG");
    if (!list || !*list)
        return;
    if (strcmp(list, "all") == 0) {
        for (int i = 0; i < LOG_CHANNEL_COUNT; ++i)
            enableLogChannel(i);
        return;
    }
    std::vector<std::string> channels;
    splitString(list, channels, ", ");
    for (const std::string& channel : channels)
        enableLogChannel(atoi(channel.c_str()));
}
