// Texts are templates the game fills with arguments: a template that asks
// for more than the game passes is reported once, at the screen's load.
#include "engine/DisplayFixture.h"
#include "engine/FontSystem.h"
#include "platform/Folders.h"
#include "screens/ControllerScoreboard.h"
#include "screens/TextChecks.h"
#include "support/BuiltTextTable.h"
#include "support/TestEnvironment.h"
#include "text/TextIds.h"

#include <gtest/gtest.h>

using namespace corvelle_test;

namespace {

using TextChecksTest = BuiltTextTableTest;

} // namespace

TEST_F(TextChecksTest, TheScoreScreensTextsTakeTheArgumentsTheyAreGiven)
{
    EXPECT_TRUE(CControllerScoreboard::CheckTexts());
}

TEST_F(TextChecksTest, ATemplateAskingForMoreThanThePassedArgumentsIsReportedOnce)
{
    EXPECT_FALSE(checkTextArguments(TEXT_SCORES_LEVEL, 0));
    EXPECT_EQ(lastErrorLogLine(), "Text #3204:  asks for an argument the game does not pass\n");
    std::string log = readFile(std::string(getProfileDirectory()) + "LOG.TXT");
    EXPECT_FALSE(checkTextArguments(TEXT_SCORES_LEVEL, 0));
    EXPECT_EQ(readFile(std::string(getProfileDirectory()) + "LOG.TXT"), log) << "reported once";

    EXPECT_FALSE(checkTextArguments(987654, 0));
    EXPECT_EQ(lastErrorLogLine(), "Text #987654:  missing from the text table\n");
}
