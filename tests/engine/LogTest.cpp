#include "engine/Log.h"
#include "platform/Clock.h"
#include "platform/Folders.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using corvelle_test::readFile;

namespace {

std::string captureLog(int channel, const char* text)
{
    testing::internal::CaptureStdout();
    logMessage(channel, "%s", text);
    return testing::internal::GetCapturedStdout();
}

class LogTest : public testing::Test
{
protected:
    void SetUp() override { initLogChannels(false); }
    void TearDown() override { setTickSourceForTesting(nullptr); }
};

} // namespace

TEST_F(LogTest, PrefixesAndSwitches)
{
    struct Case {
        int channel;
        bool enable;
        const char* expected;
    } cases[] = {
        {LOG_DEBUG, true, "DEBUG:   x"},
        {LOG_DEBUG + LOG_NO_PREFIX, true, "x"},
        {LOG_DEBUG, false, ""},
        {LOG_DEBUG + LOG_NO_PREFIX, false, ""},
        {LOG_ERROR, true, "*** ERROR ***  x"},
        {LOG_WARNING, true, "WARNING: x"},
        {5, true, "x"},
        {LOG_SCOREBOARD, true, "SCOREBOARD:  x"},
        {LOG_TICKS + LOG_NO_PREFIX, true, "x"},
    };
    for (const Case& c : cases) {
        initLogChannels(false);
        if (c.enable)
            enableLogChannel(c.channel & 0x3FF);
        EXPECT_EQ(captureLog(c.channel, "x"), c.expected) << "channel " << c.channel;
    }
}

TEST_F(LogTest, SwitchesIgnoreChannelsOutsideTheTable)
{
    enableLogChannel(33);
    enableLogChannel(-1);
    toggleLogChannel(1000);
    EXPECT_FALSE(isLogChannelEnabled(33));
    toggleLogChannel(LOG_NOTE);
    EXPECT_TRUE(isLogChannelEnabled(LOG_NOTE));
    toggleLogChannel(LOG_NOTE);
    EXPECT_FALSE(isLogChannelEnabled(LOG_NOTE));
    EXPECT_EQ(captureLog(40, "x"), "");
}

TEST_F(LogTest, LongPrefixIsBounded)
{
    std::string longPrefix(100, 'p');
    EXPECT_EQ(std::string(setLogChannelPrefix(LOG_DEBUG, longPrefix.c_str())), std::string(34, 'p'));
}

TEST_F(LogTest, TickStampsOnChannels30And32)
{
    uint32_t now = 1500;
    setTickSourceForTesting([&] { return now; });
    enableLogChannel(LOG_TICKS);
    enableLogChannel(LOG_MILESTONE);
    EXPECT_EQ(captureLog(LOG_TICKS, "a\n"), "*** T=1500      d=+1500    *** a\n");
    now = 1600;
    EXPECT_EQ(captureLog(LOG_TICKS, "b\n"), "*** T=1600      d=+100     *** b\n");
    EXPECT_EQ(captureLog(LOG_MILESTONE, "c\n"), "BETA TICKS:   T=1600      d=+1600    *** c\n");
}

TEST_F(LogTest, ErrorsAreStampedIntoTheErrorLog)
{
    testing::internal::CaptureStdout();
    logError(false, "first %d", 1);
    logError(false, "second %s\n", "two");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "first 1second two\n");
    std::string log = readFile(std::string(getProfileDirectory()) + "LOG.TXT");
    // "dd/mm/yy HH:MM:SS - " is 20 characters; the first message runs on.
    ASSERT_EQ(log.size(), 20 + 7 + 20 + 11u);
    EXPECT_EQ(log.substr(17, 3), " - ");
    EXPECT_EQ(log.substr(20, 7), "first 1");
    EXPECT_EQ(log.substr(47), "second two\n");
}

TEST_F(LogTest, FatalErrorExitsWithStatusOne)
{
    EXPECT_EXIT(logError(true, "the end\n"), testing::ExitedWithCode(1), "");
    std::string log = readFile(std::string(getProfileDirectory()) + "LOG.TXT");
    EXPECT_NE(log.find("the end\n"), std::string::npos);
}

TEST_F(LogTest, EnvironmentSwitchesExtraChannels)
{
    setenv("CORVELLE_LOG", "4, 32,99", 1);
    applyLogChannelsFromEnvironment();
    EXPECT_TRUE(isLogChannelEnabled(4));
    EXPECT_TRUE(isLogChannelEnabled(32));
    EXPECT_FALSE(isLogChannelEnabled(5));
    setenv("CORVELLE_LOG", "all", 1);
    applyLogChannelsFromEnvironment();
    EXPECT_TRUE(isLogChannelEnabled(5));
    unsetenv("CORVELLE_LOG");
}
