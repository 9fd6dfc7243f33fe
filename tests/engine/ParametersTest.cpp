#include "engine/Log.h"
#include "engine/Parameters.h"
#include "platform/Folders.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace corvelle_test;

namespace {

class ParametersTest : public testing::Test
{
protected:
    void SetUp() override
    {
        initLogChannels(false);
        dir_ = makeTempDir("params");
        ResetParametersForTesting();
    }

    void load(const std::string& contents)
    {
        writeFile(dir_ + "/resource8.dat", contents);
        ScopedWorkingDir cwd(dir_);
        testing::internal::CaptureStdout();
        LoadParameters();
        output_ = testing::internal::GetCapturedStdout();
    }

    std::string dir_;
    std::string output_;
};

} // namespace

TEST_F(ParametersTest, ReadsKeysAndFlags)
{
    struct Case {
        const char* file;
        const char* url;
        const char* vendor;
        bool blink, moreGames, moreLevels;
        const char* output;
    } cases[] = {
        {"MOREGAMES_URL x\n", "x", nullptr, true, true, true, ""},
        {"MOREGAMES_URL  x\nUSE_MOREGAMES 0\n", "x", nullptr, true, false, true, ""},
        {"MOREGAMES_URL x\nUSE_MOREGAMES yes\nUSE_VG_BLINK 1\n", "x", nullptr, true, false, true, ""},
        {"MOREGAMES_URL a\r\nVENDOR_ID 7\r\nUSE_MORELEVELS 1\r\n", "a", "7", true, true, true, ""},
        {"MOREGAMES_URL a\nMOREGAMES_URL b", "b", nullptr, true, true, true, ""},
        {"MOREGAMES_URL x\n\n", "x", nullptr, true, true, true, "Invalid parameter specified:  ''\n"},
        {"MOREGAMES_URL x\nmoregames_url y\n", "x", nullptr, true, true, true,
         "Invalid parameter specified:  'moregames_url y'\n"},
        {"MOREGAMES_URL x\nUSE_VG_BLINK 1 2\n", "x", nullptr, true, true, true,
         "Invalid parameter specified:  'USE_VG_BLINK 1 2'\n"},
    };
    for (const Case& c : cases) {
        ResetParametersForTesting();
        load(c.file);
        ASSERT_NE(GetMoreGamesURL(), nullptr) << c.file;
        EXPECT_STREQ(GetMoreGamesURL(), c.url) << c.file;
        if (c.vendor)
            EXPECT_STREQ(GetVendorID(), c.vendor);
        else
            EXPECT_EQ(GetVendorID(), nullptr);
        EXPECT_EQ(UseVGBlink(), c.blink) << c.file;
        EXPECT_EQ(UseMoreGames(), c.moreGames) << c.file;
        EXPECT_EQ(UseMoreLevels(), c.moreLevels) << c.file;
        EXPECT_EQ(output_, c.output) << c.file;
    }
}

TEST_F(ParametersTest, MissingUrlIsFatal)
{
    const char* files[] = {"VENDOR_ID 7\n", "MOREGAMES_URL x y\n", ""};
    for (const char* file : files) {
        writeFile(dir_ + "/resource8.dat", file);
        ScopedWorkingDir cwd(dir_);
        EXPECT_EXIT(LoadParameters(), testing::ExitedWithCode(1), "") << file;
    }
}

TEST_F(ParametersTest, MissingFileIsFatalAndLogged)
{
    ScopedWorkingDir cwd(dir_);
    EXPECT_EXIT(LoadParameters(), testing::ExitedWithCode(1), "");
    std::string log = readFile(std::string(getProfileDirectory()) + "LOG.TXT");
    EXPECT_NE(log.find("'MoreGames' URL has not been defined.\n"), std::string::npos);
}

// A damaged file: a NUL or a control byte is shown in the log as \xNN
// instead of ending the line there, and of a flood of bad lines only the
// first few are logged, then how many more there were; the good lines
// among them still count.
TEST_F(ParametersTest, BadLinesAreLoggedReadablyAndOnlyTheFirstFewInFull)
{
    std::string file = std::string("BAD\0LINE 1\n", 11) + "TAB\tHERE\n";
    for (int i = 0; i < 20000; ++i)
        file += "JUNK " + std::to_string(i) + " x\n";
    file += "MOREGAMES_URL x\n";
    load(file);
    EXPECT_STREQ(GetMoreGamesURL(), "x");
    const std::string expected = "Invalid parameter specified:  'BAD\\x00LINE 1'\n"
                                 "Invalid parameter specified:  'TAB\\x09HERE'\n"
                                 "Invalid parameter specified:  'JUNK 0 x'\n"
                                 "Invalid parameter specified:  'JUNK 1 x'\n"
                                 "Invalid parameter specified:  'JUNK 2 x'\n"
                                 "... and 19997 more invalid parameter lines\n";
    EXPECT_EQ(output_, expected);
    std::string log = readFile(std::string(getProfileDirectory()) + "LOG.TXT");
    EXPECT_NE(log.find("'BAD\\x00LINE 1'"), std::string::npos);
    EXPECT_NE(log.find("... and 19997 more invalid parameter lines\n"), std::string::npos);
    EXPECT_EQ(log.find("JUNK 3 x"), std::string::npos);
}
