#pragma once

// Numbered log channels on standard output, and the error log "LOG.TXT".
// A channel argument's low 10 bits pick the channel (0..32); adding
// LOG_NO_PREFIX prints the message without the channel's prefix.

constexpr int LOG_CHANNEL_COUNT = 33;
constexpr int LOG_NO_PREFIX = 0x400;
constexpr int LOG_PREFIX_CAPACITY = 35; // 34 characters and the terminator

enum LogChannel {
    LOG_STACK = 0,
    LOG_NOTE = 1,
    LOG_ERROR = 2,
    LOG_RENDER = 3,
    LOG_DEBUG = 4,
    LOG_CLASS = 9,
    LOG_CONSTRUCT = 10,
    LOG_DESTRUCT = 11,
    LOG_WARNING = 12,
    LOG_RENDER_SORTING = 13,
    LOG_RENDER_OPTIMIZE = 14,
    LOG_SPRITE = 15,
    LOG_DRAW = 16,
    LOG_PRELOAD = 17,
    LOG_ELEMENT_PUMP = 18,
    LOG_UNDO = 19,
    LOG_ACTIVE_SPRITE = 20,
    LOG_RENDER_SORTING_RV = 21,
    LOG_LEVEL_LOAD = 22,
    LOG_LEVEL_SAVE = 23,
    LOG_LEVEL = 24,
    LOG_SOUND = 25,
    LOG_ELEMENT = 27,
    LOG_GAME = 28,
    LOG_EDITOR = 29,
    LOG_TICKS = 30,
    LOG_SCOREBOARD = 31,
    LOG_MILESTONE = 32,
};

void initLogChannels(bool enabled);
void enableLogChannel(int channel);
void disableLogChannel(int channel);
void toggleLogChannel(int channel);
bool isLogChannelEnabled(int channel);
const char* setLogChannelPrefix(int channel, const char* prefix);

// printf-like; prints nothing when the channel is off. Never pass user text
// as the format: use "%s".
int logMessage(int channel, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Prints the message, appends it with a local-time stamp to LOG.TXT in the
// data folder and, when fatal, ends the program with exit status 1 through
// quick_exit: handlers registered with at_quick_exit run, static destructors
// do not.
void logError(bool fatal, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Reports the first few errors of a kind in full and then only how many
// more there were, so that damaged input of any size adds a few lines to
// the error log, not one per fault.
class CappedErrorLog
{
public:
    explicit CappedErrorLog(int shownMax) : shownMax_(shownMax) {}
    CappedErrorLog(const CappedErrorLog&) = delete;
    CappedErrorLog& operator=(const CappedErrorLog&) = delete;

    // Counts the error; logs it (not fatal) while fewer than shownMax have
    // been logged.
    void report(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Logs "... and N more <what>\n" when some were not shown.
    void summarize(const char* what) const;
    int count() const { return count_; }

private:
    int shownMax_;
    int count_ = 0;
};

// Switches on the extra channels named by CORVELLE_LOG ("4,32" or "all").
void applyLogChannelsFromEnvironment();
